#include "settings/zpt_Parameter.h"
#include "settings/zpt_ParameterSpeicher.h"
#include "settings/zpt_StandardIni.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
class Tam_Kamera : public QDialog {
    Q_OBJECT
public:
    Tam_Kamera() : par(new TzptParameter(this)) {}
    TzptParameter* par;
};
} // namespace

TEST(Parameter, EinzelwerteInDerSektionDesFensters) {
    TestKonfiguration k;
    Tam_Kamera f;
    TzptParameter& par = *f.par;
    EXPECT_EQ(par.EinstellungsDateiName(), EinstellungsVerzeichnis() + "Pixolud.ini");
    par.WertSchreiben("ed_Kamera", "/media/kamera");
    par.WertSchreiben("", "nie");
    par.WertSchreiben("zahl", "0x10");
    EXPECT_EQ(TestOrdner::lesen(par.EinstellungsDateiName()),
              "[Tam_Kamera]\r\ned_Kamera=/media/kamera\r\nzahl=0x10\r\n");
    EXPECT_EQ(par.WertLesen("ED_KAMERA"), "/media/kamera");
    EXPECT_EQ(par.WertLesen("", "vorgabe"), "vorgabe");
    EXPECT_EQ(par.ZahlLesen("zahl", 0), 16);
    EXPECT_EQ(par.ZahlLesen("ed_Kamera", 5), 5);
    EXPECT_EQ(par.ZahlLesen("", 5), 5);
}

TEST(Parameter, SchreibfehlerNenntDieDatei) {
    TestOrdner t;
    Tam_Kamera f;
    f.par->DateiName = t.datei("ro.ini", "[Tam_Kamera]\r\n");
    QFile::setPermissions(f.par->DateiName, QFileDevice::ReadOwner);
    try {
        f.par->WertSchreiben("k", "v");
        FAIL() << "kein Fehler";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.meldung, "nach " + f.par->DateiName + " kann nicht geschrieben werden");
    }
}

TEST(Parameter, LadenOhneDateiRuftKeinEreignisSpeichernLegtSieAn) {
    TestOrdner t;
    Tam_Kamera f;
    f.par->DateiName = t.pfad("eigene.ini");
    f.par->FormPosSizeSave = true;
    QStringList ereignisse;
    f.par->OnBeforeLaden = [&](QObject*) { ereignisse << "BeforeLaden"; };
    f.par->OnLaden = [&](QObject*) { ereignisse << "Laden"; };
    f.par->OnAfterLaden = [&](QObject*) { ereignisse << "AfterLaden"; };
    f.par->OnBeforeSpeichern = [&](QObject*) { ereignisse << "BeforeSpeichern"; };
    f.par->OnSpeichern = [&](QObject* p) {
        ereignisse << "Speichern";
        static_cast<TzptParameter*>(p)->WertSchreiben("eigen", "1");
    };
    f.par->OnAfterSpeichern = [&](QObject*) { ereignisse << "AfterSpeichern"; };
    f.resize(400, 300);
    f.par->Laden();
    EXPECT_TRUE(ereignisse.isEmpty());
    EXPECT_EQ(f.size(), QSize(400, 300));
    f.par->WertSchreiben("veraltet", "x");
    f.par->Speichern();
    EXPECT_EQ(ereignisse, QStringList({"BeforeSpeichern", "Speichern", "AfterSpeichern"}));
    EXPECT_EQ(f.par->WertLesen("veraltet", "weg"), "weg"); // the section is written anew
    EXPECT_EQ(f.par->WertLesen("__WIDTH"), "400");
    EXPECT_EQ(f.par->WertLesen("__MAXIMIZED"), "0");
    ereignisse.clear();
    f.resize(200, 100);
    f.par->Laden();
    EXPECT_EQ(ereignisse, QStringList({"BeforeLaden", "Laden", "AfterLaden"}));
    EXPECT_EQ(f.size(), QSize(400, 300));
}

TEST(Parameter, MaximiertOhneGroessenschluessel) {
    TestKonfiguration k;
    Tam_Kamera f;
    f.par->FormPosSizeSave = true;
    f.resize(333, 222);
    f.showMaximized();
    f.par->Speichern();
    const QByteArray inhalt = TestOrdner::lesen(f.par->EinstellungsDateiName());
    EXPECT_EQ(inhalt, "[Tam_Kamera]\r\n__MAXIMIZED=1\r\n__ALIGNLEFT=0\r\n__ALIGNRIGHT=0\r\n");
    Tam_Kamera neu;
    neu.par->FormPosSizeSave = true;
    neu.resize(333, 222);
    neu.par->Laden();
    EXPECT_TRUE(neu.windowState() & Qt::WindowMaximized);
}

TEST(Parameter, BildschirmSchalterSetzenDieGroesse) {
    TestKonfiguration k;
    ProgrammArgumenteSetzen({"/8x6"});
    Tam_Kamera f;
    f.par->FormPosSizeSave = true;
    f.par->WertSchreiben("__WIDTH", "999");
    f.par->Laden();
    EXPECT_EQ(f.size(), QSize(800, 600));
    ProgrammArgumenteSetzen({"10X7"});
    f.par->Laden();
    EXPECT_EQ(f.size(), QSize(1024, 768));
}

#include "test_Parameter.moc"

TEST(Parameter, PlatzAufDenBildschirmenDieEsGibt) {
    const QList<QRect> zwei{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const struct {
        QRect gespeichert, erwartet;
    } faelle[] = {
        {{100, 100, 800, 600}, {100, 100, 800, 600}},     // on the first screen
        {{2000, 50, 800, 600}, {2000, 50, 800, 600}},     // on the second
        {{32767, -32767, 640, 480}, {1280, 0, 640, 480}}, // nowhere: onto the first
        {{-5000, 200, 3000, 2000}, {0, 0, 1920, 1080}},   // too large as well
        {{1900, -20, 800, 600}, {1120, 0, 800, 600}},     // its title bar above every screen
    };
    for (const auto& f : faelle)
        EXPECT_EQ(PlatzAufBildschirmen(f.gespeichert, zwei), f.erwartet)
            << f.gespeichert.x() << "," << f.gespeichert.y();
}
