#pragma once
// The caption file ALBUM.DAT of a day folder: the series title and the picture
// captions, and the date texts and labels of day folders.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <utility>

class TProfilDokument;

// ALBUM.DAT of a folder, in whatever case it is spelt there ("ALBUM.DAT" when missing).
QString AlbumDatei(const QString& ordner);

QString TitelLesen(const QString& pfad, const QString& vorgabe = {});
// False when the file cannot be written (the old one then stays as it was).
bool TitelSchreiben(const QString& ordner, const QString& titel);
void BildtextLesen(const QString& ordner, const QString& dateiname, QStringList& zeilen);
// The caption lines of a section's key/value pairs.
QStringList BildtextZeilen(const QVector<std::pair<QString, QString>>& werte);
void BildtextLesen(const QString& pfad, QStringList& zeilen);
// Every captioned picture of a caption file read once (its name, its lines), in file
// order, and the series title.
QVector<std::pair<QString, QStringList>> AlleBildtexte(const TProfilDokument& doc, QString* titel = nullptr);
// A day's title and captions read once, for loops over its pictures.
struct TTagTexte {
    QString titel;
    QHash<QString, QStringList> zeilen; // by lower-case picture name
    QStringList Zeilen(const QString& bild) const { return zeilen.value(bild.toLower()); }
};
TTagTexte TagTexteLesen(const QString& ordner);
// Writes the caption without its empty lines; lines of an earlier, longer caption are
// removed, and an empty caption removes the picture's section. False when the file
// cannot be written or read, or the name cannot stand in a section header.
bool BildtextSchreiben(const QString& ordner, const QString& dateiname, const QStringList& zeilen);
bool BildtextSchreiben(const QString& pfad, const QStringList& zeilen);
// The same change made in a document (the caption's section written, or removed when empty).
void BildtextSetzen(TProfilDokument& d, const QString& dateiname, const QStringList& zeilen);
// False for a picture name that no caption section can name (it holds a line break).
bool BildnameSpeicherbar(const QString& dateiname);

QString TagDatumText(const QString& tagName);
QString VerzeichnisDatumText(const QString& pfad);
QString TagBeschriftung(const QString& jahrOrdner, const QString& tagName);

// Key of caption line `i`: "ZEILE00", "ZEILE01", ..., "ZEILE100".
QString ZeilenSchluessel(int i);
