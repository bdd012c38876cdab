#pragma once
// The export of a burn list without the screen: the CD folder with album index and
// viewer, the file list, the photo-lab folder, and the folders with names or the
// numbered sequence with generated title pictures.
#include "album/alb_ini.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>

class QFontMetrics;
class TSammelSicherung;

// The progress of one routine; the wizard shows it in the progress window.
class TFortschritt {
public:
    virtual ~TFortschritt() = default;
    virtual void Start(const QString& titel, int max) = 0;
    virtual void Schritt() = 0;
    virtual bool Abgebrochen() const = 0;
    virtual void Stop() = 0;
};

// No progress shown, never cancelled: for checks and tools that copy without a window.
class TStillerFortschritt : public TFortschritt {
public:
    void Start(const QString&, int) override {}
    void Schritt() override {}
    bool Abgebrochen() const override { return false; }
    void Stop() override {}
};

// Where the source has a path below the base folder: the target folder + that rest
// (compared without regard to case); otherwise the target folder + its file name.
QString ZielName(const QString& quelle, const QString& zielordner, const QString& grundpfad);
// Characters a folder name of the export may hold: blank, $, -, digits, @, ASCII
// letters, _, ~ and ÄÖÜäöüß; every other character and every blank becomes "_", and
// in a run of underscores every second one is dropped. Decomposed umlauts count as umlauts.
QString DateinameBereinigen(const QString& text);
// The title split into lines narrower than `breite` at blank, comma, hyphen, full
// stop or semicolon (kept with the line), or anywhere where none is left.
QStringList TitelZeilen(const QString& text, const QFontMetrics& fm, int breite);
// The 800 x 600 title picture of a day: its date and, below, its title in white on black.
QImage Titelbild(const QString& tagOrdner);
// The viewer files of an exported CD, in the folder "TemplateCDROM" next to the program:
// the native viewer and the page that shows the album in any browser.
QStringList BetrachterDateien();
// The file name of a HEIC picture's JPEG rendition: its name + ".jpg"
// (IMG_1.HEIC -> IMG_1.HEIC.jpg); where that would pass 255 bytes, the name's beginning
// with a check sum of the whole name in place of the rest, so it stays unique.
QString HeifRenditionName(const QString& name);
// Where the CD folder keeps the JPEG rendition of a HEIC picture for browsers: the
// "_jpg" subfolder of its day, under HeifRenditionName (IMG_1.HEIC -> _jpg/IMG_1.HEIC.jpg).
QString HeifRendition(const QString& heic);
// The browser page's album data ("album.js"): years, days (date and title) and the
// pictures with the caption the program shows for them (the one in the day's caption
// file, else the one inside the picture), of these pictures below the base folder.
// Of `videos`, one of a listed picture's name is its motion ("live"), the others are
// listed with their day ("videos"); neither key is written where there is none.
QByteArray BrowserAlbum(const QString& grundpfad, const QStringList& bilder, const QStringList& videos = {});

class TExport {
public:
    TExport(const QString& grundpfad, const QStringList& eintraege, TFortschritt& fortschritt);

    // Copy errors of the modes that go on after one; refused burn-list entries and
    // refused targets too.
    int Fehlerzahl = 0;
    // Files copied or written, files the routines set out to copy, entries whose picture
    // is missing, and whether the user cancelled.
    int Kopiert = 0;
    int Geplant = 0;
    int Fehlend() const { return int(m_fehlend.size()); }
    bool Abbruch = false;
    // Copies that should carry a caption or title but do not: it could not be written
    // into them (too long for the picture's metadata, or no picture exiv2 can write).
    int OhneBildunterschrift = 0;
    // Copies of pictures carry their caption and series title inside (the originals are
    // only read).
    bool TexteSchreiben = true;
    // The CD folder takes every video of the burn list's days, not only those of a listed
    // picture's name (Live Photos).
    bool VideosDerTage = false;

    // Why a routine may not write into `ziel` (empty when it may): a target in the
    // album's base folder, or one holding files of the burn list, would write over the
    // pictures it copies. `album` also refuses the base folder's parents' index files.
    QString ZielVerweigert(const QString& ziel) const;
    // The same for the file list's file: never a file of the burn list or of the album.
    QString DateilisteVerweigert(const QString& datei) const;
    // What the run did, for the closing message: "Die Dateien wurden kopiert." only when
    // everything was; otherwise how many were copied, missing, failed (and which), or
    // that it was cancelled; and for how many copies the caption could not go in.
    QString Zusammenfassung() const;
    // Everything copied as asked: the summary is plain news, no warning.
    bool Vollstaendig() const {
        return Fehlerzahl == 0 && Fehlend() == 0 && !Abbruch && OhneBildunterschrift == 0;
    }

    // The sources of the CD folder in copy order: pictures, each day's caption file
    // after its first picture (with VideosDerTage the day's videos after it), the videos
    // of a picture's name after the picture, then the viewer files. Conflict copies of a
    // sync program are never among the videos.
    QStringList CDDateiliste();
    // The CD folder (`kopieren`) with its album index "Pixolud.dat", the viewer and the
    // browser page with its "album.js", and/or the file list (`dateiliste` not empty). The
    // files the CD folder gets from the export itself (index, "album.js", the HEIC
    // pictures' JPEG renditions) are written into `zielpfad` in both cases, and the list
    // names them after the sources. A copy that fails ends the routine with its error
    // (EFehler); a HEIC picture without rendition is counted and left out of the page. A
    // video that cannot be copied (or is no regular file) is counted and named, and the
    // routine goes on.
    void CDKopieren(const QString& zielpfad, bool kopieren, const QString& dateiliste);
    void FotolaborKopieren(const QString& ziel);
    void NamenKopierenMitUnterverzeichnissen(const QString& ziel);
    void NamenKopierenFortlaufend(const QString& ziel);

private:
    // With `videos` the videos of the list (by path).
    QStringList CDDateiliste(const QStringList& quellen, QSet<QString>* videos = nullptr) const;
    // Copies a video of the CD folder; false (counted and named) when it failed.
    bool VideoKopieren(const QString& quelle, const QString& ziel);
    // Full paths of the entries, spelt as on disk; an entry that climbs out of the base
    // folder ("..") is refused and counted as an error, a missing picture is counted as
    // missing. With `nurJpeg` only pictures (".jpg" and HEIC/HEIF).
    QStringList Quellen(bool nurJpeg);
    void InVerzeichnisKopieren(const QString& quelle, const QString& ordner);
    // False (and an error counted, the reason shown) for an empty or refused target.
    bool ZielDa(const QString& ziel);
    // A file this run wrote already is never written over by it (two modes into one
    // folder): false then.
    bool ErstesMal(const QString& ziel);
    // A picture copied with its caption written into the copy (DateiKopieren otherwise);
    // the same errors as DateiKopieren.
    // With `alsJpeg` a HEIC picture is written as a JPEG rendition (quality 90).
    bool BildKopieren(const QString& quelle, const QString& ziel, bool alsJpeg = false);
    // Throws EFehler when `ziel` lies in the album (its folder reached through a link).
    void NichtInsAlbum(const QString& quelle, const QString& ziel);
    bool BildKopierenMitPfad(const QString& quelle, const QString& ziel, bool alsJpeg = false);
    // Counts the step; false when the user cancelled this routine.
    bool Weiter();
    // Counts a picture (or with `pfad` false another file) that could not be written; the
    // summary names it.
    void Fehlgeschlagen(const QString& quelle, bool pfad = true);
    // Flushes the routine's copies to the medium at once, before anyone is told they are
    // there; a failure is counted.
    void Sichern(TSammelSicherung& sicherung);
    QString m_grundpfad;
    QStringList m_eintraege;
    TFortschritt& m_fortschritt;
    QSet<QString> m_geschrieben;
    QSet<QString> m_fehlend;
    QStringList m_fehlgeschlagen;      // as the burn list names them, for the summary
    QStringList m_hinweise;            // further lines of the summary
    QSet<QString> m_syncDateien;       // conflict copies and sync temporaries left out
    QHash<QString, TTagTexte> m_texte; // day folder -> its title and captions
    QHash<QString, bool> m_zielOrdner; // target folder -> whether it lies in the album
};
