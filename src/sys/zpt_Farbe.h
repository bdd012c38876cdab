#pragma once
// Colours are stored as Windows colour references (0x00BBGGRR).
#include <QColor>

inline QColor FarbeAusColorRef(quint32 ref) {
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

inline quint32 ColorRefAusFarbe(const QColor& farbe) {
    return quint32(farbe.red()) | (quint32(farbe.green()) << 8) | (quint32(farbe.blue()) << 16);
}

#include <QStringList>

// Text colour that reads on `farbe`: black when its red, green or blue part is above
// 128, otherwise white.
inline QColor KontrastFarbe(const QColor& farbe) {
    return farbe.red() > 128 || farbe.green() > 128 || farbe.blue() > 128 ? QColor(Qt::black)
                                                                          : QColor(Qt::white);
}

// The sixteen custom colours a colour button offers its dialog: eight fixed ones, then
// the user's eight, as "ColorA=A6CAF0" ... "ColorP=…": the colour reference in hex,
// at least six digits.
inline QStringList EigeneFarbenText(const QColor (&benutzer)[8]) {
    QStringList liste = {QStringLiteral("ColorA=A6CAF0"), QStringLiteral("ColorB=C0DCC0"),
                         QStringLiteral("ColorC=FFFBF0"), QStringLiteral("ColorD=A56E3A"),
                         QStringLiteral("ColorE=808000"), QStringLiteral("ColorF=F0CAA6"),
                         QStringLiteral("ColorG=00CCEE"), QStringLiteral("ColorH=BBAACC")};
    for (int i = 0; i < 8; ++i)
        liste << QStringLiteral("Color") + QChar(u'I' + i) + u'=' +
                     QStringLiteral("%1").arg(ColorRefAusFarbe(benutzer[i]), 6, 16, QChar(u'0')).toUpper();
    return liste;
}

// The colour of one entry of that list; invalid when the entry is malformed.
inline QColor FarbeAusEintrag(const QString& eintrag) {
    const qsizetype gleich = eintrag.indexOf(u'=');
    bool ok = false;
    const uint ref = eintrag.mid(gleich + 1).toUInt(&ok, 16);
    return ok && gleich >= 0 ? FarbeAusColorRef(ref) : QColor();
}
