// Paging through 24-megapixel photos at 1920x1080 (fit when too large), against a plain
// libjpeg-turbo full-size decode of the same files in the same run: at a human pace,
// back to back, across day boundaries in the main window, a resize, and what a plain Qt
// viewer spends per picture. Ends with one machine-readable line of ratios.
#include "bench_support.h"

#include "app/alb_Main.h"
#include "display/zpt_BildLader.h"
#include "display/zpt_FotoPanel.h"
#include "sys/zpt_Schalter.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {
// A plain Qt viewer: read the whole picture, then scale it smoothly to the fitted size.
void QtBetrachter(const QString& pfad) {
    QImageReader leser(pfad);
    const QImage bild = leser.read();
    const QImage gezeigt = bild.scaled(QSize(1910, 1070), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Q_UNUSED(gezeigt);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    const QString ordner = BenchDatenOrdner(QStringLiteral("fotos24mp"));
    const QStringList dateien = MusterJpegs(ordner, 20, 6000, 4000);

    Messung plain, qt;
    for (const QString& d : dateien) {
        plain.ms << MillisekundenVon([&] { PlainDekodieren(d); });
        qt.ms << MillisekundenVon([&] { QtBetrachter(d); });
    }

    TzptFotoPanel panel;
    PanelOeffnen(app, panel, ordner);
    const Messung gemaechlich = GemaechlichBlaettern(app, panel);
    // Back to back: the key held down, nothing in the cache at the start.
    TBildLader::Instanz().Warten();
    TBildLader::Instanz().Leeren();
    Messung dauerfeuer;
    dauerfeuer.ms << MillisekundenVon([&] { panel.First(); });
    while (!panel.Eof())
        dauerfeuer.ms << MillisekundenVon([&] { panel.Next(); });

    Messung groesse;
    for (int i = 0; i < 10; ++i)
        groesse.ms << MillisekundenVon([&] {
            panel.resize(i % 2 ? 1920 : 1600, i % 2 ? 1080 : 900);
            app.processEvents();
        });

    // Across days in the main window: an album of ten days with two pictures each.
    QTemporaryDir album(QCoreApplication::applicationDirPath() + QStringLiteral("/daten/album-XXXXXX"));
    for (int t = 0; t < 10; ++t) {
        const QString tag = album.path() + QStringLiteral("/2005/200501%1").arg(t + 1, 2, 10, QChar(u'0'));
        QDir().mkpath(tag);
        for (int b = 0; b < 2; ++b)
            QFile::link(dateien[(2 * t + b) % dateien.size()], tag + QStringLiteral("/B%1.jpg").arg(b));
    }
    QTemporaryDir konfig;
    qputenv("XDG_CONFIG_HOME", konfig.path().toLocal8Bit());
    ProgrammArgumenteSetzen({QStringLiteral("/Edit"), QStringLiteral("/Grundpfad=") + album.path()});
    TBildLader::Instanz().Warten();
    TBildLader::Instanz().Leeren();
    Messung tage;
    {
        Tam_Main m;
        m.resize(1920, 1080);
        m.show();
        m.cb_Jahr->setKey(QStringLiteral("2005"));
        m.cb_JahrChange();
        app.processEvents();
        for (int i = 0; i < 18; ++i) {
            Verweilen(app);
            const bool tagesgrenze = m.foto->Eof();
            const double ms = MillisekundenVon([&] { m.foto->Next(); });
            if (tagesgrenze) tage.ms << ms;
        }
        TBildLader::Instanz().Warten();
    }

    const double p = plain.median();
    std::printf("Bilder: %lld x 6000x4000, Fenster 1920x1080\n", static_cast<long long>(dateien.size()));
    std::printf("libjpeg-turbo, volle Größe:      Median %7.1f ms\n", p);
    std::printf("Qt-Betrachter (lesen, skalieren): Median %7.1f ms  (x%.2f)\n", qt.median(), qt.median() / p);
    std::printf("Blättern mit 400 ms Verweilen:    Median %7.1f ms  (x%.2f)\n", gemaechlich.median(),
                gemaechlich.median() / p);
    std::printf("Blättern ohne Pause:              Median %7.1f ms  (x%.2f)\n", dauerfeuer.median(),
                dauerfeuer.median() / p);
    std::printf("Über die Tagesgrenze (Hauptfenster): Median %7.1f ms  (x%.2f)\n", tage.median(),
                tage.median() / p);
    std::printf("Größenänderung mit Bild:          Median %7.1f ms  (x%.2f)\n", groesse.median(),
                groesse.median() / p);
    std::printf("Spitzenspeicher: %.0f MiB\n", SpitzenspeicherMiB());
    std::printf(
        "ratios paced=%.3f back-to-back=%.3f across-days=%.3f resize=%.3f qt-viewer=%.3f peak-mib=%.0f\n",
        gemaechlich.median() / p, dauerfeuer.median() / p, tage.median() / p, groesse.median() / p,
        qt.median() / p, SpitzenspeicherMiB());
    return 0;
}
