// Start-up: from creating the main window to the first picture shown, for albums of
// 1, 5 and 20 years with about 250 day folders a year.
#include "bench_support.h"

#include "app/alb_Main.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_Text.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {
QString AlbumAnlegen(int jahre) {
    const QString ordner = BenchDatenOrdner(QStringLiteral("album%1").arg(jahre));
    if (QFileInfo::exists(ordner + QStringLiteral("/fertig"))) return ordner;
    std::printf("  erzeuge Album mit %d Jahren\n", jahre);
    std::fflush(stdout);
    const QByteArray jpeg = JpegKodieren(Musterbild(64, 48, 7), 80);
    for (int j = 0; j < jahre; ++j) {
        const int jahr = 2025 - j;
        for (int t = 0; t < 250; ++t) {
            const QDate d = QDate(jahr, 1, 1).addDays(t * 365 / 250);
            const QString tag =
                QStringLiteral("%1/%2/%3").arg(ordner).arg(jahr).arg(d.toString(QStringLiteral("yyyyMMdd")));
            QDir().mkpath(tag);
            for (int b = 1; b <= 2; ++b)
                text::DateiSchreiben(tag + QStringLiteral("/IMG_%1.JPG").arg(b), jpeg);
            text::DateiSchreiben(tag + QStringLiteral("/ALBUM.DAT"),
                                 text::Cp1252Kodieren(QStringLiteral("[TITEL]\r\nTITELNAME=Tag %1 im Jahr\r\n"
                                                                     "[BILD IMG_1.JPG]\r\nZEILE00=Größe\r\n")
                                                          .arg(t)));
        }
    }
    text::DateiSchreiben(ordner + QStringLiteral("/fertig"), "1");
    return ordner;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir konfiguration;
    qputenv("XDG_CONFIG_HOME", konfiguration.path().toLocal8Bit());
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    StandardIniOrtSetzen(IniOrt::ProBenutzer);
    double basis = 0;
    for (int jahre : {1, 5, 20}) {
        const QString album = AlbumAnlegen(jahre);
        const Messung start = StartMessen(app, album, 5);
        if (jahre == 1) basis = start.median();
        std::printf("%2d Jahre (%4d Tage): Start bis erstes Bild Median %7.1f ms  Max %7.1f ms  (x%.2f)\n",
                    jahre, jahre * 250, start.median(), start.max(), start.median() / basis);
    }
    std::printf("Spitzenspeicher: %.0f MiB\n", SpitzenspeicherMiB());
    return 0;
}
