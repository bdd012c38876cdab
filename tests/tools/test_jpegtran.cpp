#include "display/zpt_Exif.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "display/zpt_grafik.h"
#include "support/TestOrdner.h"
#include "support/Testbilder.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_sys.h"
#include "zpt_JpegDrehen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
QSize Groesse(const QString& pfad) {
    DekodiertesBild b;
    return JpegDekodieren(pfad, b) ? b.originalGroesse : QSize();
}

int Werkzeug(const QStringList& argumente, QString* fehler = nullptr) {
    QProcess p;
    p.start(ProgrammVerzeichnis() + plattform::JpegtranName, argumente);
    p.waitForFinished(-1);
    if (fehler) *fehler = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
} // namespace

TEST(Jpegtran, VierDrehungenNachRechtsGebenDieGleichenPixel) {
    TestOrdner t;
    const QString pfad = t.pfad("bild.jpg");
    ASSERT_TRUE(JpegSchreiben(Musterbild(64, 48, 3), pfad, 90));
    DekodiertesBild vorher;
    ASSERT_TRUE(JpegDekodieren(pfad, vorher));
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(Werkzeug({"-rotate", "90", pfad, pfad}), 0);
        EXPECT_EQ(Groesse(pfad), i % 2 ? QSize(64, 48) : QSize(48, 64));
    }
    DekodiertesBild nachher;
    ASSERT_TRUE(JpegDekodieren(pfad, nachher));
    EXPECT_EQ(nachher.bild, vorher.bild);
    ASSERT_EQ(Werkzeug({"-rotate", "270", pfad, t.pfad("links.jpg")}), 0);
    ASSERT_EQ(Werkzeug({"-rotate", "180", t.pfad("links.jpg"), t.pfad("links.jpg")}), 0);
    ASSERT_EQ(Werkzeug({"-rotate", "270", t.pfad("links.jpg"), t.pfad("links.jpg")}), 0);
    DekodiertesBild zurueck;
    ASSERT_TRUE(JpegDekodieren(t.pfad("links.jpg"), zurueck));
    EXPECT_EQ(zurueck.bild, vorher.bild);
}

// Two rotations of one picture at the same moment (two windows, two machines): both turns
// count, none is lost to the other's replace.
TEST(Jpegtran, ZweiDrehungenZugleichDrehenZweimal) {
    TestOrdner t;
    const QString pfad = t.pfad("bild.jpg");
    ASSERT_TRUE(JpegSchreiben(Musterbild(64, 48, 3), pfad, 90));
    for (int runde = 0; runde < 10; ++runde) {
        QProcess a, b;
        a.start(ProgrammVerzeichnis() + plattform::JpegtranName, {"-rotate", "90", pfad, pfad});
        b.start(ProgrammVerzeichnis() + plattform::JpegtranName, {"-rotate", "90", pfad, pfad});
        ASSERT_TRUE(a.waitForFinished(-1) && b.waitForFinished(-1));
        EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
        EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
        // An odd number of turns would stand the picture on its side.
        EXPECT_EQ(Groesse(pfad), QSize(64, 48)) << "Runde " << runde;
    }
}

TEST(Jpegtran, RandbloeckeWerdenAbgeschnitten) {
    TestOrdner t;
    const QString pfad = JpegEinfarbig(t.pfad("schief.jpg"), 641, 481);
    ASSERT_EQ(Werkzeug({"-rotate", "90", pfad, pfad}), 0);
    // The partial block row at the bottom cannot turn losslessly: 481 -> 480.
    EXPECT_EQ(Groesse(pfad), QSize(480, 641));
    const QString zweites = JpegEinfarbig(t.pfad("schief2.jpg"), 641, 481);
    ASSERT_EQ(Werkzeug({"-rotate", "270", zweites, zweites}), 0);
    EXPECT_EQ(Groesse(zweites), QSize(481, 640));
}

TEST(Jpegtran, MarkerBleibenErhalten) {
    QByteArray jpeg = JpegKodieren(Musterbild(32, 32, 1), 80);
    // A comment marker right after SOI.
    const QByteArray kommentar = QByteArray("\xFF\xFE\x00\x0E", 4) + "Urlaub 2005";
    jpeg.insert(2, kommentar + QByteArray(1, '\0'));
    QByteArray gedreht;
    QString fehler;
    ASSERT_TRUE(JpegDrehen(jpeg, 90, gedreht, fehler)) << fehler.toStdString();
    EXPECT_TRUE(gedreht.contains("Urlaub 2005"));
}

TEST(Jpegtran, DrehtWieGesehenUndSetztDieOrientierungAufEins) {
    TestOrdner t;
    const QImage aufrecht = Viertelbild();
    const QString pfad = JpegMitOrientierung(t.pfad("handy.jpg"), aufrecht, 6);
    const QByteArray vorher = TestOrdner::lesen(pfad);
    ASSERT_EQ(Werkzeug({"-rotate", "90", pfad, pfad}), 0);
    const QByteArray nachher = TestOrdner::lesen(pfad);
    EXPECT_EQ(JpegOrientierung(nachher), 1);
    DekodiertesBild b;
    ASSERT_TRUE(JpegDekodieren(pfad, b));
    // The upright picture a quarter turn clockwise: blue, red / white, green.
    ASSERT_EQ(b.bild.size(), QSize(32, 64));
    EXPECT_EQ(Ecke(b.bild, 0), QColor(Qt::blue));
    EXPECT_EQ(Ecke(b.bild, 1), QColor(Qt::red));
    EXPECT_EQ(Ecke(b.bild, 2), QColor(Qt::white));
    EXPECT_EQ(Ecke(b.bild, 3), QColor(Qt::green));
    // The EXIF block is kept byte for byte but for the tag's value.
    const int a = int(vorher.indexOf("Exif")), n = int(nachher.indexOf("Exif"));
    ASSERT_GE(a, 0);
    ASSERT_GE(n, 0);
    const QByteArray blockVorher = vorher.mid(a, 60), blockNachher = nachher.mid(n, 60);
    int unterschiede = 0;
    for (int i = 0; i < blockVorher.size(); ++i)
        if (blockVorher[i] != blockNachher[i]) {
            ++unterschiede;
            EXPECT_EQ(int(blockVorher[i]), 6);
            EXPECT_EQ(int(blockNachher[i]), 1);
        }
    EXPECT_EQ(unterschiede, 1);
    EXPECT_TRUE(nachher.contains("Kamra"));

    // Turned left instead, an Orientation 8 picture is the upright one.
    const QString links = JpegMitOrientierung(t.pfad("links.jpg"), aufrecht, 8);
    ASSERT_EQ(Werkzeug({"-rotate", "270", links, links}), 0);
    ASSERT_TRUE(JpegDekodieren(links, b));
    ASSERT_EQ(b.bild.size(), QSize(32, 64));
    EXPECT_EQ(Ecke(b.bild, 0), QColor(Qt::green));
}

TEST(Jpegtran, VolleFestplatteNenntDenGrund) {
    KleinesDateisystem klein(64);
    if (!klein.da()) GTEST_SKIP() << "no file system can be mounted here";
    TestOrdner t;
    const QString quelle = t.pfad("gross.jpg");
    ASSERT_TRUE(JpegSchreiben(Musterbild(400, 300, 5), quelle, 98));
    const QByteArray alt = "altes Bild";
    const QString ziel = klein.pfad("bild.jpg");
    QFile f(ziel);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(alt);
    f.close();
    klein.fuellen(8 * 1024);
    QString fehler;
    EXPECT_EQ(Werkzeug({"-rotate", "90", quelle, ziel}, &fehler), 1);
    EXPECT_TRUE(fehler.contains("No space left on device")) << fehler.toStdString();
    EXPECT_EQ(TestOrdner::lesen(ziel), alt);
}

TEST(Jpegtran, FehlerLassenDasBildUnberuehrt) {
    TestOrdner t;
    const QByteArray kaputt = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(3000, 'x');
    const QString pfad = t.datei("kaputt.jpg", kaputt);
    QString fehler;
    EXPECT_EQ(Werkzeug({"-rotate", "90", pfad, pfad}, &fehler), 1);
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(TestOrdner::lesen(pfad), kaputt);
    EXPECT_EQ(Werkzeug({"-rotate", "45", pfad, pfad}), 1);
    EXPECT_EQ(Werkzeug({"-rotate", "90", t.pfad("fehlt.jpg"), t.pfad("neu.jpg")}), 1);
    EXPECT_FALSE(QFile::exists(t.pfad("neu.jpg")));
    EXPECT_EQ(Werkzeug({}), 1);
    const QString leer = t.datei("leer.jpg", "");
    EXPECT_EQ(Werkzeug({"-rotate", "90", leer, leer}), 1);
    EXPECT_EQ(TestOrdner::lesen(leer), "");
    // A read-only folder: the picture stays as it was.
    const QString gut = JpegEinfarbig(t.pfad("ro/gut.jpg"), 32, 32);
    const QByteArray vorher = TestOrdner::lesen(gut);
    QFile::setPermissions(t.pfad("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const int code = Werkzeug({"-rotate", "90", gut, gut});
    QFile::setPermissions(t.pfad("ro"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (code != 0) EXPECT_EQ(TestOrdner::lesen(gut), vorher); // root may write anyway
}

// An album made of links into a photo library: the picture is turned where it lies, under
// its own lock, and the album keeps its link.
TEST(Jpegtran, VerknuepftesBildWirdAmZielGedreht) {
    TestOrdner t;
    const QString echt = t.pfad("bibliothek/bild.jpg");
    QDir().mkpath(t.pfad("bibliothek"));
    QDir().mkpath(t.pfad("album/2005/20050101"));
    ASSERT_TRUE(JpegSchreiben(Musterbild(64, 48, 3), echt, 90));
    const QString bild = t.pfad("album/2005/20050101/bild.jpg");
    ASSERT_TRUE(QFile::link("../../../bibliothek/bild.jpg", bild));
    QString fehler;
    ASSERT_TRUE(JpegDateiDrehen(bild, bild, 90, fehler)) << fehler.toStdString();
    EXPECT_TRUE(QFileInfo(bild).isSymbolicLink());
    EXPECT_EQ(Groesse(echt), QSize(48, 64));
    // Another rotation holding the picture keeps this one waiting, then refused.
    TDateiSperre::WartezeitSetzen(100);
    {
        const TDateiSperre andere(echt);
        ASSERT_TRUE(andere.Erhalten());
        EXPECT_FALSE(JpegDateiDrehen(bild, bild, 90, fehler));
        EXPECT_EQ(fehler, SperrMeldung(echt));
    }
    TDateiSperre::WartezeitSetzen(5000);
    EXPECT_EQ(Groesse(echt), QSize(48, 64));
    EXPECT_TRUE(QFileInfo(bild).isSymbolicLink());
}
