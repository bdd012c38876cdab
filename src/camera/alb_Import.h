#pragma once
// The camera import without the screen: every file of a camera folder into the day
// folder of its date, under a year folder of the album, copied, flushed and read back
// before it may be deleted from the camera.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The day folder name of a date by the scheme: 0 JJJJMMTT, 1 JJJJ_MM_TT, 2 JJJJ-MM-TT
// (any other scheme as 0).
QString TagOrdnerName(const QDate& datum, int modus);
// Date and time as the date check shows them: "dd.MM.yyyy HH:mm:ss", the time left out
// at midnight.
QString DatumZeitText(const QDateTime& zeit);
// The question of the date check for the first and last file of the listing.
QString DatumFrage(const QDateTime& erstes, const QDateTime& letztes);
// A card or a phone with its pictures in the subfolders of DCIM (100APPLE, Camera, …):
// the DCIM folder as it is spelled there, when the camera folder holds no picture of its
// own but such a folder; empty otherwise.
QString DcimOrdner(const QString& kameraordner);
// Every ordinary file of every subfolder of the camera folder's DCIM folder, as names
// relative to the camera folder ("DCIM/100APPLE/IMG_0001.JPG"), folder by folder in name
// order. Hidden folders (Android's ".thumbnails") and hidden files are left out.
QStringList DcimDateien(const QString& kameraordner);
// The date correction as the user sees it: from one shown date and time to another,
// whatever daylight-saving change lies between (milliseconds of wall-clock time).
qint64 WanduhrAbstand(const QDateTime& von, const QDateTime& nach);

class TKameraImport {
public:
    QString Quelle;     // the camera folder
    QString Zielordner; // the album's base folder
    int Modus = 0;
    bool Loeschen = false;
    // Added to every file's date (the date correction), in milliseconds.
    qint64 Versatz = 0;
    // Twice for every file: once its day is known, and once it is copied or skipped.
    std::function<void()> Schritt;

    // Take the files of DCIM's subfolders (DcimDateien) instead of the camera folder's own.
    bool MitDcim = false;

    int Kopiert = 0;
    int Uebersprungen = 0;
    int Verschwunden = 0;
    int AlbumDateien = 0;
    // Files put into the day of their capture time, and of their file time.
    int NachAufnahme = 0;
    int NachDateidatum = 0;
    // The names (as listed) of the files skipped because the album has them, of those gone
    // from the camera folder before their turn, of those that could not be copied ("NAME:
    // reason", they stay on the camera), and of copies whose source could not be deleted.
    QStringList UebersprungenNamen;
    QStringList VerschwundenNamen;
    QStringList Fehlgeschlagen;
    QStringList NichtGeloescht;

    // The closing message: the number copied, and on lines of their own the numbers (and
    // names) skipped because a file of that name was in the album already, gone from the
    // camera folder, left there as caption files of an album, failed, or not deleted.
    QString Meldung() const;

    // The time a file is filed by: a picture's capture time (Exif DateTimeOriginal, else
    // DateTimeDigitized), for another file the capture time of a picture of the same base
    // name (IMG_1234.MOV beside IMG_1234.JPG), else the file's modification time. Invalid
    // when the file is gone. `aufnahme` tells which it was.
    QDateTime Zeit(const QString& name, bool* aufnahme = nullptr) const;

    // Why the camera folder may not be imported from (empty when it may): the album's
    // base folder or a folder inside it would be moved into itself.
    QString QuelleVerweigert() const;
    // Every ordinary file of the camera folder ("*.*", no hidden ones), sorted by name as
    // a card lists them, so the first and last picture are the same on every run; with
    // MitDcim those of DCIM's subfolders.
    QStringList Dateien() const;
    // The target folder of a file of this date (with the correction added).
    QString TagOrdner(const QDateTime& dateiDatum) const;
    // Imports the files (names relative to the camera folder; each goes into its day
    // folder under its own file name). Every file's day is worked out before the first is
    // copied or deleted, so a video still finds its picture's capture time. A refused
    // camera folder ends it with the message (false). Nothing else stops the batch: a file
    // gone since the listing, a caption file, a name the album has, and a copy that fails
    // or does not read back equal (its source stays on the camera) are counted and named.
    bool Ausfuehren(const QStringList& namen);
};
