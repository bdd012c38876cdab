#pragma once
// Captions and capture times inside pictures (Exif, XMP, IPTC), read and written with
// exiv2 as the Metadata Working Group's guidance has it.
#include <QByteArray>
#include <QDateTime>
#include <QString>

// True for what cameras write where a caption would be ("OLYMPUS DIGITAL CAMERA",
// "SONY DSC", blanks only, ...), compared as a whole: no caption at all.
bool IstKameraText(const QString& text);
// The caption a picture carries: Exif ImageDescription when not blank, else XMP
// dc:description, else IPTC Caption-Abstract, else Exif UserComment; camera texts count
// as none. Exif's text fields and IPTC without a UTF-8 character set read as UTF-8 when
// valid, else as Windows-1252. Of a JPEG the whole header is looked at, however long;
// the part before a broken segment still counts; of a HEIC the Exif block wherever it
// lies. Empty when there is none or the file
// cannot be read.
QString EingebetteteBildunterschrift(const QString& pfad);
// When the picture was taken: Exif DateTimeOriginal, else DateTimeDigitized, as the
// camera's clock showed it; invalid when it carries neither (or the file is no picture).
// In local time, except for a reading in an hour the local clock skipped (the change to
// summer time): then in UTC, so date() and time() are always the camera's reading.
QDateTime Aufnahmezeit(const QString& pfad);
// The picture's bytes with the caption in Xmp.dc.description (x-default, the only
// language), Exif.Image.ImageDescription (UTF-8) and Exif.Photo.UserComment, and the
// series title in Xmp.dc.title; IPTC only where the picture has IPTC already: then in
// UTF-8 (its other text fields converted), cut at a character within IPTC's limits.
// The picture data and every other segment stay byte for byte. Empty when the bytes
// are no picture exiv2 can write.
QByteArray MitBildunterschrift(const QByteArray& bild, const QString& bildunterschrift, const QString& titel);
// The JPEG rendition `jpeg` of the HEIC picture `heic` with the picture's Exif (capture
// time, camera, position): Orientation 1, since the rendition stands upright, no
// thumbnail. The rendition as it was when the HEIC has no Exif or it cannot be written;
// empty when `jpeg` is.
QByteArray MitHeifExif(const QByteArray& jpeg, const QString& heic);
