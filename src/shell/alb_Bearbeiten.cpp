#include "shell/alb_Bearbeiten.h"

#include "sys/zpt_Plattform.h"
#include "sys/zpt_Text.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
const QString kBild = QStringLiteral("&BILDNAME&");
const QString kPfad = QStringLiteral("&PFADNAME&");

QString Ersetzen(const QString& text, const QString& platzhalter, const QString& wert) {
    // Left to right; what was put in is not searched again.
    QString ergebnis;
    qsizetype ab = 0;
    for (qsizetype i; (i = text.indexOf(platzhalter, ab)) >= 0; ab = i + platzhalter.size())
        ergebnis += text.mid(ab, i - ab) + wert;
    return ergebnis + text.mid(ab);
}

QString OrdnerVon(const QString& datei) {
    return datei.left(datei.lastIndexOf(plattform::PfadTrenner) + 1);
}
} // namespace

QString ParameterErsetzen(const QString& zeile, const QString& datei) {
    return Ersetzen(Ersetzen(text::Bereinigt(zeile), kBild, datei), kPfad, OrdnerVon(datei));
}

QStringList BearbeitenArgumente(const QString& zeile, const QString& datei) {
    QStringList argumente = QProcess::splitCommand(text::Bereinigt(zeile));
    for (QString& a : argumente)
        a = ParameterErsetzen(a, datei);
    if (argumente.isEmpty()) argumente << datei;
    return argumente;
}

QString ProgrammFinden(const QString& programm) {
    if (programm.isEmpty() || programm.contains(u'/') || programm.contains(u'\\')) return programm;
    const QString gefunden = QStandardPaths::findExecutable(programm);
    return gefunden.isEmpty() ? programm : gefunden;
}
