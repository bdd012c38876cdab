// A phone's 4K video (3840 x 2160, 30 s, H.264 with a key frame each second, AAC sound):
// from Enter in the list to the first frame painted in the player window, and the still
// the list shows, made from the video (not taken from the cache). Each is measured five
// times; the first opening also loads the back end, which the list's stills have done
// before the user presses Enter. Ends with "video first-frame=MS still=MS" (medians).
#include "bench_support.h"

#include "display/zpt_VideoFenster.h"
#include "display/zpt_VideoSpieler.h"
#include "display/zpt_VideoStandbild.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {
bool VideoAnlegen(const QString& pfad) {
    if (QFileInfo::exists(pfad)) return true;
    std::printf("  erzeuge %s\n", qPrintable(pfad));
    std::fflush(stdout);
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {"-hide_banner", "-loglevel", "error",     "-y",
             "-f",           "lavfi",     "-i",        "testsrc2=s=3840x2160:r=30:d=30",
             "-f",           "lavfi",     "-i",        "sine=frequency=440:duration=30",
             "-c:v",         "libx264",   "-preset",   "ultrafast",
             "-g",           "30",        "-pix_fmt",  "yuv420p",
             "-c:a",         "aac",       "-shortest", pfad + ".part.mp4"});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) return false;
    return QFile::rename(pfad + ".part.mp4", pfad);
}

bool Warten(QApplication& app, const std::function<bool()>& fertig, int ms = 20000) {
    QElapsedTimer t;
    t.start();
    while (!fertig()) {
        if (t.elapsed() > ms) return false;
        app.processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    VideoBackendWaehlen();
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty()) {
        std::printf("video: ffmpeg fehlt\n");
        return 0;
    }
    const QString video = BenchDatenOrdner(QStringLiteral("video4k")) + QStringLiteral("/telefon4k.mp4");
    if (!VideoAnlegen(video)) {
        std::printf("video: %s kann nicht erzeugt werden\n", qPrintable(video));
        return 1;
    }

    Messung erstesBild, standbild;
    for (int runde = 0; runde < 6; ++runde) {
        QElapsedTimer t;
        t.start();
        auto* fenster = new TVideoFenster;
        fenster->resize(1280, 760);
        if (!fenster->Oeffnen(video)) {
            std::printf("video: %s\n", qPrintable(fenster->Spieler()->Fehler()));
            return 1;
        }
        fenster->show();
        fenster->Spieler()->Abspielen();
        if (!Warten(app, [&] { return fenster->Spieler()->BildNummer() > 0; })) return 1;
        fenster->Flaeche()->repaint(); // converted and painted: on screen
        const double ms = t.nsecsElapsed() / 1e6;
        if (runde == 0)
            std::printf("  erstes Bild mit Laden des Back-Ends: %.0f ms\n", ms);
        else
            erstesBild.ms << ms;
        fenster->close();
        delete fenster;
        Verweilen(app, 200);

        QFile::remove(StandbildDatei(video));
        TStandbilder macher;
        bool da = false;
        QObject::connect(&macher, &TStandbilder::fertig,
                         [&](const QString&, const QImage& b) { da = !b.isNull(); });
        t.restart();
        macher.Anfordern({video});
        if (!Warten(app, [&] { return da; })) return 1;
        if (runde > 0) standbild.ms << t.nsecsElapsed() / 1e6;
        if (macher.Erzeugt() != 1) return 1;
    }
    std::printf("  erstes Bild max %.0f ms, Standbild max %.0f ms\n", erstesBild.max(), standbild.max());
    std::printf("video first-frame=%.0f still=%.0f\n", erstesBild.median(), standbild.median());
    return 0;
}
