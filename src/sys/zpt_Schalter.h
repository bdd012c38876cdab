#pragma once
// Command-line switches and the small value functions of the settings.
#include <QString>
#include <QStringList>

// Program arguments without the program name; tests may replace them.
QStringList ProgrammArgumente();
void ProgrammArgumenteSetzen(const QStringList& argumente);

bool SchalterVorhanden(const QString& schalter);
QString SchalterWert(const QString& schalter);
bool TextIstJa(const QString& text);
QString JaNeinText(bool wert);
QString DateinameOhneEndung(const QString& pfad);
