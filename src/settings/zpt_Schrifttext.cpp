#include "settings/zpt_Schrifttext.h"

#include "sys/zpt_Farbe.h"
#include "sys/zpt_Fehler.h"

#include <QStringList>

namespace {
int Ganzzahl(const QString& feld) {
    bool ok = false;
    const int wert = feld.toInt(&ok);
    if (!ok) throw EFehler(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(feld));
    return wert;
}
} // namespace

QString SchriftText(const QFont& schrift, const QColor& farbe) {
    const int stil = (schrift.bold() ? 1 : 0) | (schrift.italic() ? 2 : 0) | (schrift.underline() ? 4 : 0) |
                     (schrift.strikeOut() ? 8 : 0);
    return schrift.family() + u';' + QString::number(qRound(schrift.pointSizeF())) + u';' +
           QString::number(stil) + u';' + QString::number(ColorRefAusFarbe(farbe));
}

void SchriftAusText(const QString& text, QFont& schrift, QColor& farbe) {
    const QStringList feld = text.split(u';');
    auto nimm = [&](int i) { return i < feld.size() ? feld[i] : QString(); };
    schrift.setFamily(nimm(0));
    schrift.setPointSize(Ganzzahl(nimm(1)));
    const int stil = Ganzzahl(nimm(2));
    if (stil & 1) schrift.setBold(true);
    if (stil & 2) schrift.setItalic(true);
    if (stil & 4) schrift.setUnderline(true);
    if (stil & 8) schrift.setStrikeOut(true);
    farbe = FarbeAusColorRef(quint32(Ganzzahl(nimm(3))));
}
