// The exported album in a browser: a CD folder of 2 000 photos (4000 x 3000) in 100 days
// opened from file:// in headless Chromium; the first picture on screen and the next one
// at a human pace (half a second on each), measured by the page itself over the DevTools
// protocol (bench/browser_messen.py). Ends with "browser first=MS next=MS".
#include "bench_support.h"

#include "burn/alb_Export.h"
#include "sys/zpt_Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    NurZahlenAusgeben();
    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) {
        std::printf("browser: chromium oder python3 fehlt, nicht gemessen\n");
        return 0;
    }
    const QStringList fotos = MusterJpegs(BenchDatenOrdner(QStringLiteral("fotos12mp")), 20, 4000, 3000);
    const QString cd = BenchDatenOrdner(QStringLiteral("browser-cd"));
    QStringList bilder;
    for (int t = 0; t < 100; ++t) {
        const QString tag = QStringLiteral("%1/2024/2024%2%3")
                                .arg(cd)
                                .arg(t / 28 + 1, 2, 10, QChar(u'0'))
                                .arg(t % 28 + 1, 2, 10, QChar(u'0'));
        QDir().mkpath(tag);
        QByteArray dat = "[TITEL]\r\nTITELNAME=Tag " + QByteArray::number(t) + "\r\n";
        for (int b = 0; b < 20; ++b) {
            const QString name = QStringLiteral("IMG_%1.JPG").arg(b, 4, 10, QChar(u'0'));
            QFile::link(fotos[(t + b) % fotos.size()], tag + u'/' + name);
            bilder << QDir::toNativeSeparators(tag + u'/' + name);
            dat += "[BILD " + name.toLatin1() + "]\r\nZEILE00=Bild " + QByteArray::number(b) + "\r\n";
        }
        QFile f(tag + QStringLiteral("/ALBUM.DAT"));
        if (f.open(QIODevice::WriteOnly)) f.write(dat);
    }
    // The page as the CD-folder export writes it (from the build's TemplateCDROM).
    const QString vorlage = QCoreApplication::applicationDirPath() + QStringLiteral("/../TemplateCDROM/");
    for (const char* name : {"index.html", "pixoluda.js", "pixoluda.css"}) {
        QFile::remove(cd + u'/' + QString::fromLatin1(name));
        QFile::copy(vorlage + QString::fromLatin1(name), cd + u'/' + QString::fromLatin1(name));
    }
    text::DateiSchreiben(cd + QStringLiteral("/album.js"), BrowserAlbum(cd, bilder));
    QProcess p;
    p.start(
        QStringLiteral("python3"),
        {QCoreApplication::applicationDirPath() + QStringLiteral("/browser_messen.py"),
         QUrl::fromLocalFile(cd + QStringLiteral("/index.html")).toString() + QStringLiteral("?messen=1")});
    p.waitForFinished(120000);
    std::printf("CD-Ordner: %lld Bilder in 100 Tagen, 4000x3000\n", static_cast<long long>(bilder.size()));
    std::printf("browser %s\n", p.readAllStandardOutput().trimmed().constData());
    return 0;
}
