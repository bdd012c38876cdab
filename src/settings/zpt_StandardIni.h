#pragma once
// The program's shared default settings file.
#include <QString>

class TProfilDatei;

enum class IniOrt { OhneOrdner = 0, Programmordner = 1, ProBenutzer = 2 };

// Name fixed before the first request (from "/Ini="); empty: derived from the location.
void StandardIniDateiNameSetzen(const QString& name);
void StandardIniOrtSetzen(IniOrt ort);
// The file name, fixed at the first request.
QString StandardIniDateiName();
TProfilDatei& StandardIniDatei();
// Forgets the fixed name, so the next request derives it anew (tests, base change).
void StandardIniZuruecksetzen();
