// Start-up: from creating the main window to the first picture shown, for albums of
// 1, 5 and 20 years with about 250 day folders a year.
#include "bench_support.h"

#include "app/alb_Main.h"
#include "display/zpt_FotoPanel.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Schalter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir konfiguration;
    qputenv("XDG_CONFIG_HOME", konfiguration.path().toLocal8Bit());
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    StandardIniOrtSetzen(IniOrt::ProBenutzer);
    double basis = 0;
    for (int jahre : {1, 5, 20}) {
        const QString album = JahresAlbum(jahre);
        const Messung start = StartMessen(app, album, 5);
        if (jahre == 1) basis = start.median();
        std::printf("%2d Jahre (%4d Tage): Start bis erstes Bild Median %7.1f ms  Max %7.1f ms  (x%.2f)\n",
                    jahre, jahre * 250, start.median(), start.max(), start.median() / basis);
    }
    std::printf("Spitzenspeicher: %.0f MiB\n", SpitzenspeicherMiB());
    return 0;
}
