#pragma once
// What goes with a picture when it is deleted: the videos of its name, and its caption,
// which is set aside under the picture's identity. The caption so comes back when the
// file manager restores the picture, and never goes to a new picture of the same name.
#include <QString>
#include <QStringList>
#include <QVector>

class TProfilDokument;

// Videos beside the picture with its name (IMG_0001.MOV beside IMG_0001.JPG, as phones
// take Live Photos), as full paths.
QStringList ZugehoerigeVideos(const QString& bildPfad);
// The same among `namen`, the names in the picture's folder (listed once for many pictures).
QStringList ZugehoerigeVideos(const QString& bildPfad, const QStringList& namen);
// Whether a file name names a video by its extension: what phones and cameras record
// (MOV, MP4, M4V, 3GP, MTS, ...) and the older kinds a day may hold (AVI, MPG, WMV, ...).
bool IstVideo(const QString& name);

// The picture's identity: its size and a hash of its content ("1234-89abcdef01234567");
// empty when it cannot be read.
QString BildKennung(const QString& pfad);

// Moves the picture's caption from its section into one named by `kennung`, under the
// caption file's lock. True also when there was nothing to move.
bool BildtextBeiseitelegen(const QString& ordner, const QString& dateiname, const QString& kennung);

// The set-aside caption of the picture ordner/dateiname of `doc` when the file there is the
// picture it was set aside for; empty otherwise. Where the program may change the album,
// the caption then goes back into the picture's own section, where the search, an export
// and a rotated picture find it.
QStringList BeiseitegelegterBildtext(const TProfilDokument& doc, const QString& ordner,
                                     const QString& dateiname);
// Every caption set aside in `doc`: the picture's name, its identity and the lines.
struct TBeiseitegelegt {
    QString dateiname, kennung;
    QStringList zeilen;
};
QVector<TBeiseitegelegt> BeiseitegelegteBildtexte(const TProfilDokument& doc);
// Whether the file at `pfad` is the picture of identity `kennung` (its size first, its
// content only when that matches).
bool IstBildMitKennung(const QString& pfad, const QString& kennung);

// Whether the program may change the album (the editor may, the viewer never).
void BildtexteZurueckgeben(bool an);
