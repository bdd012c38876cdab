// The videos of a CD folder: a Live Photo's video goes with its picture, the day's other
// videos only when asked for, never a sync program's conflict copy, and a video that
// cannot be copied is named while the rest goes on.
#include "album/alb_Videos.h"
#include "album/alb_ini.h"
#include "burn/alb_Brennwizard.h"
#include "burn/alb_Export.h"
#include "support/ExportTest.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_PfadEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
struct ExportVideos : ExportTest {
    QString tag1, tag2;
    const QStringList eintraege{"2005/20050101/IMG_1.jpg", "2005/20050101/IMG_2.jpg", "2005/20050102/c.jpg"};

    void SetUp() override {
        tag1 = album.tag("2005", "20050101", {"IMG_1.jpg", "IMG_2.jpg"});
        tag2 = album.tag("2005", "20050102", {"c.jpg"});
        album.tag("2005", "20050103", {"d.jpg"}); // not in the list: nothing of it goes
        album.ordner.datei("2005/20050101/IMG_1.MOV", "live");
        album.ordner.datei("2005/20050101/Ausflug #1.mp4", "ausflug");
        album.ordner.datei("2005/20050101/alt.avi", "alt");
        album.ordner.datei("2005/20050101/notiz.txt", "kein Video");
        album.ordner.datei("2005/20050101/._IMG_2.MOV", "Notiz eines Mac");
        album.ordner.datei("2005/20050101/IMG_1.sync-conflict-20250101-101010-ABCDEFG.MOV", "konflikt");
        album.ordner.datei("2005/20050101/Ausflug #1 (conflicted copy 2025-01-01 101010).mp4", "konflikt");
        album.ordner.datei("2005/20050102/Schlitten.mp4", "schlitten");
        album.ordner.datei("2005/20050103/d.mp4", "d");
    }
    // The files below `ordner`, relative to it.
    static QStringList Baum(const QString& ordner) {
        QStringList namen;
        const QDir d(ordner);
        for (const QString& jahr : {"2005/20050101", "2005/20050102", "2005/20050103"})
            for (const QString& n :
                 QDir(ordner + "/" + jahr).entryList(QDir::Files | QDir::System, QDir::Name))
                namen << QString(jahr) + "/" + n;
        return namen;
    }
    // The days of an album.js.
    static QJsonArray Tage(const QString& albumJs) {
        return AlbumDaten(TestOrdner::lesen(albumJs))["jahre"][0]["tage"].toArray();
    }
};
} // namespace

TEST_F(ExportVideos, LiveVideoMitDemBildTagesvideosNurMitHaken) {
    // Without the check box: only the video of a listed picture's name.
    TExport e(G(), eintraege, still);
    e.CDKopieren(ziel.pfad("cd"), true, ziel.pfad("liste.txt"));
    EXPECT_EQ(Baum(ziel.pfad("cd")), QStringList({"2005/20050101/IMG_1.MOV", "2005/20050101/IMG_1.jpg",
                                                  "2005/20050101/IMG_2.jpg", "2005/20050102/c.jpg"}));
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("cd/2005/20050101/IMG_1.MOV")), "live");
    EXPECT_TRUE(Zeilen(ziel.pfad("liste.txt")).contains(tag1 + "/IMG_1.MOV"));
    EXPECT_EQ(e.Zusammenfassung(), "Die Dateien wurden kopiert.");
    // On the page it is the picture's motion; the day lists no videos.
    const QJsonArray seite = Tage(ziel.pfad("cd/album.js"));
    EXPECT_EQ(seite[0]["bilder"][0]["live"].toString(), "2005/20050101/IMG_1.MOV");
    EXPECT_FALSE(seite[0]["bilder"][1].toObject().contains("live"));
    EXPECT_FALSE(seite[0].toObject().contains("videos"));

    // With it: every video of the listed days, still no conflict copy and nothing of
    // other days; the file list alone names the same files and copies none of them.
    for (const bool kopieren : {true, false}) {
        const QString cd = ziel.pfad(kopieren ? "alle" : "nurListe");
        TExport a(G(), eintraege, still);
        a.VideosDerTage = true;
        a.CDKopieren(cd, kopieren, cd + ".txt");
        const QStringList videos{tag1 + "/Ausflug #1.mp4", tag1 + "/IMG_1.MOV", tag1 + "/alt.avi",
                                 tag2 + "/Schlitten.mp4"};
        const QStringList liste = Zeilen(cd + ".txt");
        for (const QString& v : videos) {
            EXPECT_TRUE(liste.contains(v)) << v.toStdString();
            EXPECT_EQ(QFile::exists(ZielName(v, cd + "/", G())), kopieren) << v.toStdString();
        }
        EXPECT_EQ(liste.filter(".mp4").size() + liste.filter(".MOV").size() + liste.filter(".avi").size(), 4)
            << liste.join(", ").toStdString();
        EXPECT_EQ(a.Fehlerzahl, 0);
        const QJsonArray tage = Tage(cd + "/album.js");
        EXPECT_EQ(QJsonDocument(tage[0]["videos"].toArray()).toJson(QJsonDocument::Compact),
                  R"([{"datei":"2005/20050101/alt.avi","name":"alt.avi"},)"
                  R"({"datei":"2005/20050101/Ausflug%20%231.mp4","name":"Ausflug #1.mp4"}])");
        EXPECT_EQ(tage[0]["bilder"][0]["live"].toString(), "2005/20050101/IMG_1.MOV");
        EXPECT_EQ(tage[1]["videos"][0]["name"].toString(), "Schlitten.mp4");
    }
}

// A video that is a pipe, a link that cannot be read, or one whose place in the CD folder
// is taken: each is counted and named, and the pictures and videos after it are copied.
TEST_F(ExportVideos, KaputtesVideoWirdGenanntUndDerRestKopiert) {
    ASSERT_EQ(mkfifo(QFile::encodeName(tag1 + "/pipe.mp4").constData(), 0600), 0);
    album.ordner.unlesbar("2005/20050101/IMG_2.MOV");
    ASSERT_TRUE(QDir().mkpath(ziel.pfad("cd/2005/20050101/alt.avi")));
    TExport e(G(), eintraege, still);
    e.VideosDerTage = true;
    e.CDKopieren(ziel.pfad("cd"), true, ziel.pfad("liste.txt"));
    EXPECT_EQ(e.Fehlerzahl, 3);
    const QString summe = e.Zusammenfassung();
    for (const QString& name : {"2005/20050101/pipe.mp4", "2005/20050101/IMG_2.MOV", "2005/20050101/alt.avi"})
        EXPECT_TRUE(summe.contains("\r" + name)) << summe.toStdString();
    for (const QString& da : {"2005/20050101/IMG_1.MOV", "2005/20050101/Ausflug #1.mp4",
                              "2005/20050102/c.jpg", "2005/20050102/Schlitten.mp4"})
        EXPECT_TRUE(QFileInfo(ziel.pfad("cd/") + da).isFile()) << da.toStdString();
    EXPECT_FALSE(QFileInfo::exists(ziel.pfad("cd/2005/20050101/pipe.mp4")));
    // Neither the list nor the page names what is not there.
    const QStringList liste = Zeilen(ziel.pfad("liste.txt"));
    EXPECT_FALSE(liste.contains(tag1 + "/pipe.mp4"));
    EXPECT_FALSE(liste.contains(tag1 + "/IMG_2.MOV"));
    const QJsonArray tage = Tage(ziel.pfad("cd/album.js"));
    EXPECT_EQ(tage[0]["videos"].toArray().size(), 1);
    EXPECT_FALSE(tage[0]["bilder"][1].toObject().contains("live"));
}

TEST_F(ExportVideos, AssistentNimmtDieVideosDerTageMitWennGewaehlt) {
    {
        Tam_Brennwizard w;
        EXPECT_EQ(w.cx_Videos->text(), "Videos der Tage mitnehmen");
        EXPECT_FALSE(w.cx_Videos->isChecked()); // off unless chosen
        w.cx_Videos->setChecked(true);
        w.close();
    }
    Tam_Brennwizard w;
    EXPECT_TRUE(w.cx_Videos->isChecked()); // kept for the next run
    w.show();
    const QRect box(w.cx_Videos->mapTo(&w, QPoint(0, 0)), w.cx_Videos->sizeHint());
    EXPECT_TRUE(w.rect().contains(box)) << "the check box lies inside the window";
    w.hide();
    for (Tzpt_Groupbox* g : {w.rg_Einzeldatei, w.rg_Fotolabor, w.rg_jpegcd})
        g->setAllEnabled(false);
    w.rg_Zielpfad->setAllEnabled(true);
    w.Ausfuehren(ziel.datei("liste.Pixolud", "2005/20050102/c.jpg\r\n"), album.pfad());
    w.ed_Zielpfad->setText(ziel.pfad("cd"));
    w.wzLastAction();
    EXPECT_EQ(ui.meldungen.back().text, "Die Dateien wurden kopiert.");
    EXPECT_TRUE(QFile::exists(ziel.pfad("cd/2005/20050102/Schlitten.mp4")));
}

// Of two videos of a picture's name the page plays the one the program plays on P, and
// lists the other among the day's videos.
TEST_F(ExportVideos, ZweiVideosEinesNamensBewegungWieImProgramm) {
    album.ordner.datei("2005/20050101/IMG_1.mp4", "auch live");
    TExport e(G(), eintraege, still);
    e.VideosDerTage = true;
    e.CDKopieren(ziel.pfad("cd"), true, ziel.pfad("liste.txt"));
    const QString imProgramm = LiveVideos(tag1).value(LiveSchluessel("IMG_1.jpg"));
    ASSERT_FALSE(imProgramm.isEmpty());
    const QJsonArray tage = Tage(ziel.pfad("cd/album.js"));
    EXPECT_EQ(tage[0]["bilder"][0]["live"].toString(), QString("2005/20050101/") + imProgramm);
    QStringList gelistet;
    for (const auto& v : tage[0]["videos"].toArray())
        gelistet << v.toObject()["name"].toString();
    EXPECT_EQ(gelistet.filter("IMG_1", Qt::CaseInsensitive).size(), 1) << gelistet.join(", ").toStdString();
    EXPECT_FALSE(gelistet.contains(imProgramm));
}
