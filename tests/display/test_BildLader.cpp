#include "app/alb_Main.h"
#include "display/zpt_BildLader.h"
#include "display/zpt_Bildflaeche.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

TEST(BildLader, NennerDeckenDieAnzeigeUndDieGrenze) {
    EXPECT_EQ(BenoetigterNenner({6000, 4000}, {1610, 1073}), 2);
    EXPECT_EQ(BenoetigterNenner({6000, 4000}, {700, 466}), 8);
    EXPECT_EQ(BenoetigterNenner({6000, 4000}, {}), 1);         // natural size: every pixel
    EXPECT_EQ(BenoetigterNenner({1601, 1201}, {401, 301}), 4); // libjpeg rounds up: 401 x 301 covers it
    EXPECT_EQ(BenoetigterNenner({1601, 1201}, {401, 302}), 2);
    EXPECT_EQ(BenoetigterNenner({12000, 9000}, {}), 2); // the pixel bound wins
}

TEST(BildLader, CacheNachPfadGroesseUndZeitMitGrenze) {
    TestOrdner t;
    TBildLader lader;
    const QString a = JpegEinfarbig(t.pfad("a.jpg"), 800, 600, Qt::red);
    const ZielGroesse klein = [](QSize) { return QSize(200, 150); };
    DekodiertesBild bild;
    ASSERT_TRUE(lader.Holen(a, klein, bild));
    EXPECT_EQ(bild.nenner, 4);
    EXPECT_EQ(bild.bild.size(), QSize(200, 150));
    EXPECT_EQ(bild.originalGroesse, QSize(800, 600));
    EXPECT_TRUE(lader.Vorhanden(a, klein));
    EXPECT_FALSE(lader.Vorhanden(a, {})); // the full size was never decoded
    // Changed outside the program: decoded anew.
    JpegEinfarbig(a, 400, 300, Qt::blue);
    EXPECT_FALSE(lader.Vorhanden(a, klein));
    ASSERT_TRUE(lader.Holen(a, {}, bild));
    EXPECT_EQ(bild.originalGroesse, QSize(400, 300));
    // Least recently used out first.
    lader.Grenze = 3 * 400 * 300 * 4;
    for (const char* n : {"b.jpg", "c.jpg", "d.jpg"})
        ASSERT_TRUE(lader.Holen(JpegEinfarbig(t.pfad(n), 400, 300), {}, bild));
    EXPECT_FALSE(lader.Vorhanden(a, {}));
    EXPECT_TRUE(lader.Vorhanden(t.pfad("d.jpg"), {}));
    EXPECT_LE(lader.Belegt(), lader.Grenze);
    // Ahead in the background; a newer request drops what has not started.
    lader.Leeren();
    lader.Vorladen({t.pfad("b.jpg"), t.pfad("c.jpg")}, {});
    lader.Warten();
    EXPECT_TRUE(lader.Vorhanden(t.pfad("c.jpg"), {}));
    EXPECT_FALSE(lader.Holen(t.datei("kaputt.jpg", "kein jpeg"), {}, bild));
}

TEST(BildLader, PanelDekodiertInAnzeigegroesseUndVorausInBeideRichtungen) {
    TestOrdner t;
    for (const char* n : {"a.jpg", "b.jpg", "c.jpg"})
        JpegEinfarbig(t.pfad(n), 1600, 1200);
    TBildLader::Instanz().Leeren();
    TzptFotoPanel panel;
    panel.resize(410, 330);
    panel.setGrossanpassen(true);
    panel.show();
    panel.setGrundpfad(t.pfad());
    panel.ReadFolder(true);
    panel.setAnzeigeEnabled(true);
    panel.First();
    EXPECT_EQ(panel.InfoText(1), "1600x1200");           // the true size
    EXPECT_LE(panel.Bildflaeche()->Bild().width(), 800); // decoded for 410 x 330, not at full size
    TBildLader::Instanz().Warten();
    EXPECT_TRUE(TBildLader::Instanz().Vorhanden(AddBackslash(t.pfad()) + "b.jpg",
                                                [](QSize) { return QSize(390, 292); }));
    // Larger: decoded again, larger; natural size: every pixel.
    panel.resize(1700, 1300);
    EXPECT_EQ(panel.Bildflaeche()->Bild().size(), QSize(1600, 1200));
    panel.resize(410, 330);
    panel.setGrossanpassen(false);
    EXPECT_EQ(panel.Bildflaeche()->Bild().size(), QSize(1600, 1200));
}

TEST(BildLader, HeicKleinDekodiertUndWeiterVoraus) {
    // A HEIC is decoded at full size only inside libheif: what is kept is the display's size.
    TestOrdner t;
    const QImage bild = Viertelbild().scaled(640, 320);
    for (const char* n : {"a.heic", "b.heic", "c.heic", "d.heic", "e.heic", "f.heic"})
        HeicSchreiben(t.pfad(n), bild);
    TestOrdner j;
    for (const char* n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
        JpegEinfarbig(j.pfad(n), 640, 320);
    const ZielGroesse klein = [](QSize) { return QSize(150, 75); };
    DekodiertesBild b;
    ASSERT_TRUE(BildLaden(t.pfad("a.heic"), b, nullptr, klein));
    EXPECT_EQ(b.nenner, 4);
    EXPECT_EQ(b.bild.size(), QSize(160, 80));
    EXPECT_EQ(b.originalGroesse, QSize(640, 320));
    for (int e = 0; e < 4; ++e)
        EXPECT_EQ(Ecke(b.bild, e), Ecke(bild, e)) << "Ecke " << e;
    ASSERT_TRUE(BildLaden(t.pfad("a.heic"), b));
    EXPECT_EQ(b.bild.size(), QSize(640, 320));
    EXPECT_EQ(b.nenner, 1);

    // Paging: four HEIC pictures ahead, two JPEGs.
    for (const QString& ordner : {t.pfad(), j.pfad()}) {
        TBildLader::Instanz().Leeren();
        TzptFotoPanel panel;
        panel.resize(180, 110);
        panel.setGrossanpassen(true);
        panel.show();
        panel.setGrundpfad(ordner);
        panel.ReadFolder(true);
        panel.setAnzeigeEnabled(true);
        panel.First();
        TBildLader::Instanz().Warten();
        const bool heic = ordner == t.pfad();
        EXPECT_EQ(panel.Bildflaeche()->Bild().width(), 320); // decoded at half size for 180 x 110
        QStringList voraus;
        for (int i = 1; i < panel.Count(); ++i) {
            const QString pfad = AddBackslash(ordner) + panel.Files()[i];
            if (TBildLader::Instanz().Vorhanden(pfad, [](QSize) { return QSize(160, 80); }))
                voraus << panel.Files()[i];
        }
        EXPECT_EQ(voraus, heic ? QStringList({"b.heic", "c.heic", "d.heic", "e.heic"})
                               : QStringList({"b.jpg", "c.jpg"}));
    }
}

TEST(BildLader, HauptfensterLaedtDenNaechstenTagVoraus) {
    TestKonfiguration k;
    ScriptInteraktion ui;
    TestAlbum album;
    album.tag("2005", "20050101", {"a.jpg", "b.jpg"});
    album.tag("2005", "20050102", {});
    album.tag("2005", "20050103", {"c.jpg", "d.jpg"});
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    m->foto->Last();
    EXPECT_EQ(m->TagNachbarn(true), QStringList({album.ordner.pfad("2005/20050103/") + "c.jpg"}));
    m->cb_Tage->setKey("20050103");
    m->cb_TageChange();
    m->foto->Next();
    m->foto->Prior();
    EXPECT_EQ(m->TagNachbarn(false), QStringList({album.ordner.pfad("2005/20050101/") + "b.jpg"}));
}
