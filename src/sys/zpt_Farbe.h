#pragma once
// Colours are stored as Windows colour references (0x00BBGGRR).
#include <QColor>

inline QColor FarbeAusColorRef(quint32 ref) {
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

inline quint32 ColorRefAusFarbe(const QColor& farbe) {
    return quint32(farbe.red()) | (quint32(farbe.green()) << 8) | (quint32(farbe.blue()) << 16);
}
