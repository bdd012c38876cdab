#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "display/zpt_grafik.h"
#include "support/TestOrdner.h"
#include "support/Testbilder.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"
#include "zpt_JpegDrehen.h"

#include <QFile>
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
