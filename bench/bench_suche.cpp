// The search on a big album: 30 years, 6 000 day folders, 150 000 captioned pictures.
// The first search on a cold cache (every caption file read), the first after a restart
// with the cache file there, and searches on the index in memory; the cache file's size.
// Also the start-up on that album against a one-year album, and the calendar's year view;
// and searches on the same captions where every picture is missing (each hit checked).
// Ends with "search days=N captions=M cold=MS warm=MS index-mib=N",
// "start big/small=R calendar-year-ms=MS" and "search-no-pictures ms=MS listings=N".
#include "bench_support.h"

#include "album/alb_Suche.h"
#include "app/alb_Main.h"
#include "calendar/alb_Kalender.h"
#include "calendar/qorKalender.h"
#include "calendar/qorKalenderModell.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_Text.h"
#include "sys/zpt_sys.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int kJahre = 30, kTage = 200, kBilder = 25;

const QStringList& Woerter() {
    static const QStringList w = [] {
        QStringList l =
            QString::fromUtf8(
                "Oma Opa Hilde Erna Kurt Paul Anna Lena Max Tante Onkel Kinder Hund Katze Garten Haus "
                "Strand Meer Berge Gardasee Köln München Hamburg Ostsee Nordsee Wanderung Geburtstag "
                "Hochzeit Weihnachten Ostern Silvester Schnee Sonne Regen Picknick Kuchen Torte Eis "
                "Schwimmbad Fahrrad Auto Zug Flugzeug Hotel Zelt Hütte See Fluss Brücke Kirche Schloss "
                "Burg Markt Fest Feuerwerk Laterne Schule Einschulung Abschluss Urlaub Ausflug Besuch "
                "Freunde Nachbarn Familie Baby Taufe Spielplatz Zoo Elefant Giraffe Pferd Bauernhof")
                .split(u' ');
        // Many more words, as a family's captions have: names of places and people.
        for (int i = 0; i < 3000; ++i)
            l << QStringLiteral("Ort%1").arg(i);
        return l;
    }();
    return w;
}

QString Satz(QRandomGenerator& z, int woerter) {
    QStringList s;
    for (int i = 0; i < woerter; ++i)
        s << Woerter()[int(z.bounded(qint64(Woerter().size())))];
    return s.join(u' ');
}

void Schreiben(const QString& pfad, const QByteArray& b) {
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(b);
}

// Generated once into the bench data folder; the pictures are links to one small JPEG.
QString AlbumAnlegen(const QString& name, int jahre) {
    const QString ordner = BenchDatenOrdner(name);
    if (QFileInfo::exists(ordner + QStringLiteral("/fertig"))) return ordner;
    std::printf("  erzeuge %s (%d Jahre)\n", qPrintable(name), jahre);
    std::fflush(stdout);
    const QString jpeg = ordner + QStringLiteral("/muster.jpeg");
    Schreiben(jpeg, JpegKodieren(Musterbild(64, 48, 7), 80));
    QRandomGenerator z(42);
    for (int j = 0; j < jahre; ++j) {
        const int jahr = 2025 - j;
        for (int t = 0; t < kTage; ++t) {
            const QDate d = QDate(jahr, 1, 1).addDays(t * 365 / kTage);
            const QString tag =
                QStringLiteral("%1/%2/%3").arg(ordner).arg(jahr).arg(d.toString(QStringLiteral("yyyyMMdd")));
            QDir().mkpath(tag);
            QString dat = QStringLiteral("[TITEL]\r\nTITELNAME=") + Satz(z, 3) + QStringLiteral("\r\n");
            for (int b = 1; b <= kBilder; ++b) {
                const QString bild = QStringLiteral("IMG_%1.JPG").arg(b, 4, 10, QChar(u'0'));
                QFile::link(jpeg, tag + u'/' + bild);
                dat += QStringLiteral("[BILD %1]\r\nZEILE00=%2\r\n").arg(bild, Satz(z, 6));
                if (b % 3 == 0) dat += QStringLiteral("ZEILE01=") + Satz(z, 4) + QStringLiteral("\r\n");
            }
            Schreiben(tag + QStringLiteral("/ALBUM.DAT"), text::Kodieren(dat));
        }
    }
    Schreiben(ordner + QStringLiteral("/fertig"), "1");
    return ordner;
}

// The same days and captions, without a single picture.
QString OhneBilderAnlegen(const QString& gross) {
    const QString ordner = BenchDatenOrdner(QStringLiteral("suchalbum30-ohnebilder"));
    if (QFileInfo::exists(ordner + QStringLiteral("/fertig"))) return ordner;
    for (const QString& jahr : QDir(gross).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString& tag : QDir(gross + u'/' + jahr).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString rel = jahr + u'/' + tag;
            QDir().mkpath(ordner + u'/' + rel);
            QFile::copy(gross + u'/' + rel + QStringLiteral("/ALBUM.DAT"),
                        ordner + u'/' + rel + QStringLiteral("/ALBUM.DAT"));
        }
    Schreiben(ordner + QStringLiteral("/fertig"), "1");
    return ordner;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir konfiguration;
    qputenv("XDG_CONFIG_HOME", konfiguration.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", konfiguration.path().toLocal8Bit());
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    StandardIniOrtSetzen(IniOrt::ProBenutzer);
    const QString gross = AlbumAnlegen(QStringLiteral("suchalbum30"), kJahre);
    const QString klein = AlbumAnlegen(QStringLiteral("suchalbum1"), 1);

    const QString cache = TSuchIndex::CacheDateiFuer(gross);
    QFile::remove(cache);
    int tage = 0, texte = 0;
    const double kalt = MillisekundenVon([&] {
        TSuchIndex index(gross, cache);
        index.Suchen(QStringLiteral("Oma Gardasee"));
        tage = index.Tage();
        texte = index.Bildtexte();
    });
    TSuchIndex index(gross, cache);
    const double neustart = MillisekundenVon([&] { index.Suchen(QStringLiteral("Oma Gardasee")); });
    Messung warm;
    for (const char* a : {"Oma Hilde", "garda", "koeln strand", "\"oma hilde\"", "Ort17",
                          "Weihnachten Schnee", "zzz", "Elefant Zoo Kinder"})
        warm.ms << MillisekundenVon([&] { index.Suchen(QString::fromUtf8(a)); });
    const double mib = QFileInfo(cache).size() / double(1 << 20);

    const double startGross = StartMessen(app, gross, 3).median(),
                 startKlein = StartMessen(app, klein, 3).median();
    Tam_Kalender kalender;
    kalender.Grundpfad = AddBackslash(gross);
    kalender.kal->setAnzeige(kaJahr);
    kalender.kal->resize(700, 480);
    // The year view of another year, its entries looked up and drawn (the year view marks
    // no entries; the month view of that year lists them).
    const double jahresansicht = MillisekundenVon([&] {
        kalender.kal->SetDatum(QDate(2010, 6, 1));
        kalender.kal->Modell().TermineLaden();
        kalender.kal->grab();
    });
    kalender.kal->setAnzeige(kaMonat);
    kalender.kal->Modell().TermineLaden();
    const qsizetype termine = kalender.kal->Modell().Termine().size();

    const QString ohne = OhneBilderAnlegen(gross);
    TSuchIndex ohneBilder(ohne, {});
    ohneBilder.Suchen(QStringLiteral("zzz")); // every caption read
    const int listungenVorher = ohneBilder.Auflistungen();
    // Nearly every caption holds a word starting with "Ort": a hit to check in every one.
    Messung fehlend;
    for (int i = 0; i < 3; ++i)
        fehlend.ms << MillisekundenVon([&] { ohneBilder.Suchen(QStringLiteral("Ort")); });
    const int listungen = (ohneBilder.Auflistungen() - listungenVorher) / 3;

    std::printf(
        "Suche: kalt %.0f ms, nach Neustart mit Cache %.0f ms, im Speicher Median %.1f ms (max %.1f)\n", kalt,
        neustart, warm.median(), warm.max());
    std::printf("Start: %.0f ms (30 Jahre) gegen %.0f ms (1 Jahr); Kalender-Jahresansicht %.1f ms "
                "(Monatsansicht: %lld Einträge)\n",
                startGross, startKlein, jahresansicht, static_cast<long long>(termine));
    std::printf("search days=%d captions=%d cold=%.0f warm=%.1f reopen=%.0f index-mib=%.1f\n", tage, texte,
                kalt, warm.median(), neustart, mib);
    std::printf("start big/small=%.2f calendar-year-ms=%.1f\n", startGross / startKlein, jahresansicht);
    std::printf("Suche ohne Bilder (%d Bildunterschriften, keine Bilder): \"Ort\" Median %.0f ms, "
                "%d Ordnerlisten je Suche\n",
                ohneBilder.Bildtexte(), fehlend.median(), listungen);
    std::printf("search-no-pictures ms=%.0f listings=%d\n", fehlend.median(), listungen);
    return 0;
}
