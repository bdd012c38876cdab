#include "app/alb_Main.h"
#include "display/zpt_FotoPanel.h"
#include "settings/zpt_ProfilDatei.h"
#include "settings/zpt_StandardIni.h"
#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/alb_Directory.h"
#include "widgets/zpt_PfadEdit.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QSplitter>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
QString Ini() {
    return EinstellungsVerzeichnis() + "Pixolud.ini";
}

void IniSchreiben(const QByteArray& inhalt) {
    QFile f(Ini());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

QString Wert(const QString& schluessel) {
    return TProfilDatei(Ini()).LeseString("Tam_Main", schluessel, "<fehlt>");
}
} // namespace

TEST(Hauptfenster, OhneArgumenteAnzeigemodusAufDemProgrammordner) {
    TestKonfiguration k;
    ScriptInteraktion ui;
    Tam_Main m;
    EXPECT_TRUE(m.NurAnzeige);
    EXPECT_TRUE(m.NurZahlJahre);
    EXPECT_EQ(m.Grundpfad, ProgrammVerzeichnis());
    EXPECT_EQ(m.windowTitle(), "Pixoluda 2.42 [Pixolud]");
    EXPECT_FALSE(m.MitBildUnterschrift);
    EXPECT_TRUE(m.re->isHidden());
    EXPECT_TRUE(m.pa_LinksUnten->isHidden());
    EXPECT_TRUE(m.pa_Brennliste->isHidden());
    EXPECT_EQ(m.JpegtranDatei, ProgrammVerzeichnis() + plattform::JpegtranName);
    EXPECT_EQ(m.AlbumIndexDatei, ProgrammVerzeichnis() + "Pixolud.dat");
    EXPECT_FALSE(m.AlbumIndexVorhanden);
    EXPECT_EQ(Hauptfenster(), &m);
    EXPECT_TRUE(ui.meldungen.isEmpty());
}

TEST(Hauptfenster, EditSchalterGrundpfadUndBeschriftung) {
    TestKonfiguration k;
    TestOrdner album, anderes;
    album.datei("PIXOLUD.DAT", "[x]\r\n");
    ProgrammArgumenteSetzen(
        {"/editor", "/Grundpfad=" + anderes.pfad(), "/GRUNDPFAD=" + album.pfad(), "/Alles"});
    Tam_Main m;
    EXPECT_FALSE(m.NurAnzeige);
    EXPECT_FALSE(m.NurZahlJahre);
    EXPECT_EQ(m.Grundpfad, AddBackslash(album.pfad()));
    EXPECT_EQ(m.windowTitle(), "Pixoluda 2.42 [Pixolud] [" + AddBackslash(album.pfad()) + "]");
    EXPECT_TRUE(m.AlbumIndexVorhanden);
    EXPECT_EQ(m.AlbumIndexDatei, AddBackslash(album.pfad()) + "PIXOLUD.DAT");
}

TEST(Hauptfenster, FehlenderGrundpfadFaelltAufDenGespeichertenZurueck) {
    TestKonfiguration k;
    TestOrdner album;
    IniSchreiben("[Tam_Main]\r\nGrundpfad=" + album.pfad().toUtf8() + "\r\n");
    ProgrammArgumenteSetzen({"/Edit", "/Grundpfad=" + album.pfad("fehlt")});
    Tam_Main m;
    EXPECT_EQ(m.Grundpfad, AddBackslash(album.pfad()));
    ProgrammArgumenteSetzen({"/Grundpfad=" + album.pfad("fehlt")});
    Tam_Main anzeige; // viewer mode ignores the stored base folder
    EXPECT_EQ(anzeige.Grundpfad, ProgrammVerzeichnis());
}

TEST(Hauptfenster, IniSchalterOhneOrdnerUndMitOrdner) {
    TestKonfiguration k;
    ProgrammArgumenteSetzen({"/Ini=Test"});
    {
        Tam_Main m;
        EXPECT_EQ(StandardIniDateiName(), AnwendungsDatenVerzeichnis("Pixolud") + "Test.ini");
        EXPECT_EQ(m.windowTitle(), "Pixoluda 2.42 [Test]");
        m.close();
    }
    EXPECT_TRUE(QFile::exists(AddBackslash(k.pfad()) + "Kefwerk/Pixolud/Test.ini"));
    StandardIniZuruecksetzen();
    TestOrdner t;
    ProgrammArgumenteSetzen({"/Ini=" + t.pfad("a.cfg")});
    Tam_Main m;
    EXPECT_EQ(StandardIniDateiName(), t.pfad("a.cfg"));
    EXPECT_EQ(m.windowTitle(), "Pixoluda 2.42 [a]");
}

TEST(Hauptfenster, EinstellungenLesen) {
    TestKonfiguration k;
    IniSchreiben("[Tam_Main]\r\nStretch=\" Ja\"\r\nGrossStretch= Nein\r\nInfo=wahr\r\nHintergrund=blau\r\n"
                 "AndereDateien=*.mp4;\r\nAndereDateienAnzeigen=Nein\r\nAndereDateienHoehe=80\r\n");
    Tam_Main m;
    EXPECT_FALSE(m.foto->Stretch());
    EXPECT_FALSE(m.foto->Grossanpassen());
    EXPECT_TRUE(m.foto->StatusbarVisible());
    EXPECT_EQ(m.Hintergrundfarbe, 12632256u);
    EXPECT_EQ(m.foto->Color(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(m.AndereDateienMaske, "*.mp4;");
    EXPECT_FALSE(m.AndereDateienAnzeigen());
    EXPECT_EQ(m.AndereDateienHoehe(), 80);
}

TEST(Hauptfenster, VorgabenOhneEinstellungsdatei) {
    TestKonfiguration k;
    Tam_Main m;
    EXPECT_FALSE(m.foto->Stretch());
    EXPECT_TRUE(m.foto->Grossanpassen());
    EXPECT_TRUE(m.foto->StatusbarVisible());
    EXPECT_EQ(m.Hintergrundfarbe, 0u);
    EXPECT_EQ(m.foto->Color(), QColor(Qt::black));
    EXPECT_EQ(m.AndereDateienMaske, "*.mov;*.avi;*.wav;");
    EXPECT_EQ(m.AndereDateienHoehe(), 46);
}

TEST(Hauptfenster, SchliessenSchreibtDieSchluesselDerTabelle) {
    TestKonfiguration k;
    ScriptInteraktion ui;
    TestOrdner album;
    ProgrammArgumenteSetzen({"/Edit", "/Grundpfad=" + album.pfad()});
    {
        Tam_Main m;
        ui.farben << QColor(0x10, 0x20, 0x30);
        m.Aktion("ax_Hintergrund")->trigger();
        EXPECT_EQ(m.Hintergrundfarbe, 0x302010u);
        m.close();
    }
    EXPECT_EQ(TestOrdner::lesen(Ini()), "[Tam_Main]\r\nGrundpfad=" + AddBackslash(album.pfad()).toUtf8() +
                                            "\r\ncb_Jahr=\r\ncb_Tage=\r\nStretch=Nein\r\nGrossStretch="
                                            "Ja\r\nInfo=Ja\r\nHintergrund=3153936\r\n"
                                            "AndereDateien=*.mov;*.avi;*.wav;\r\nAndereDateienHoehe=46\r\n"
                                            "AndereDateienAnzeigen=Ja\r\n");
    EXPECT_TRUE(ui.meldungen.isEmpty());
}

TEST(Hauptfenster, AnzeigemodusSpeichertKeinenGrundpfad) {
    TestKonfiguration k;
    {
        Tam_Main m;
        m.close();
    }
    EXPECT_EQ(Wert("Grundpfad"), "<fehlt>");
    EXPECT_EQ(Wert("Stretch"), "Nein");
}

TEST(Hauptfenster, SchreibgeschuetzteEinstellungenMeldenUndSchliessenTrotzdem) {
    TestKonfiguration k;
    ScriptInteraktion ui;
    IniSchreiben("[Tam_Main]\r\nStretch=Ja\r\n");
    QFile::setPermissions(Ini(), QFileDevice::ReadOwner);
    Tam_Main m;
    m.show();
    EXPECT_TRUE(m.close());
    EXPECT_FALSE(m.isVisible());
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, "Sie haben keine Schreibrechte für \r" + Ini());
    EXPECT_EQ(ui.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_EQ(TestOrdner::lesen(Ini()), "[Tam_Main]\r\nStretch=Ja\r\n");
}

TEST(Hauptfenster, UnlesbareEinstellungenWerdenNichtErsetzt) {
    TestKonfiguration k;
    ScriptInteraktion ui;
    TestOrdner t;
    QFile::link(t.unlesbar("weg"), Ini());
    Tam_Main m;
    m.show();
    EXPECT_TRUE(m.close());
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, "Sie haben keine Schreibrechte für \r" + Ini());
    EXPECT_TRUE(QFileInfo(Ini()).isSymLink());
}

TEST(Hauptfenster, GrundpfadBefehlUebernimmtDenGewaehltenOrdner) {
    TestKonfiguration k;
    ScriptInteraktion ui;
    TestOrdner neu;
    neu.datei("Pixolud.dat", "");
    Tam_Main m;
    QString vorbelegt;
    ui.dialoge << [&](QDialog& d) {
        auto& dir = dynamic_cast<Tak_Directory&>(d);
        vorbelegt = dir.ed->Text();
        dir.ed->setText(neu.pfad());
        return int(mrOk);
    };
    m.Aktion("ax_Grundpfad")->trigger();
    EXPECT_EQ(vorbelegt, ProgrammVerzeichnis());
    EXPECT_EQ(m.Grundpfad, AddBackslash(neu.pfad()));
    EXPECT_TRUE(m.AlbumIndexVorhanden);
    ui.dialoge << [](QDialog&) { return int(mrCancel); };
    m.Aktion("ax_Grundpfad")->trigger();
    EXPECT_EQ(m.Grundpfad, AddBackslash(neu.pfad()));
    EXPECT_EQ(ui.modalGezeigt, 2);
    // An emptied field or a missing folder keeps the album where it is.
    for (const QString& eingabe : {QString(), neu.pfad("fehlt")}) {
        ui.dialoge << [eingabe](QDialog& d) {
            dynamic_cast<Tak_Directory&>(d).ed->setText(eingabe);
            return int(mrOk);
        };
        m.Aktion("ax_Grundpfad")->trigger();
        EXPECT_EQ(m.Grundpfad, AddBackslash(neu.pfad()));
    }
    EXPECT_EQ(ui.piepse, 2);
}
