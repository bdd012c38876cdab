// Writes a small demo album: year and day folders in the usual name forms, photo-like
// JPEGs (landscape, portrait, one larger than a screen), captions with umlauts in
// Windows-1252, a video-like file and a day without pictures.
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "sys/zpt_Text.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {
struct Bild {
    const char* name;
    int breite, hoehe;
    QStringList zeilen;
};

struct Tag {
    const char* ordner;
    QString titel;
    QList<Bild> bilder;
    bool video = false;
};

bool TagSchreiben(const QString& jahrOrdner, const Tag& tag, quint32& saat) {
    const QString ordner = jahrOrdner + u'/' + QString::fromLatin1(tag.ordner);
    if (!QDir().mkpath(ordner)) return false;
    QString dat;
    if (!tag.titel.isEmpty())
        dat += QStringLiteral("[TITEL]\r\nTITELNAME=") + tag.titel + QStringLiteral("\r\n");
    for (const Bild& b : tag.bilder) {
        if (!JpegSchreiben(Musterbild(b.breite, b.hoehe, ++saat), ordner + u'/' + QString::fromLatin1(b.name),
                           88))
            return false;
        if (b.zeilen.isEmpty()) continue;
        dat += QStringLiteral("[BILD ") + QString::fromLatin1(b.name) + QStringLiteral("]\r\n");
        for (int i = 0; i < b.zeilen.size(); ++i)
            dat +=
                QStringLiteral("ZEILE%1=").arg(i, 2, 10, QChar(u'0')) + b.zeilen[i] + QStringLiteral("\r\n");
    }
    if (!dat.isEmpty() &&
        !text::DateiSchreiben(ordner + QStringLiteral("/ALBUM.DAT"), text::Cp1252Kodieren(dat)))
        return false;
    if (tag.video) {
        QByteArray avi("RIFF\x10\x00\x00\x00"
                       "AVI LIST",
                       16);
        avi.append(4096, '\0');
        if (!text::DateiSchreiben(ordner + QStringLiteral("/CLIP01.AVI"), avi)) return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: demoalbum ZIELORDNER\n");
        return 2;
    }
    const QString ziel = QString::fromLocal8Bit(argv[1]);
    const QMap<QString, QList<Tag>> jahre = {
        {QStringLiteral("2023"),
         {{"20230101",
           QStringLiteral("Neujahr am Öhringer Weiher"),
           {{"IMG_0001.JPG",
             1024,
             768,
             {QStringLiteral("Feuerwerk über dem Weiher"), QStringLiteral("um Mitternacht")}},
            {"IMG_0002.JPG", 768, 1024, {QStringLiteral("Großvater mit Glühwein")}},
            {"img_0003.jpg", 800, 600, {}}}},
          {"2023_05_03",
           QStringLiteral("Maiwanderung"),
           {{"DSC01.JPG",
             1280,
             960,
             {QStringLiteral("Blick über die Wiesen"), QStringLiteral("bei Sonnenschein"),
              QStringLiteral("und Föhn")}},
            {"DSC02.JPG", 640, 480, {QStringLiteral("Rast an der Hütte")}}},
           true},
          {"230704",
           QStringLiteral("Sommerfest"),
           {{"P1.JPG", 1024, 683, {QStringLiteral("Grillen im Garten")}}}},
          {"20230810", QStringLiteral("Tag ohne Bilder"), {}}}},
        {QStringLiteral("2024"),
         {{"20240224",
           QStringLiteral("Schnee in den Bergen"),
           {{"IMG_1001.JPG", 3000, 2000, {QStringLiteral("Panorama – größer als der Bildschirm")}},
            {"IMG_1002.JPG", 600, 900, {QStringLiteral("Gipfelkreuz")}}}},
          {"20240615",
           QStringLiteral("Hochzeit von Jürgen & Bärbel"),
           {{"A01.JPG", 1024, 768, {QStringLiteral("Das Brautpaar"), QStringLiteral("vor der Kirche")}},
            {"A02.JPG", 1024, 768, {}},
            {"A03.JPG", 768, 1024, {QStringLiteral("Die Torte")}}}}}},
        {QStringLiteral("2025"),
         {{"20250412",
           QStringLiteral("Ostern"),
           {{"OSTERN1.JPG", 1024, 768, {QStringLiteral("Eiersuche")}}}}}},
    };
    quint32 saat = 1;
    for (auto it = jahre.begin(); it != jahre.end(); ++it)
        for (const Tag& tag : it.value())
            if (!TagSchreiben(ziel + u'/' + it.key(), tag, saat)) {
                std::fprintf(stderr, "Demoalbum: %s konnte nicht geschrieben werden\n", tag.ordner);
                return 1;
            }
    std::printf("Demoalbum in %s\n", qPrintable(ziel));
    return 0;
}
