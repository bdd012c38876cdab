#include "sys/zpt_Schalter.h"

#include "sys/zpt_Plattform.h"

#include <QCoreApplication>
#include <optional>

namespace {
std::optional<QStringList>& gesetzteArgumente() {
    static std::optional<QStringList> a;
    return a;
}

QString OhneLeerzeichen(const QString& s) {
    qsizetype a = 0, e = s.size();
    while (a < e && s[a] == u' ')
        ++a;
    while (e > a && s[e - 1] == u' ')
        --e;
    return s.mid(a, e - a);
}
} // namespace

QStringList ProgrammArgumente() {
    if (gesetzteArgumente()) return *gesetzteArgumente();
    if (!QCoreApplication::instance()) return {};
    return QCoreApplication::arguments().mid(1);
}

void ProgrammArgumenteSetzen(const QStringList& argumente) {
    gesetzteArgumente() = argumente;
}

bool SchalterVorhanden(const QString& schalter) {
    const QString s = schalter.toUpper();
    for (const QString& a : ProgrammArgumente())
        if (a.toUpper().startsWith(s)) return true;
    return false;
}

QString SchalterWert(const QString& schalter) {
    const QString s = schalter.toUpper();
    QString wert;
    for (const QString& a : ProgrammArgumente())
        if (a.toUpper().startsWith(s)) wert = a.mid(schalter.size());
    return OhneLeerzeichen(wert);
}

bool TextIstJa(const QString& text) {
    const QString t = text.toUpper();
    return t == u"J" || t == u"JA" || t == u"TRUE" || t == u"WAHR";
}

QString JaNeinText(bool wert) {
    return wert ? QStringLiteral("Ja") : QStringLiteral("Nein");
}

QString DateinameOhneEndung(const QString& pfad) {
    QString name = pfad.mid(pfad.lastIndexOf(plattform::PfadTrenner) + 1);
    const int punkt = name.lastIndexOf(u'.');
    return punkt < 0 ? name : name.left(punkt);
}
