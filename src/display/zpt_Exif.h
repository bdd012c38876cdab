#pragma once
// The EXIF Orientation of camera pictures: reading it, the turn that shows a picture
// upright, and setting the tag to 1 in place once the pixels themselves are upright.
#include <QByteArray>

// A transform of the picture: first mirror left to right when `spiegeln`, then turn
// by `viertel` quarter turns clockwise.
struct Lage {
    int viertel = 0;
    bool spiegeln = false;
    bool operator==(const Lage&) const = default;
    // True when width and height change places.
    bool quer() const { return viertel % 2 == 1; }
};

// The transform that shows a picture stored with this Orientation (1..8) upright;
// any other value counts as 1.
Lage AufrechtLage(int orientierung);
// `erst`, then `dann`.
Lage Verketten(Lage erst, Lage dann);

// Orientation from the payload of an APP1 marker ("Exif\0\0" and the TIFF block);
// 1 when it holds none or is no EXIF block.
int ExifOrientierung(const QByteArray& app1);
// Orientation of a JPEG file's bytes (IFD0 of its first EXIF block); 1 when none.
int JpegOrientierung(const QByteArray& jpeg);
// Writes `wert` as the Orientation of IFD0 in place: every other byte stays as it
// was. False when the file carries no Orientation tag.
bool JpegOrientierungSetzen(QByteArray& jpeg, int wert);
