#pragma once
// File, folder and list helpers used by every window.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

// Paths and names
QString AddBackslash(const QString& text);
QString ProgrammVerzeichnis();
QString TempVerzeichnis();
QString EigeneDateienVerzeichnis();
QString AnwendungsDatenVerzeichnis(const QString& unterName = {});
QString EinstellungsVerzeichnis();
QString EindeutigerDateiname(const QString& ordner, const QString& praefix, const QString& endung);
QString DateiGroesseText(const QString& datei);
QString GroesseText(qint64 bytes);
QString AnzahlText(qint64 anzahl, const QString& einzahl, const QString& mehrzahl);
QString UmgebungsVariable(const QString& name);

// The path with each part that exists in another case spelt as on disk (a name differing
// only in case is the same file); parts not found stay as given.
QString PfadOhneGrossKlein(const QString& pfad);
// The absolute path with links and "." / ".." resolved as far as it exists.
QString KanonischerPfad(const QString& pfad);
// True when `pfad` is `ordner` or lies below it (after resolving both, without regard to case).
bool LiegtIn(const QString& pfad, const QString& ordner);

// Files and folders
bool DateiVorhanden(const QString& datei, bool melden);
// As DateiVorhanden with message; a missing file ends the current command.
bool DateiMussVorhandenSein(const QString& datei);
bool VerzeichnisExistiert(const QString& ordner);
bool VerzeichnisErzwingen(const QString& ordner);
bool VerzeichnisLeer(const QString& ordner);
// Copies content and modification time; throws EFehler when the target cannot be written.
bool DateiKopieren(const QString& quelle, const QString& ziel);
bool DateiKopierenMitPfad(const QString& quelle, const QString& ziel);
// Modification time; invalid when the file is missing.
QDateTime DateiDatum(const QString& datei);
bool UeberschreibenFrage(const QString& datei);
void DateiInfo(const QString& format, const QString& datei);

// Lists (emptied first). File lists leave out our own temporaries and the conflict copies
// and temporaries of sync programs.
void VerzeichnisseToItems(const QString& ordner, QStringList& liste);
void DateienToItems(const QString& maske, QStringList& liste);
void DateienToItems(const QString& ordner, const QString& maske, QStringList& liste);
// The files matching any of the masks, in one listing of the folder.
void DateienToItems(const QString& ordner, const QStringList& masken, QStringList& liste);
void TextDateiToItems(const QString& datei, QStringList& liste);
// Throws EFehler when the file cannot be written; the old file then stays as it was.
// `nochGueltig` as DateiErsetzen takes it (false: the file stays, and this throws too).
void ItemsToTextDatei(const QString& datei, const QStringList& liste,
                      const std::function<bool()>& nochGueltig = {});

// Selection dialogs (through the interaction seam). True and the choice when confirmed.
bool DateiWaehlen(const QString& titel, QString& dateiname, const QString& maske);
bool VerzeichnisWaehlen(QString& ordner, const QString& maske);

// The application's main window, once it exists (for the shell helpers).
void HauptfensterSetzen(QObject* fenster);
QObject* Hauptfenster();
