#include "album/alb_ini.h"
#include "app/alb_AndereDateien.h"
#include "app/alb_Main.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_grafik.h"
#include "settings/zpt_ProfilDatei.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_Papierkorb.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct Befehle : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    QString tag;

    void SetUp() override {
        tag = album.tag("2005", "20050101", {"a.jpg", "b.jpg", "c.jpg"});
        album.ordner.datei("2005/20050101/CLIP01.AVI", "RIFF");
        album.tag("2005", "20050102", {"x.jpg"});
    }
    std::unique_ptr<Tam_Main> Fenster(QStringList argumente = {"/Edit"}) {
        auto m = album.fenster(argumente, {1000, 600});
        m->cb_Jahr->setKey("2005");
        m->cb_JahrChange();
        return m;
    }
    static QString Bild(const Tam_Main& m) { return QFileInfo(m.foto->CurrentFileName()).fileName(); }
};
} // namespace

TEST_F(Befehle, LoeschenMitNeinAendertNichts) {
    auto m = Fenster();
    m->Aktion("ax_BildDel")->trigger();
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text,
              "Soll das Bild \r" + AddBackslash(tag) + "a.jpg\rin den Papierkorb verschoben werden?");
    EXPECT_EQ(ui.meldungen[0].vorgabe, mrNo);
    EXPECT_TRUE(QFile::exists(tag + "/a.jpg"));
    EXPECT_EQ(m->foto->Count(), 3);
}

TEST_F(Befehle, LoeschenDesLetztenUndDesEinzigenBildes) {
    auto m = Fenster();
    m->foto->Last();
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_FALSE(QFile::exists(tag + "/c.jpg"));
    EXPECT_EQ(Bild(*m), "b.jpg");
    m->cb_Tage->setKey("20050102");
    m->cb_TageChange();
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_EQ(m->foto->Count(), 0);
    EXPECT_EQ(m->foto->InfoText(0), "0/0");
    EXPECT_EQ(m->cb_Tage->Key(), "20050102");
}

TEST_F(Befehle, GeloeschtesBildLiegtImPapierkorbUndKommtMitBildunterschriftZurueck) {
    TestOrdner daten;
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", daten.pfad().toLocal8Bit());
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {"Oma am Meer"}));
    const QByteArray inhalt = TestOrdner::lesen(tag + "/a.jpg");
    auto m = Fenster();
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_EQ(Bild(*m), "b.jpg");
    const QString korb = daten.pfad("Trash");
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/a.jpg"), inhalt);
    const QString info = TestOrdner::lesen(korb + "/info/a.jpg.trashinfo");
    EXPECT_TRUE(info.contains("Path=" + QUrl::toPercentEncoding(AddBackslash(tag) + "a.jpg", "/")));
    EXPECT_TRUE(info.contains("DeletionDate=" + QDate::currentDate().toString("yyyy-MM-dd")));
    EXPECT_EQ(QDir(tag).entryList(QDir::Files), QStringList({"ALBUM.DAT", "b.jpg", "c.jpg", "CLIP01.AVI"}));
    // A second picture of that name gets a name of its own in the trash.
    album.ordner.datei("2005/20050101/a.jpg", "zweites");
    m->foto->ReadFolderAt(true, tag + "/a.jpg");
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_EQ(QDir(korb + "/files").entryList(QDir::Files).size(), 2);
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/a.jpg"), inhalt);
    // Brought back by the file manager: its caption is there again.
    ASSERT_TRUE(QFile::rename(korb + "/files/a.jpg", tag + "/a.jpg"));
    m->foto->ReadFolderAt(true, tag + "/a.jpg");
    QStringList zeilen;
    BildtextLesen(tag + "/a.jpg", zeilen);
    EXPECT_EQ(zeilen, QStringList({"Oma am Meer"}));
    qputenv("XDG_DATA_HOME", vorher);
}

TEST_F(Befehle, OhnePapierkorbNurNachZweiterFrageEndgueltig) {
    PapierkorbAbschalten(true);
    auto m = Fenster();
    ui.antworten << mrYes << mrNo;
    m->Aktion("ax_BildDel")->trigger();
    ASSERT_EQ(ui.meldungen.size(), 2);
    EXPECT_EQ(ui.meldungen[1].text,
              "Das Bild kann nicht in den Papierkorb verschoben werden.\rSoll es endgültig gelöscht werden?");
    EXPECT_EQ(ui.meldungen[1].vorgabe, mrNo);
    EXPECT_TRUE(QFile::exists(tag + "/a.jpg"));
    EXPECT_EQ(m->foto->Count(), 3);
    ui.antworten << mrYes << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    PapierkorbAbschalten(false);
    EXPECT_FALSE(QFile::exists(tag + "/a.jpg"));
    EXPECT_EQ(Bild(*m), "b.jpg");
}

TEST_F(Befehle, AnzeigemodusLoeschtNicht) {
    auto m = Fenster({});
    QTest::keyClick(m->foto, Qt::Key_Delete);
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_EQ(m->foto->Count(), 3);
}

TEST_F(Befehle, DrehenErsetztDasBildUndLaedtNeu) {
    JpegEinfarbig(tag + "/b.jpg", 64, 32);
    auto m = Fenster();
    ASSERT_TRUE(m->Aktion("ax_Rotate_R")->isVisible());
    m->foto->Next();
    ASSERT_EQ(m->foto->InfoText(1), "64x32");
    QTest::keyClick(m->foto, Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Bild(*m), "b.jpg");
    EXPECT_EQ(m->foto->InfoText(1), "32x64");
    m->Aktion("ax_Rotate_L")->trigger();
    EXPECT_EQ(m->foto->InfoText(1), "64x32");
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_TRUE(m->foto->hasFocus());
}

TEST_F(Befehle, DrehenMitUngewoehnlichemDateinamen) {
    JpegEinfarbig(tag + "/Oma \"Käthe\" & Opa 'Kurt'.jpg", 64, 32);
    auto m = Fenster();
    m->foto->Last();
    ASSERT_EQ(m->foto->InfoText(1), "64x32");
    m->Aktion("ax_Rotate_R")->trigger();
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_EQ(m->foto->InfoText(1), "32x64");
}

TEST_F(Befehle, TitelAufSchreibgeschuetzterDateiWirdGemeldet) {
    album.ordner.datei("2005/20050101/ALBUM.DAT", "[TITEL]\r\nTITELNAME=alt\r\n");
    QFile::setPermissions(tag + "/ALBUM.DAT", QFileDevice::ReadOwner);
    auto m = Fenster();
    ui.dialoge << [](QDialog& d) {
        d.findChild<QLineEdit*>("ed")->setText("neu");
        return int(mrOk);
    };
    m->Aktion("ax_Titel")->trigger();
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_EQ(TestOrdner::lesen(tag + "/ALBUM.DAT"), "[TITEL]\r\nTITELNAME=alt\r\n");
    EXPECT_EQ(m->cb_Tage->Text(), "01.01.2005 - alt");
}

TEST_F(Befehle, DrehfehlerMeldetUndLaesstDieDateiUnveraendert) {
    const QByteArray kaputt = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(500, 'x');
    album.ordner.datei("2005/20050101/a.jpg", kaputt);
    auto m = Fenster();
    m->Aktion("ax_Rotate_R")->trigger();
    EXPECT_EQ(TestOrdner::lesen(tag + "/a.jpg"), kaputt);
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].art, MeldungsArt::Information);
    EXPECT_TRUE(ui.meldungen[0].text.endsWith("Unbekannter Fehler (1)"));
    EXPECT_EQ(Bild(*m), "a.jpg");
}

TEST_F(Befehle, RefreshBehaeltTagUndBild) {
    auto m = Fenster();
    m->foto->Next();
    album.tag("2005", "20050103", {"neu.jpg"});
    JpegEinfarbig(tag + "/aa.jpg", 20, 20);
    QTest::keyClick(m->foto, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    EXPECT_EQ(Bild(*m), "b.jpg");
    EXPECT_EQ(m->foto->Count(), 4);
    EXPECT_TRUE(m->cb_Tage->KeyList().contains("20050103"));
}

TEST_F(Befehle, DateinameInDieZwischenablageMitPiep) {
    auto m = Fenster();
    m->Aktion("ax_DateiNameInsClipBoard")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), AddBackslash(tag) + "a.jpg");
    EXPECT_EQ(ui.piepse, 1);
}

TEST_F(Befehle, Programminformation) {
    auto m = Fenster();
    m->Aktion("ax_Status")->trigger();
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text,
              "Programmversion : Pixoluda 2.42 01.02.2012\r\rGrundpfad : " + AddBackslash(tag) +
                  "\rBildname : " + AddBackslash(tag) +
                  "a.jpg\rEinstellungen : " + EinstellungsVerzeichnis() + "Pixolud.ini");
}

TEST_F(Befehle, AndereDateienImKopfbalken) {
    auto m = Fenster();
    EXPECT_EQ(m->cb_Andere->KeyList(), QStringList({"CLIP01.AVI"}));
    EXPECT_FALSE(m->pa_Andere->isHidden());
    EXPECT_TRUE(m->bb_Andere->isEnabled());
    const int breit = m->cb_Tage->width();
    EXPECT_EQ(m->pa_Andere->x(), m->cb_Tage->x() + breit);
    EXPECT_EQ(m->pa_Andere->width(), m->cb_Andere->width() + m->bb_Andere->width());

    m->cb_Tage->setKey("20050102");
    m->cb_TageChange();
    EXPECT_TRUE(m->cb_Andere->KeyList().isEmpty());
    EXPECT_TRUE(m->pa_Andere->isHidden());
    EXPECT_FALSE(m->bb_Andere->isEnabled());
    EXPECT_EQ(m->cb_Tage->width(), breit + m->pa_Andere->width());

    m->cb_Tage->setKey("20050101");
    m->cb_TageChange();
    m->Aktion("ax_AndereDateienAnzeigen")->trigger();
    EXPECT_TRUE(m->pa_Andere->isHidden());
    m->close();
    EXPECT_EQ(TProfilDatei(EinstellungsVerzeichnis() + "Pixolud.ini")
                  .LeseString("Tam_Main", "AndereDateienAnzeigen"),
              "Nein");
}

TEST_F(Befehle, MaskeOhneSemikolonGehtVerloren) {
    auto m = Fenster();
    ui.dialoge << [](QDialog& d) {
        dynamic_cast<Tam_AndereDateien&>(d).ed_Joker->setText("*.avi");
        return int(mrOk);
    };
    m->Aktion("ax_AndereDateien")->trigger();
    EXPECT_EQ(m->AndereDateienMaske, "*.avi");
    EXPECT_TRUE(m->cb_Andere->KeyList().isEmpty());
    ui.dialoge << [](QDialog& d) {
        auto& dlg = dynamic_cast<Tam_AndereDateien&>(d);
        EXPECT_EQ(dlg.ed_Joker->text(), "*.avi");
        dlg.ed_Joker->setText("*.avi;");
        return int(mrOk);
    };
    m->Aktion("ax_AndereDateien")->trigger();
    EXPECT_EQ(m->cb_Andere->KeyList(), QStringList({"CLIP01.AVI"}));
    ui.dialoge << [](QDialog& d) {
        dynamic_cast<Tam_AndereDateien&>(d).ed_Joker->setText("*.txt;");
        return int(mrCancel);
    };
    m->Aktion("ax_AndereDateien")->trigger();
    EXPECT_EQ(m->AndereDateienMaske, "*.avi;");
}
