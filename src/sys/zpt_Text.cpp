#include "sys/zpt_Text.h"

#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Fehler.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace text {

namespace {
// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control of the same
// value, so every byte survives a read and a write.
constexpr std::array<char16_t, 32> kC1 = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int Cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (kC1[i] == c) return 0x80 + i;
    return -1;
}
} // namespace

bool KeinText(const QString& inhalt) {
    qsizetype ende = inhalt.size();
    while (ende > 0 && inhalt.at(ende - 1).isNull())
        --ende;
    return inhalt.left(ende).contains(QChar(0));
}

QString Bereinigt(const QString& s) {
    qsizetype a = 0, e = s.size();
    while (a < e && s[a].unicode() <= 0x20)
        ++a;
    while (e > a && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(a, e - a);
}

QString Cp1252Dekodieren(const QByteArray& bytes) {
    QString s;
    s.resize(bytes.size());
    QChar* out = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kC1[b - 0x80]) : QChar(b);
    }
    return s;
}

bool PasstInCp1252(const QString& s) {
    for (QChar c : s)
        if (Cp1252Byte(c.unicode()) < 0) return false;
    return true;
}

QByteArray Cp1252Kodieren(const QString& s) {
    QByteArray b;
    b.resize(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const int v = Cp1252Byte(s[i].unicode());
        b[i] = static_cast<char>(v < 0 ? '?' : v);
    }
    return b;
}

Gelesen Dekodieren(const QByteArray& roh) {
    Gelesen g;
    // Windows' Unicode profile functions and editors write UTF-16 with its mark.
    if (roh.startsWith("\xFF\xFE") || roh.startsWith("\xFE\xFF")) {
        g.utf16 = roh.startsWith("\xFF\xFE") ? Gelesen::Le : Gelesen::Be;
        QStringDecoder dekoder(g.utf16 == Gelesen::Le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        g.inhalt = dekoder.decode(roh.mid(2));
        return g;
    }
    QByteArray bytes = roh;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        g.bom = true;
        bytes.remove(0, 3);
    }
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        g.inhalt = QString::fromLatin1(bytes);
        return g;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError()) {
        g.inhalt = s;
        g.utf8 = true;
        return g;
    }
    g.inhalt = Cp1252Dekodieren(bytes);
    return g;
}

QByteArray Kodieren(const QString& s, const Gelesen& vorher) {
    if (vorher.utf16 != Gelesen::Nein) {
        QStringEncoder kodierer(vorher.utf16 == Gelesen::Le ? QStringEncoder::Utf16LE
                                                            : QStringEncoder::Utf16BE);
        return QByteArray(vorher.utf16 == Gelesen::Le ? "\xFF\xFE" : "\xFE\xFF", 2) + QByteArray(kodierer(s));
    }
    if (!vorher.utf8 && !vorher.bom && PasstInCp1252(s)) return Cp1252Kodieren(s);
    QByteArray b = s.toUtf8();
    if (vorher.bom) b.prepend("\xEF\xBB\xBF");
    return b;
}

QByteArray ListeKodieren(const QString& s) {
    if (PasstInCp1252(s)) {
        const QByteArray cp = Cp1252Kodieren(s);
        if (Dekodieren(cp).inhalt == s) return cp;
    }
    return "\xEF\xBB\xBF" + s.toUtf8();
}

regulaer::Lesestand Einlesen(const QString& pfad, Gelesen& ergebnis, regulaer::Verweise verweise,
                             QString* fehler) {
    const QString ziel = regulaer::Ziel(pfad, verweise, fehler);
    if (ziel.isEmpty()) return regulaer::Lesestand::Unlesbar;
    QByteArray bytes;
    const regulaer::Lesestand stand = regulaer::Lesen(ziel, bytes, fehler);
    if (stand == regulaer::Lesestand::Gelesen) ergebnis = Dekodieren(bytes);
    return stand;
}

bool EinlesenOderFehler(const QString& pfad, Gelesen& ergebnis) {
    QString grund;
    switch (Einlesen(pfad, ergebnis, regulaer::Verweise::ImOrdner, &grund)) {
    case regulaer::Lesestand::Fehlt:
        return false;
    case regulaer::Lesestand::Unlesbar:
        throw EFehler(grund);
    case regulaer::Lesestand::Gelesen:
        break;
    }
    return true;
}

bool DateiLesen(const QString& pfad, Gelesen& ergebnis) {
    return Einlesen(pfad, ergebnis) == regulaer::Lesestand::Gelesen;
}

bool IstSchreibgeschuetzt(const QString& pfad) {
    // The write bits, not access(): a file marked read-only stays so for root, too.
    if (!QFile::exists(pfad)) return false;
    const auto schreiben = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (QFile::permissions(pfad) & schreiben) == 0;
}

bool DateiSchreiben(const QString& pfad, const QByteArray& bytes, QString* fehler,
                    const std::function<bool()>& nochGueltig) {
    // The rename would put a copy in the link's place (with the target's permissions).
    if (regulaer::IstVerweis(pfad)) {
        if (fehler) *fehler = QStringLiteral("eine Verknüpfung");
        return false;
    }
    if (IstSchreibgeschuetzt(pfad)) {
        if (fehler) *fehler = QStringLiteral("schreibgeschützt");
        return false;
    }
    return DateiErsetzen(pfad, bytes, fehler, nochGueltig);
}

} // namespace text
