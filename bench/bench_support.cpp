#include "bench_support.h"

#include "app/alb_Main.h"
#include "display/zpt_BildLader.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_Text.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <jpeglib.h>
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

QString JahresAlbum(int jahre) {
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

void PlainDekodieren(const QString& pfad) {
    QFile f(pfad);
    f.open(QIODevice::ReadOnly);
    const QByteArray d = f.readAll();
    jpeg_decompress_struct c{};
    jpeg_error_mgr e{};
    c.err = jpeg_std_error(&e);
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, reinterpret_cast<const unsigned char*>(d.constData()), d.size());
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_RGB;
    jpeg_start_decompress(&c);
    QByteArray puffer(qsizetype(c.output_width) * c.output_height * 3, Qt::Uninitialized);
    while (c.output_scanline < c.output_height) {
        JSAMPROW z =
            reinterpret_cast<JSAMPROW>(puffer.data()) + qsizetype(c.output_scanline) * c.output_width * 3;
        jpeg_read_scanlines(&c, &z, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
}
