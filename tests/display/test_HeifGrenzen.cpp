// HEIC files whose grid makes libheif allocate far more than the picture they declare:
// refused before decoding, by every way the album reads a picture, while the tiled files
// phones write are shown whole.
#include "display/zpt_Heif.h"
#include "display/zpt_HeifGrenzen.h"
#include "display/zpt_grafik.h"
#include "support/HeicMuster.h"
#include "support/TestOrdner.h"
#include "support/Testbilder.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {
// Runs the files through tests/display/heif_pruefling.cpp (pairs of a file and the text its
// refusal must name); gives what it found, empty when every file was refused so.
QString GeprueftMitSpeichergrenze(const QStringList& argumente) {
    QProcess p;
    p.start(QStringLiteral(PIXOLUDA_HEIF_PRUEFLING), argumente);
    if (!p.waitForFinished(600'000)) return QStringLiteral("Prüfling hängt");
    const QString befund = QString::fromUtf8(p.readAllStandardOutput());
    if (p.exitStatus() != QProcess::NormalExit || (p.exitCode() != 0 && befund.isEmpty()))
        return QStringLiteral("Prüfling abgebrochen: ") +
               QString::fromUtf8(p.readAllStandardError().right(2000));
    return befund;
}

QString Korpus(const QString& name) {
    return QStringLiteral(PIXOLUDA_FUZZKORPUS "/heif/") + name;
}
} // namespace

TEST(HeifGrenzen, GitterMitRiesigerLeinwandAbgelehntBevorDekodiert) {
    // 851 bytes found by fuzzing: a grid of one 64 x 64 tile on a canvas of 19561 x 27759
    // (libheif would allocate about 4 GB), while the file declares 64 x 32.
    const QString fund = Korpus(QStringLiteral("gitter-riesig.heic"));
    ASSERT_EQ(TestOrdner::lesen(fund).size(), 851);
    QString grund;
    EXPECT_FALSE(HeifLeinwaendeZulaessig(TestOrdner::lesen(fund), kMaxDekodierPixel, &grund));
    EXPECT_EQ(grund, "Bild zu groß (19561x27759)");
    TestOrdner t;
    const QString kopie = t.datei(QStringLiteral("IMG_0001.HEIC"), TestOrdner::lesen(fund));
    EXPECT_EQ(GeprueftMitSpeichergrenze({kopie, QStringLiteral("zu groß")}), "");

    // The same lie made on purpose: canvases beyond the JPEG pixel bound (just above it, and
    // with 32-bit fields), more tiles than any picture needs, a grid that is its own tile.
    const QImage bild = Viertelbild().scaled(200, 100);
    HeicGitterKodieren(t.pfad("gross.heic"), bild, 90, 64, false, {QSize(8000, 7501)});
    HeicGitterKodieren(t.pfad("riesig.heic"), bild, 90, 64, false, {QSize(70000, 30000)});
    HeicGitterKodieren(t.pfad("kacheln.heic"), bild, 90, 64, false, {{}, 65, 64});
    HeicGitterKodieren(t.pfad("selbst.heic"), bild, 90, 64, false, {{}, 0, 0, true});
    EXPECT_EQ(GeprueftMitSpeichergrenze({t.pfad("gross.heic"), QStringLiteral("zu groß (8000x7501)"),
                                         t.pfad("riesig.heic"), QStringLiteral("zu groß (70000x30000)"),
                                         t.pfad("kacheln.heic"), QStringLiteral("zu viele Kacheln (4160)"),
                                         t.pfad("selbst.heic"), QStringLiteral("verschachtelt")}),
              "");
}

TEST(HeifGrenzen, KachelnWieVomTelefonGanzGezeigt) {
    // 4 x 2 tiles of 64, the last column and row padded.
    TestOrdner t;
    const QImage bild = Viertelbild().scaled(200, 100);
    ASSERT_TRUE(HeicGitterKodieren(t.pfad("kacheln.heic"), bild, 95, 64));
    DekodiertesBild b;
    QString grund;
    ASSERT_TRUE(BildLaden(t.pfad("kacheln.heic"), b, &grund)) << grund.toStdString();
    EXPECT_EQ(b.bild.size(), QSize(200, 100));
    EXPECT_EQ(b.originalGroesse, QSize(200, 100));
    for (int e = 0; e < 4; ++e)
        EXPECT_EQ(Ecke(b.bild, e), Ecke(bild, e)) << "Ecke " << e;
    // The middle of each quadrant, across the tiles' seams.
    EXPECT_EQ(Ecke(b.bild.copy(40, 20, 20, 20), 0), QColor(Qt::red));
    EXPECT_EQ(Ecke(b.bild.copy(140, 70, 20, 20), 0), QColor(Qt::white));
    EXPECT_TRUE(HeifLeinwaendeZulaessig(TestOrdner::lesen(t.pfad("kacheln.heic")), kMaxDekodierPixel));
    // A single picture, turned by its boxes, has no grid at all.
    HeicSchreiben(t.pfad("hoch.heic"), Viertelbild(), 6);
    EXPECT_TRUE(HeifLeinwaendeZulaessig(TestOrdner::lesen(t.pfad("hoch.heic")), kMaxDekodierPixel));
}

TEST(HeifGrenzen, OrtstabelleMitUnzaehligenLeerenStueckenAbgelehnt) {
    // A location table of a million items with 128 pieces each, every field of no bytes:
    // 10 MB of file that would be 2 GB of pieces in memory. Refused (for whatever reason)
    // within the memory bound of the test process.
    const auto box = [](const char* typ, const QByteArray& inhalt) {
        const quint32 n = quint32(8 + inhalt.size());
        QByteArray b;
        for (int s = 24; s >= 0; s -= 8)
            b.append(char((n >> s) & 0xFF));
        return b + QByteArray(typ, 4) + inhalt;
    };
    const auto zahl = [](quint64 v, int bytes) {
        QByteArray b;
        for (int s = (bytes - 1) * 8; s >= 0; s -= 8)
            b.append(char((v >> s) & 0xFF));
        return b;
    };
    constexpr quint32 kEintraege = 1'000'000;
    QByteArray iloc = zahl(2, 1) + zahl(0, 3) + zahl(0, 1) + zahl(0, 1) + zahl(kEintraege, 4);
    for (quint32 i = 1; i <= kEintraege; ++i)
        iloc += zahl(i, 4) + zahl(0, 2) + zahl(0, 2) + zahl(128, 2);
    const QByteArray iinf = zahl(0, 4) + zahl(0, 2);
    const QByteArray datei = box("ftyp", "heic" + zahl(0, 4) + "mif1heic") +
                             box("meta", zahl(0, 4) + box("iinf", iinf) + box("iloc", iloc));
    TestOrdner t;
    const QString pfad = t.datei(QStringLiteral("IMG_0002.HEIC"), datei);
    EXPECT_EQ(GeprueftMitSpeichergrenze({pfad, QString()}), "");
}
