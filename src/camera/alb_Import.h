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
// The closing message: the number copied, and on lines of their own the numbers skipped
// because a file of that name was in the album already, gone from the camera folder
// before their turn, or left there as caption files of an album.
QString ImportMeldung(int kopiert, int uebersprungen, int verschwunden = 0, int albumDateien = 0,
                      int nachAufnahme = 0, int nachDateidatum = 0);
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
    // After every file, copied or skipped.
    std::function<void()> Schritt;

    int Kopiert = 0;
    int Uebersprungen = 0;
    int Verschwunden = 0;
    int AlbumDateien = 0;
    // Files put into the day of their capture time, and of their file time.
    int NachAufnahme = 0;
    int NachDateidatum = 0;

    // The time a file is filed by: a picture's capture time (Exif DateTimeOriginal, else
    // DateTimeDigitized), for another file the capture time of a picture of the same base
    // name (IMG_1234.MOV beside IMG_1234.JPG), else the file's modification time. Invalid
    // when the file is gone. `aufnahme` tells which it was.
    QDateTime Zeit(const QString& name, bool* aufnahme = nullptr) const;

    // Why the camera folder may not be imported from (empty when it may): the album's
    // base folder or a folder inside it would be moved into itself.
    QString QuelleVerweigert() const;
    // Every ordinary file of the camera folder ("*.*", no hidden ones), sorted by name as
    // a card lists them, so the first and last picture are the same on every run.
    QStringList Dateien() const;
    // The target folder of a file of this date (with the correction added).
    QString TagOrdner(const QDateTime& dateiDatum) const;
    // Imports the files. A refused camera folder or a target folder that cannot be made
    // ends it with the message (false); a copy that fails or does not read back equal
    // throws EFehler, and its source stays on the camera. A file gone since the listing
    // and a caption file are skipped and counted.
    bool Ausfuehren(const QStringList& namen);
};
