#include "sys/alb_Konflikt.h"

#include "display/zpt_FotoListe.h"
#include "support/TestOrdner.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_DateiListe.h"
#include "widgets/zpt_KeyComboBox.h"

#include <gtest/gtest.h>
#include <time.h>

namespace {
QDateTime Zeit(int j, int m, int t, int h, int min, int s) {
    return QDateTime(QDate(j, m, t), QTime(h, min, s));
}
} // namespace

TEST(Konflikt, SyncthingKopieNenntOriginalGeraetUndZeit) {
    const auto k = KonfliktKopie("ALBUM.sync-conflict-20261207-113713-M6CSOA4.DAT");
    ASSERT_TRUE(k);
    EXPECT_EQ(k->art, TKonfliktKopie::Art::Syncthing);
    EXPECT_EQ(k->original, "ALBUM.DAT");
    EXPECT_EQ(k->geraet, "M6CSOA4");
    EXPECT_EQ(k->zeit, Zeit(2026, 12, 7, 11, 37, 13));

    // Any case; older versions name no device; a name without extension; a name with
    // several dots keeps all but the last in front of the marker.
    const auto klein = KonfliktKopie("img_0001.SYNC-CONFLICT-20261207-113713-m6csoa4.jpg");
    ASSERT_TRUE(klein);
    EXPECT_EQ(klein->original, "img_0001.jpg");
    EXPECT_EQ(klein->geraet, "m6csoa4");
    const auto alt = KonfliktKopie("Urlaub.bnl.sync-conflict-20190305-080910.txt");
    ASSERT_TRUE(alt);
    EXPECT_EQ(alt->original, "Urlaub.bnl.txt");
    EXPECT_TRUE(alt->geraet.isEmpty());
    EXPECT_EQ(alt->zeit, Zeit(2019, 3, 5, 8, 9, 10));
    const auto ohne = KonfliktKopie("Pixolud.sync-conflict-20261207-000000-ABCDEFG");
    ASSERT_TRUE(ohne);
    EXPECT_EQ(ohne->original, "Pixolud");
}

TEST(Konflikt, NextcloudKopienMitUndOhneBenutzer) {
    const auto k = KonfliktKopie("ALBUM (conflicted copy 2026-12-07 113713).DAT");
    ASSERT_TRUE(k);
    EXPECT_EQ(k->art, TKonfliktKopie::Art::Nextcloud);
    EXPECT_EQ(k->original, "ALBUM.DAT");
    EXPECT_TRUE(k->geraet.isEmpty());
    EXPECT_EQ(k->zeit, Zeit(2026, 12, 7, 11, 37, 13));

    const auto benutzer = KonfliktKopie("IMG 0001 (Conflicted Copy Oma Erna 2026-01-31 235959).jpg");
    ASSERT_TRUE(benutzer);
    EXPECT_EQ(benutzer->original, "IMG 0001.jpg");
    EXPECT_EQ(benutzer->geraet, "Oma Erna");
    EXPECT_EQ(benutzer->zeit, Zeit(2026, 1, 31, 23, 59, 59));

    const auto alt = KonfliktKopie("album_CONFLICT-20261207-113713.dat");
    ASSERT_TRUE(alt);
    EXPECT_EQ(alt->art, TKonfliktKopie::Art::NextcloudAlt);
    EXPECT_EQ(alt->original, "album.dat");
    EXPECT_EQ(alt->zeit, Zeit(2026, 12, 7, 11, 37, 13));
}

TEST(Konflikt, AehnlicheNamenSindKeineKonfliktkopien) {
    for (const char* name :
         {"Urlaub (conflicted).jpg", "my.sync-conflict.jpg", "ALBUM.DAT", "IMG_0001.JPG",
          "a.sync-conflict-2026127-113713.jpg",          // date too short
          "a.sync-conflict-20261307-113713-M6CSOA4.jpg", // no 13th month
          "a.sync-conflict-20261207-256000.jpg",         // no such time
          "a.sync-conflict-20261207-113713-M6CSOA.jpg",  // device ID too short
          "a.sync-conflict-20261207-113713-M6CSOA1.jpg", // "1" is no base32 digit
          ".sync-conflict-20261207-113713-M6CSOA4.jpg",  // no name in front
          "Foto (conflicted copy).jpg", "Foto (conflicted copy 2026-12-07).jpg",
          "Foto (conflicted copy 2026-12-07 1137).jpg", "Foto(conflicted copy 2026-12-07 113713).jpg",
          "Bild_conflict.jpg", "Bild_conflict-20261207.jpg", "Bild_conflict-20261207-113713-x.jpg"}) {
        EXPECT_FALSE(KonfliktKopie(name)) << name;
        EXPECT_FALSE(IstSyncDatei(name)) << name;
    }
}

TEST(Konflikt, ZwischendateienDerSyncProgramme) {
    for (const char* name : {".syncthing.IMG_0001.JPG.tmp", "~syncthing~ALBUM.DAT.tmp", ".~lock.ALBUM.DAT#",
                             ".sync_1a2b3c4d5e.db", ".sync_1a2b3c4d5e.db-wal", "._sync_1a2b.db",
                             "IMG_0001.JPG.part", "VIDEO.MOV.PART", ".SYNCTHING.a.TMP"}) {
        EXPECT_TRUE(IstSyncZwischendatei(name)) << name;
        EXPECT_TRUE(IstSyncDatei(name)) << name;
    }
    for (const char* name : {"syncthing.tmp", "IMG.tmp", "Teil.partitur.jpg", ".part", "lock.ALBUM.DAT#",
                             "sync_1a2b.db", "IMG_0001.JPG"})
        EXPECT_FALSE(IstSyncZwischendatei(name)) << name;
    EXPECT_TRUE(IstSyncDatei("IMG_0001.sync-conflict-20261207-113713-M6CSOA4.JPG"));
}

// A synced day folder: the pictures and other files of the day are the real ones only.
TEST(Konflikt, TagesordnerListetNurEchteDateien) {
    TestOrdner t;
    for (const char* name :
         {"IMG_0001.JPG", "IMG_0002.jpg", "ALBUM.DAT", "film.mov",
          "IMG_0001.sync-conflict-20261207-113713-M6CSOA4.JPG",
          "ALBUM.sync-conflict-20261207-113713-M6CSOA4.DAT",
          "IMG_0002 (conflicted copy 2026-12-07 113713).jpg", "IMG_0002_conflict-20261207-113713.JPG",
          "film.sync-conflict-20261207-113713.mov", "~syncthing~IMG_0003.JPG.tmp", "IMG_0004.jpg.part",
          "film.mov.part"})
        t.datei(name, "x");
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"IMG_0001.JPG", "IMG_0002.jpg"}));
    QStringList andere;
    for (const TDateiEintrag& e : DateiEintraegeLesen(t.pfad(), "*.mov;*.dat;*.part;*.tmp"))
        andere << e.name;
    andere.sort();
    EXPECT_EQ(andere, QStringList({"ALBUM.DAT", "film.mov"}));
    // The main window's list of other files of the day.
    TzptKeyComboBox liste;
    liste.DateienEinlesen(t.pfad(), "*.mov;*.part;", false, false, false, true);
    EXPECT_EQ(liste.KeyList(), QStringList({"film.mov"}));
    QStringList alle;
    DateienToItems(t.pfad(), "*", alle);
    alle.sort();
    EXPECT_EQ(alle, QStringList({"ALBUM.DAT", "IMG_0001.JPG", "IMG_0002.jpg", "film.mov"}));
}
// A copy named on a computer in another time zone may name an hour that the clock skips
// here: still a conflict copy, not a picture of its own.
TEST(Konflikt, ZeitDieHierUebersprungenWird) {
    const QByteArray vorher = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const auto k = KonfliktKopie("IMG_0001.sync-conflict-20270328-023015-M6CSOA4.JPG");
    if (vorher.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", vorher);
    tzset();
    ASSERT_TRUE(k);
    EXPECT_EQ(k->original, "IMG_0001.JPG");
    EXPECT_TRUE(k->zeit.isValid());
    EXPECT_EQ(k->zeit.date(), QDate(2027, 3, 28));
}
