// Videos in the program: the player, the stills of the list, the player window from the
// list of other files, and the Live Photo's motion in the photo panel. The videos are made
// by ffmpeg in set-up; without ffmpeg the tests are skipped.
#include "app/alb_Main.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_VideoFenster.h"
#include "display/zpt_VideoSpieler.h"
#include "display/zpt_VideoStandbild.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_Schalter.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
// Bounded waits: a broken back end fails the test instead of hanging it.
constexpr int kFrist = 15000;

bool Ffmpeg(const QStringList& argumente) {
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), QStringList{"-hide_banner", "-loglevel", "error", "-y"} + argumente);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Share of the picture's pixels near `farbe`.
double Anteil(const QImage& bild, const QColor& farbe) {
    if (bild.isNull()) return 0;
    int treffer = 0, alle = 0;
    for (int y = 0; y < bild.height(); y += 4)
        for (int x = 0; x < bild.width(); x += 4, ++alle) {
            const QColor c = bild.pixelColor(x, y);
            if (qAbs(c.red() - farbe.red()) < 60 && qAbs(c.green() - farbe.green()) < 60 &&
                qAbs(c.blue() - farbe.blue()) < 60)
                ++treffer;
        }
    return double(treffer) / alle;
}

// Videos made once for all tests: red with a moving blue bar (H.264 MP4, 2 s), green
// (HEVC MOV), the red one cut in half, and text named .mp4.
struct Videos : ::testing::Test {
    static inline TestOrdner* ordner = nullptr;
    static inline bool ohneFfmpeg = false;
    static QString rot() { return ordner->pfad("rot.mp4"); }
    static QString gruen() { return ordner->pfad("gruen.mov"); }
    static QString kaputt() { return ordner->pfad("kaputt.mp4"); }
    static QString text() { return ordner->pfad("text.mp4"); }

    static void SetUpTestSuite() {
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) {
            ohneFfmpeg = true;
            return;
        }
        ordner = new TestOrdner;
        // With sound, as phones record: a machine without a sound device must play it too.
        ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "color=c=red:s=160x120:d=2:r=25", "-f", "lavfi", "-i",
                            "sine=frequency=440:duration=2", "-shortest", "-vf",
                            "drawbox=x='mod(t*80,140)':y=0:w=20:h=120:color=blue:t=fill", "-c:v", "libx264",
                            "-preset", "ultrafast", "-pix_fmt", "yuv420p", rot()}));
        ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "color=c=0x00ff00:s=160x120:d=1:r=25", "-c:v", "libx265",
                            "-preset", "ultrafast", "-x265-params", "log-level=none", "-pix_fmt", "yuv420p",
                            "-tag:v", "hvc1", gruen()}));
        // ffmpeg writes the index at the end: the first half holds frames but no index.
        const QByteArray ganz = TestOrdner::lesen(rot());
        ordner->datei("kaputt.mp4", ganz.left(ganz.size() / 2));
        ordner->datei("text.mp4", "Dies ist kein Video, nur Text.\n");
        QProcess::execute(QStringLiteral("mkfifo"), {ordner->pfad("rohr.mp4")});
    }
    static void TearDownTestSuite() {
        delete ordner;
        ordner = nullptr;
    }
    void SetUp() override {
        if (ohneFfmpeg) GTEST_SKIP() << "ffmpeg fehlt";
    }
};
} // namespace

TEST_F(Videos, SpielerSpieltH264UndHevcUndLehntKaputteDateienAb) {
    for (const auto& [pfad, farbe] :
         {std::pair{rot(), QColor(Qt::red)}, std::pair{gruen(), QColor(Qt::green)}}) {
        SCOPED_TRACE(pfad.toStdString());
        TVideoSpieler spieler;
        spieler.setStumm(true);
        ASSERT_TRUE(spieler.Oeffnen(pfad)) << spieler.Fehler().toStdString();
        spieler.Abspielen();
        QTRY_VERIFY_WITH_TIMEOUT(spieler.Spielt() && spieler.BildNummer() > 0, kFrist);
        EXPECT_GT(Anteil(spieler.Bild(), farbe), 0.6);
        EXPECT_EQ(spieler.Player()->playbackState(), QMediaPlayer::PlayingState);
    }
    // A pipe named like a video must not block the opening for good.
    for (const QString& pfad : {kaputt(), text(), ordner->pfad("rohr.mp4")}) {
        SCOPED_TRACE(pfad.toStdString());
        TVideoSpieler spieler;
        EXPECT_FALSE(spieler.Oeffnen(pfad));
        EXPECT_FALSE(spieler.Fehler().isEmpty());
        EXPECT_EQ(spieler.BildNummer(), 0);
    }
}

TEST_F(Videos, StandbildWirdEinmalGemachtUndAusDemCacheGenommen) {
    const QString kopie = ordner->pfad("kopie.mp4");
    QFile::remove(kopie);
    ASSERT_TRUE(QFile::copy(rot(), kopie));
    auto holen = [](TStandbilder& s, const QStringList& pfade) {
        QMap<QString, QImage> bilder;
        QObject::connect(&s, &TStandbilder::fertig,
                         [&](const QString& p, const QImage& b) { bilder[p] = b; });
        s.Anfordern(pfade);
        EXPECT_TRUE(QTest::qWaitFor([&] { return bilder.size() == pfade.size(); }, kFrist));
        return bilder;
    };
    {
        TStandbilder s;
        const auto bilder = holen(s, {kopie, text()});
        EXPECT_EQ(bilder[kopie].width(), kStandbildBreite);
        EXPECT_GT(Anteil(bilder[kopie], Qt::red), 0.6);
        EXPECT_TRUE(bilder[text()].isNull()); // no still, and no hang
        EXPECT_EQ(s.Erzeugt(), 1);
        EXPECT_TRUE(QFileInfo(StandbildDatei(kopie)).isFile());
        EXPECT_TRUE(StandbildDatei(kopie).startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)));
    }
    {
        // The next start takes it from the cache.
        TStandbilder s;
        const auto bilder = holen(s, {kopie});
        EXPECT_EQ(bilder[kopie].width(), kStandbildBreite);
        EXPECT_EQ(s.Erzeugt(), 0);
    }
    // A video replaced under the same name gets a still of its own.
    const QString vorher = StandbildDatei(kopie);
    QFile::remove(kopie);
    ASSERT_TRUE(QFile::copy(gruen(), kopie));
    QFile f(kopie);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    f.close();
    EXPECT_NE(StandbildDatei(kopie), vorher);
    TStandbilder s;
    EXPECT_GT(Anteil(holen(s, {kopie})[kopie], Qt::green), 0.6);
    EXPECT_EQ(s.Erzeugt(), 1);
}

TEST_F(Videos, EnterInDerListePieltImFensterUnbekanntesFragtNachDemDesktop) {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    const QString tag = album.tag("2024", "20240501", {"a.jpg", "b.jpg"});
    for (const QString& v : {rot(), text(), kaputt()})
        QFile::copy(v, tag + "/" + QFileInfo(v).fileName());
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->AndereDateienMaske = "*.mp4;";
    m->TagAnzeigen();
    m->foto->First();
    const QStringList liste = m->cb_Andere->KeyList();
    ASSERT_EQ(liste.size(), 3);
    // The list shows a still beside the video, none beside what is no video.
    QTRY_VERIFY_WITH_TIMEOUT(!m->cb_Andere->itemIcon(liste.indexOf("rot.mp4")).isNull(), kFrist);
    EXPECT_TRUE(m->cb_Andere->itemIcon(liste.indexOf("text.mp4")).isNull());

    auto fensterZahl = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += qobject_cast<TVideoFenster*>(w) && w->isVisible();
        return n;
    };
    // Broken and not a video at all: the message names the file, "Nein" opens nothing.
    for (const QString& name : {"text.mp4", "kaputt.mp4"}) {
        ui.meldungen.clear();
        ui.antworten.enqueue(mrNo);
        m->cb_Andere->setKey(name);
        // As the user does: into the list, then Enter (which elsewhere in the window moves on).
        m->cb_Andere->setFocus();
        ASSERT_TRUE(QApplication::focusWidget() == m->cb_Andere ||
                    QApplication::focusWidget() == m->cb_Andere->lineEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_EQ(ui.meldungen.size(), 1);
        EXPECT_TRUE(ui.meldungen[0].text.contains(tag + "/" + name));
        EXPECT_TRUE(ui.meldungen[0].text.contains("kann nicht abgespielt werden"));
        EXPECT_TRUE(ui.meldungen[0].text.contains("Standardprogramm"));
        EXPECT_EQ(fensterZahl(), 0);
    }

    ui.meldungen.clear();
    m->cb_Andere->setKey("rot.mp4");
    QTest::mouseDClick(m->cb_Andere->lineEdit(), Qt::LeftButton);
    ASSERT_EQ(fensterZahl(), 1);
    EXPECT_TRUE(ui.meldungen.isEmpty());
    TVideoFenster* f = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<TVideoFenster*>(w)) f = v;
    TVideoSpieler* s = f->Spieler();
    QTRY_VERIFY_WITH_TIMEOUT(s->Spielt() && s->BildNummer() > 0, kFrist);
    // Fitted like a photo: the 4:3 frame fills the area's height, centred.
    const QRect r = f->Flaeche()->BildRechteck();
    EXPECT_LE(qAbs(r.center().x() - f->Flaeche()->rect().center().x()), 1);
    EXPECT_TRUE(r.height() == f->Flaeche()->height() || r.width() == f->Flaeche()->width());

    QTest::keyClick(f, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(!s->Spielt(), kFrist);
    QTest::keyClick(f, Qt::Key_M);
    EXPECT_TRUE(s->Stumm());
    QTest::keyClick(f, Qt::Key_Right); // beyond the end: held at the end
    QTRY_VERIFY_WITH_TIMEOUT(s->Position() == s->Dauer(), kFrist);
    QTest::keyClick(f, Qt::Key_Left);
    QTRY_VERIFY_WITH_TIMEOUT(s->Position() == 0, kFrist);
    QTest::keyClick(f, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(s->Spielt(), kFrist);
    QTest::keyClick(f, Qt::Key_F);
    EXPECT_TRUE(f->isFullScreen());
    QTest::keyClick(f, Qt::Key_Escape);
    QTRY_COMPARE_WITH_TIMEOUT(fensterZahl(), 0, kFrist);
    // Back at the picture, which Space still pages.
    EXPECT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), "a.jpg");
}

TEST_F(Videos, LiveMarkeNurBeiVideoGleichenNamensUndBewegungAmOrt) {
    TestOrdner tag;
    for (const QString& b : {"IMG_1.JPG", "IMG_2.JPG", "img_3.jpg", "IMG_4.JPG"})
        JpegEinfarbig(tag.pfad(b), 80, 60, Qt::blue);
    QFile::copy(rot(), tag.pfad("IMG_1.MOV"));
    QFile::copy(rot(), tag.pfad("IMG_3.mp4"));     // names compared without regard to case
    QFile::copy(rot(), tag.pfad("IMG_2 (1).MOV")); // another name: not IMG_2's motion
    tag.datei("IMG_4.TXT", "kein Video");
    TzptFotoPanel panel;
    panel.resize(400, 300);
    panel.setAnzeigeEnabled(true);
    panel.setStatusbarVisible(true);
    panel.show();
    panel.setGrundpfad(tag.pfad());
    panel.ReadFolderFirst(true);
    ASSERT_EQ(panel.Count(), 4); // videos are no pictures: "1/4"
    std::vector<bool> marken;
    for (int i = 0; i < panel.Count(); ++i) {
        panel.SetPosition(i);
        marken.push_back(panel.LiveMarke());
    }
    EXPECT_EQ(marken, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(panel.InfoText(0), "4/4");

    panel.First();
    panel.setFocus();
    QTest::keyClick(&panel, Qt::Key_P);
    ASSERT_TRUE(panel.BewegungLaeuft());
    // In place: over the 80x60 picture shown at its size, not over the whole panel.
    auto* ort = panel.findChild<TVideoFlaeche*>();
    ASSERT_TRUE(ort);
    EXPECT_EQ(ort->geometry().size(), QSize(80, 60));
    EXPECT_TRUE(ort->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(panel.Bewegung()->BildNummer() > 0, kFrist);
    EXPECT_TRUE(panel.Bewegung()->Stumm());
    QTest::keyClick(&panel, Qt::Key_M);
    EXPECT_FALSE(panel.Bewegung()->Stumm());
    // Played to its end, the picture is back.
    QTRY_VERIFY_WITH_TIMEOUT(!panel.BewegungLaeuft(), kFrist);
    EXPECT_EQ(panel.InfoText(0), "1/4");

    // Space pages on while the motion plays, and ends it.
    QTest::keyClick(&panel, Qt::Key_P);
    ASSERT_TRUE(panel.BewegungLaeuft());
    QTest::keyClick(&panel, Qt::Key_Space);
    EXPECT_FALSE(panel.BewegungLaeuft());
    EXPECT_EQ(panel.InfoText(0), "2/4");
    // Without a video, P does nothing.
    QTest::keyClick(&panel, Qt::Key_P);
    EXPECT_FALSE(panel.BewegungLaeuft());
}

TEST_F(Videos, StandbildNeuFuerVideoMitGleicherGroesseUndZeit) {
    // Red and green padded to one size (a "free" box at the end), as a sync program or
    // "cp -p" puts another version of a video in place with its size and time.
    const QByteArray r = TestOrdner::lesen(rot()), g = TestOrdner::lesen(gruen());
    const int groesse = int(qMax(r.size(), g.size())) + 64;
    auto auffuellen = [groesse](const QByteArray& b) {
        const int rest = groesse - int(b.size());
        QByteArray frei(rest, '\0');
        for (int i = 0; i < 4; ++i)
            frei[i] = char(rest >> (24 - 8 * i));
        frei.replace(4, 4, "free");
        return b + frei;
    };
    const QDateTime zeit = QDateTime::fromSecsSinceEpoch(1700000000);
    auto setzen = [&](const QString& pfad) {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(zeit, QFileDevice::FileModificationTime));
    };
    auto still = [](const QString& pfad) {
        TStandbilder s;
        QImage bild;
        bool da = false;
        QObject::connect(&s, &TStandbilder::fertig, [&](const QString&, const QImage& b) {
            bild = b;
            da = true;
        });
        s.Anfordern({pfad});
        EXPECT_TRUE(QTest::qWaitFor([&] { return da; }, kFrist));
        return bild;
    };
    const QString video = ordner->datei("version.mp4", auffuellen(r));
    setzen(video);
    EXPECT_GT(Anteil(still(video), Qt::red), 0.6);
    const QString neu = ordner->datei("version.tmp", auffuellen(g));
    setzen(neu);
    ASSERT_TRUE(QFile::remove(video));
    ASSERT_TRUE(QFile::rename(neu, video));
    ASSERT_EQ(QFileInfo(video).size(), groesse);
    EXPECT_GT(Anteil(still(video), Qt::green), 0.6);
}

// Paging on or Esc while the motion still loads breaks it off: no message, no motion.
TEST_F(Videos, BewegungWaehrendDesLadensAbgebrochen) {
    ScriptInteraktion ui;
    TestOrdner tag;
    for (const QString& b : {"IMG_1.JPG", "IMG_2.JPG"})
        JpegEinfarbig(tag.pfad(b), 80, 60, Qt::blue);
    QFile::copy(rot(), tag.pfad("IMG_1.MOV"));
    QFile::copy(rot(), tag.pfad("IMG_2.MOV"));
    TzptFotoPanel panel;
    panel.resize(400, 300);
    panel.setAnzeigeEnabled(true);
    panel.show();
    panel.setGrundpfad(tag.pfad());
    panel.ReadFolderFirst(true);
    panel.setFocus();
    // The keys arrive while the first motion loads.
    for (const Qt::Key taste : {Qt::Key_Space, Qt::Key_Escape}) {
        SCOPED_TRACE(taste);
        panel.First();
        QTimer::singleShot(0, &panel, [&] { QTest::keyClick(&panel, taste); });
        QTest::keyClick(&panel, Qt::Key_P);
        EXPECT_TRUE(ui.meldungen.isEmpty()) << ui.meldungen.value(0).text.toStdString();
        EXPECT_FALSE(panel.BewegungLaeuft());
        EXPECT_EQ(panel.InfoText(0), taste == Qt::Key_Space ? "2/2" : "1/2");
        ui.meldungen.clear();
    }
    // P again while it loads: the motion plays once, without a message.
    panel.First();
    QTimer::singleShot(0, &panel, [&] { QTest::keyClick(&panel, Qt::Key_P); });
    QTest::keyClick(&panel, Qt::Key_P);
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_TRUE(panel.BewegungLaeuft());
    QTRY_VERIFY_WITH_TIMEOUT(panel.Bewegung()->BildNummer() > 0, kFrist);
}

// Enter pressed again while the video still loads opens no second player.
TEST_F(Videos, ZweimalEnterOeffnetEinenSpieler) {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    const QString tag = album.tag("2024", "20240501", {"a.jpg"});
    QFile::copy(rot(), tag + "/rot.mp4");
    auto m = album.fenster({"/Edit"}, {900, 600});
    QTimer::singleShot(0, m.get(), [&] { m->VideoAbspielen(tag + "/rot.mp4"); });
    ASSERT_TRUE(m->VideoAbspielen(tag + "/rot.mp4"));
    QTest::qWait(50);
    const auto fenster = m->findChildren<TVideoFenster*>();
    EXPECT_EQ(fenster.size(), 1);
    EXPECT_TRUE(ui.meldungen.isEmpty());
    for (TVideoFenster* f : fenster)
        f->close();
}

TEST_F(Videos, NameBleibtNebenDemStandbildLesbar) {
    TestKonfiguration konfiguration;
    TestAlbum album;
    const QString tag = album.tag("2024", "20240502", {"a.jpg"});
    const QString name = "Ausflug_2024.mp4";
    QFile::copy(rot(), tag + "/" + name);
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->AndereDateienMaske = "*.mp4;";
    m->TagAnzeigen();
    m->cb_Andere->setKey(name);
    QTRY_VERIFY_WITH_TIMEOUT(!m->cb_Andere->itemIcon(0).isNull(), kFrist);
    // The still takes its room in front of the name, not the name's beginning.
    QLineEdit* feld = m->cb_Andere->lineEdit();
    EXPECT_GE(feld->width(), feld->fontMetrics().horizontalAdvance(name));
    EXPECT_LE(m->cb_Andere->geometry().right(), m->bb_Andere->geometry().left());
}
