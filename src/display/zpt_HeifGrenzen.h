#pragma once
// What a HEIC file will make libheif allocate, read from its boxes before a single pixel
// is decoded. libheif bounds only each side of an image, and for a grid or an overlay it
// believes the canvas size written in the item's data (not the size the file declares
// for the picture): 851 bytes can ask for a canvas of 20000 x 28000. Every such canvas is
// held against the same pixel bound as a JPEG, and the tiles are bounded in number and
// must be coded pictures themselves (no grid of grids, no cycle).
#include <QByteArray>
#include <QString>

// Tiles a grid may have: a 60-megapixel picture in phones' 512 x 512 tiles needs about
// 230, in 256 x 256 tiles about 900.
inline constexpr int kMaxHeifKacheln = 4096;

// True when every grid, overlay and derived picture of the file stays within `maxPixel`
// and the tile bound; false with the reason when one does not, or when the boxes that
// describe them cannot be read (libheif would not decode such a file sensibly either).
bool HeifLeinwaendeZulaessig(const QByteArray& datei, qint64 maxPixel, QString* fehler = nullptr);
