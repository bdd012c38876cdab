#pragma once
// Lossless rotation of JPEG data by 90, 180 or 270 degrees clockwise, as the picture
// is seen: a camera's EXIF Orientation is applied to the pixels in the same step and
// then set to 1, every other byte of the EXIF block kept. Edge blocks that cannot be
// rotated losslessly are trimmed; markers (EXIF, comments) are kept.
#include <QByteArray>
#include <QString>

bool JpegDrehen(const QByteArray& eingabe, int grad, QByteArray& ausgabe, QString& fehler);
// Reads `quelle`, rotates, and replaces `ziel` atomically (also when both are the same
// file). On failure `ziel` stays untouched and `fehler` says why.
bool JpegDateiDrehen(const QString& quelle, const QString& ziel, int grad, QString& fehler);
