#include "bench_support.h"

#include "app/alb_Main.h"
#include "display/zpt_BildLader.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "sys/zpt_Schalter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

void NurZahlenAusgeben() {
    qInstallMessageHandler([](QtMsgType art, const QMessageLogContext&, const QString& text) {
        if (art == QtFatalMsg || art == QtCriticalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
    });
}

double Messung::median() const {
    if (ms.isEmpty()) return 0;
    QVector<double> s = ms;
    std::sort(s.begin(), s.end());
    return s.size() % 2 ? s[s.size() / 2] : (s[s.size() / 2 - 1] + s[s.size() / 2]) / 2;
}

double Messung::max() const {
    return ms.isEmpty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

double SpitzenspeicherMiB() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss / 1024.0;
}

QString BenchDatenOrdner(const QString& name) {
    const QString ordner = QCoreApplication::applicationDirPath() + QStringLiteral("/daten/") + name;
    QDir().mkpath(ordner);
    return ordner;
}

QStringList MusterJpegs(const QString& ordner, int anzahl, int breite, int hoehe) {
    QStringList dateien;
    for (int i = 0; i < anzahl; ++i) {
        const QString datei = QStringLiteral("%1/B%2.jpg").arg(ordner).arg(i, 3, 10, QChar(u'0'));
        if (!QFileInfo::exists(datei)) {
            std::printf("  erzeuge %s\n", qPrintable(datei));
            std::fflush(stdout);
            JpegSchreiben(Musterbild(breite, hoehe, quint32(i + 1)), datei, 90);
        }
        dateien << datei;
    }
    return dateien;
}

void Verweilen(QApplication& app, int ms) {
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < ms) {
        app.processEvents();
        QThread::msleep(5);
    }
}

void PanelOeffnen(QApplication& app, TzptFotoPanel& panel, const QString& ordner) {
    panel.resize(1920, 1080);
    panel.setGrossanpassen(true);
    panel.show();
    app.processEvents();
    panel.setGrundpfad(ordner);
    panel.ReadFolder(true);
    panel.setAnzeigeEnabled(true);
}

Messung GemaechlichBlaettern(QApplication& app, TzptFotoPanel& panel) {
    TBildLader::Instanz().Leeren();
    Messung m;
    panel.First();
    while (!panel.Eof()) {
        Verweilen(app);
        m.ms << MillisekundenVon([&] { panel.Next(); });
    }
    return m;
}

Messung StartMessen(QApplication& app, const QString& album, int runden) {
    ProgrammArgumenteSetzen({QStringLiteral("/Grundpfad=") + album});
    Messung start;
    for (int i = 0; i < runden; ++i) {
        std::unique_ptr<Tam_Main> fenster;
        start.ms << MillisekundenVon([&] {
            fenster = std::make_unique<Tam_Main>();
            fenster->resize(1280, 800);
            fenster->show();
            app.processEvents();
        });
        if (fenster->foto->Position() != 0) std::printf("  kein Bild gezeigt!\n");
    }
    return start;
}
