#include "album/alb_Suche.h"
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
#include "sys/zpt_Sperre.h"
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
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <utility>

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

namespace {
// Answers the question after `waehrend` ran: what arrives while the user reads it.
struct FrageMitZwischenfall : ScriptInteraktion {
    std::function<void()> waehrend;
    int Meldung(const MeldungsAnfrage& a) override {
        if (waehrend) std::exchange(waehrend, {})();
        return ScriptInteraktion::Meldung(a);
    }
};
} // namespace

// A day's listing from a slow drive that comes while the deletion is asked about moves the
// panel to the day's first picture: the picture named in the question is the one that goes,
// or none.
TEST_F(Befehle, LoeschenNachSpaeterTagesliste) {
    auto m = Fenster();
    m->TagFristMs = 0; // the day's files come later, as from a slow drive
    for (int i = 0; i < 1000 && !m->foto->OrdnerLaedtNoch(); ++i)
        m->cb_TageChange(); // read within no time on a local disk, now and then
    if (!m->foto->OrdnerLaedtNoch()) GTEST_SKIP() << "the listing came at once";
    m->Aktion("ax_Refresh")->trigger(); // read again by the user meanwhile
    m->foto->Last();
    ASSERT_EQ(Bild(*m), "c.jpg");
    FrageMitZwischenfall frage;
    frage.antworten << mrYes;
    frage.waehrend = [&] { (void)QTest::qWaitFor([&] { return Bild(*m) != "c.jpg"; }, 5000); };
    m->Aktion("ax_BildDel")->trigger();
    ASSERT_EQ(frage.meldungen.size(), 1);
    EXPECT_TRUE(frage.meldungen[0].text.contains("c.jpg"));
    EXPECT_TRUE(QFile::exists(tag + "/a.jpg"));
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

TEST_F(Befehle, NeuesBildGleichenNamensErbtDieBildunterschriftDesGeloeschtenNicht) {
    TestOrdner daten;
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", daten.pfad().toLocal8Bit());
    const QString hilde = QString::fromUtf8("Oma Hilde, 80. Geburtstag");
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {hilde}));
    auto m = Fenster();
    m->BildUnterschriftSetzen(true);
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    ASSERT_FALSE(QFile::exists(tag + "/a.jpg"));
    // Kept for the way back, but no caption of a.jpg any more.
    EXPECT_TRUE(QString::fromLatin1(TestOrdner::lesen(tag + "/ALBUM.DAT")).contains("Oma Hilde"));
    // Another a.jpg comes in, from the next card; one of the same size, too.
    const QByteArray alt = TestOrdner::lesen(daten.pfad("Trash/files/a.jpg"));
    QByteArray neu = alt;
    neu[neu.size() / 2] = char(neu[neu.size() / 2] ^ 1);
    JpegEinfarbig(tag + "/a.jpg", 20, 10, Qt::blue);
    const QByteArray anderes = TestOrdner::lesen(tag + "/a.jpg");
    for (const QByteArray& inhalt : {anderes, neu}) {
        album.ordner.datei("2005/20050101/a.jpg", inhalt);
        m->foto->ReadFolderAt(true, tag + "/a.jpg");
        ASSERT_EQ(Bild(*m), "a.jpg");
        EXPECT_EQ(m->re->toPlainText(), "");
        QStringList zeilen;
        BildtextLesen(tag + "/a.jpg", zeilen);
        EXPECT_TRUE(zeilen.isEmpty());
        TSuchIndex index(album.pfad(), {});
        EXPECT_TRUE(index.Suchen("Hilde").isEmpty());
    }
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {"Neues Bild"}));
    // The new one renamed (the file manager restores nothing over it), the old one back:
    // its own caption is there again, and the search finds it.
    ASSERT_TRUE(QFile::rename(tag + "/a.jpg", tag + "/a2.jpg"));
    ASSERT_TRUE(QFile::rename(daten.pfad("Trash/files/a.jpg"), tag + "/a.jpg"));
    m->foto->ReadFolderAt(true, tag + "/a.jpg");
    EXPECT_EQ(m->re->toPlainText(), hilde);
    TSuchIndex index(album.pfad(), {});
    const auto treffer = index.Suchen("Hilde");
    ASSERT_EQ(treffer.size(), 1);
    EXPECT_EQ(treffer[0].bild, "a.jpg");
    qputenv("XDG_DATA_HOME", vorher);
}

// Another program keeps ALBUM.DAT locked while a picture goes to the trash: the caption
// cannot be set aside, and the user is told, since a new picture of the name would show it.
TEST_F(Befehle, NichtBeiseitegelegteBildunterschriftWirdGemeldet) {
    TestOrdner daten;
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", daten.pfad().toLocal8Bit());
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {"Oma Hilde"}));
    auto m = Fenster();
    TDateiSperre::WartezeitSetzen(100);
    {
        const TDateiSperre andere(tag + "/ALBUM.DAT");
        ui.antworten << mrYes;
        m->Aktion("ax_BildDel")->trigger();
    }
    TDateiSperre::WartezeitSetzen(5000);
    qputenv("XDG_DATA_HOME", vorher);
    ASSERT_FALSE(QFile::exists(tag + "/a.jpg"));
    ASSERT_FALSE(ui.meldungen.isEmpty());
    EXPECT_TRUE(ui.meldungen.last().text.contains("nicht beiseitegelegt"))
        << ui.meldungen.last().text.toStdString();
    EXPECT_TRUE(ui.meldungen.last().text.contains("a.jpg"));
}

// Brought back from the trash and turned before its caption was ever shown: the turn
// changes the picture's bytes, and with them what the set-aside caption was kept for.
TEST_F(Befehle, ZurueckgeholtesBildBehaeltBeimDrehenSeineBildunterschrift) {
    TestOrdner daten;
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", daten.pfad().toLocal8Bit());
    JpegEinfarbig(tag + "/b.jpg", 64, 32);
    ASSERT_TRUE(BildtextSchreiben(tag, "b.jpg", {"Oma am Meer"}));
    auto m = Fenster();
    m->BildUnterschriftSetzen(false);
    m->foto->Next();
    ASSERT_EQ(Bild(*m), "b.jpg");
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    ASSERT_FALSE(QFile::exists(tag + "/b.jpg"));
    ASSERT_TRUE(QFile::rename(daten.pfad("Trash/files/b.jpg"), tag + "/b.jpg"));
    m->foto->ReadFolderAt(true, tag + "/b.jpg");
    ASSERT_EQ(Bild(*m), "b.jpg");
    m->Aktion("ax_Rotate_R")->trigger();
    ASSERT_EQ(m->foto->InfoText(1), "32x64");
    QStringList zeilen;
    BildtextLesen(tag + "/b.jpg", zeilen);
    EXPECT_EQ(zeilen, QStringList({"Oma am Meer"}));
    qputenv("XDG_DATA_HOME", vorher);
}

TEST_F(Befehle, VideoGleichenNamensGehtAufNachfrageMit) {
    TestOrdner daten;
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", daten.pfad().toLocal8Bit());
    JpegEinfarbig(tag + "/IMG_0001.JPG", 16, 16);
    album.ordner.datei("2005/20050101/IMG_0001.MOV", "moov");
    JpegEinfarbig(tag + "/IMG_0002.JPG", 16, 16);
    album.ordner.datei("2005/20050101/img_0002.mov", "moov");
    auto m = Fenster();
    m->foto->ReadFolderAt(true, tag + "/IMG_0001.JPG");
    // Ja to the picture; the video's question answered by its default.
    ui.antworten << mrYes;
    m->Aktion("ax_BildDel")->trigger();
    ASSERT_EQ(ui.meldungen.size(), 2);
    EXPECT_EQ(ui.meldungen[1].text, "Soll auch das Video \r" + AddBackslash(tag) +
                                        "IMG_0001.MOV\rin den Papierkorb verschoben werden?");
    EXPECT_EQ(ui.meldungen[1].vorgabe, mrYes);
    EXPECT_EQ(QDir(daten.pfad("Trash/files")).entryList(QDir::Files),
              QStringList({"IMG_0001.JPG", "IMG_0001.MOV"}));
    EXPECT_TRUE(QFile::exists(daten.pfad("Trash/info/IMG_0001.MOV.trashinfo")));
    // Nein keeps the video; Nein to the picture asks nothing more.
    m->foto->ReadFolderAt(true, tag + "/IMG_0002.JPG");
    ui.antworten << mrNo;
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_EQ(ui.meldungen.size(), 3);
    ui.antworten << mrYes << mrNo;
    m->Aktion("ax_BildDel")->trigger();
    EXPECT_EQ(ui.meldungen.size(), 5);
    EXPECT_FALSE(QFile::exists(tag + "/IMG_0002.JPG"));
    EXPECT_TRUE(QFile::exists(tag + "/img_0002.mov"));
    // Without a trash, the video gets the second question of its own.
    PapierkorbAbschalten(true);
    album.ordner.datei("2005/20050101/IMG_0002.JPG", TestOrdner::lesen(tag + "/a.jpg"));
    m->foto->ReadFolderAt(true, tag + "/IMG_0002.JPG");
    ui.antworten << mrYes << mrYes << mrYes << mrNo;
    m->Aktion("ax_BildDel")->trigger();
    PapierkorbAbschalten(false);
    ASSERT_EQ(ui.meldungen.size(), 9);
    EXPECT_EQ(
        ui.meldungen[8].text,
        QString::fromUtf8(
            "Das Video kann nicht in den Papierkorb verschoben werden.\rSoll es endgültig gelöscht werden?"));
    EXPECT_FALSE(QFile::exists(tag + "/IMG_0002.JPG"));
    EXPECT_TRUE(QFile::exists(tag + "/img_0002.mov"));
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
    // A change the folder's time does not tell (a drive's coarse or lagging clock) is seen
    // at the refresh all the same.
    const timespec zeiten[2] = {{0, UTIME_OMIT}, {time(nullptr) - 86400, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(tag).constData(), zeiten, 0), 0);
    m->Aktion("ax_Refresh")->trigger(); // listed and kept by the folder's time
    JpegEinfarbig(tag + "/ab.jpg", 20, 20);
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(tag).constData(), zeiten, 0), 0);
    m->Aktion("ax_Refresh")->trigger();
    EXPECT_EQ(m->foto->Count(), 5);
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
    const int andere = m->pa_Andere->width();

    m->cb_Tage->setKey("20050102");
    m->cb_TageChange();
    EXPECT_TRUE(m->cb_Andere->KeyList().isEmpty());
    EXPECT_TRUE(m->pa_Andere->isHidden());
    EXPECT_FALSE(m->bb_Andere->isEnabled());
    EXPECT_EQ(m->cb_Tage->width(), breit + andere);

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
