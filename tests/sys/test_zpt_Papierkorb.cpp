// Deleting into the trash: the home trash made where it is missing, the top folder's
// trash on another file system, and every failure ending in the question, with the
// picture where it was and no empty .trashinfo left behind.
#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Papierkorb.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kZweiteFrage = QString::fromUtf8(
    "Das Bild kann nicht in den Papierkorb verschoben werden.\rSoll es endgültig gelöscht werden?");

// The test's own data folder, home and working folder; the run's own afterwards.
struct Umgebung {
    QByteArray daten = qgetenv("XDG_DATA_HOME");
    QByteArray heim = qgetenv("HOME");
    QString arbeit = QDir::currentPath();
    ~Umgebung() {
        PapierkorbStoeren(PapierkorbStoerung::Keine);
        qputenv("XDG_DATA_HOME", daten);
        qputenv("HOME", heim);
        QDir::setCurrent(arbeit);
    }
};

int Modus(const QString& pfad) {
    struct stat st {};
    return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QStringList Inhalt(const QString& ordner) {
    return QDir(ordner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                  QDir::Name);
}

QByteArray Info(const QByteArray& ort) {
    return "[Trash Info]\nPath=" + ort +
           "\nDeletionDate=" + QDate::currentDate().toString(Qt::ISODate).toLatin1() + 'T';
}

// A data folder of the test's own, where the home trash is.
struct Papierkorb : ::testing::Test {
    Umgebung u;
    ScriptInteraktion ui;
    TestOrdner daten, album;
    void SetUp() override { qputenv("XDG_DATA_HOME", QFile::encodeName(daten.pfad())); }
};
} // namespace

TEST_F(Papierkorb, OhneLocalShareEntstehtDerPapierkorbImHeimordner) {
    TestOrdner heim, arbeit;
    qputenv("HOME", QFile::encodeName(heim.pfad()));
    qunsetenv("XDG_DATA_HOME");
    QDir::setCurrent(arbeit.pfad());
    const QString bild = album.datei("2005/20050101/c.jpg", "Bild");
    const QByteArray ort = QFile::encodeName(QFileInfo(bild).canonicalFilePath());
    EXPECT_EQ(BildEntsorgen(bild), Entsorgung::Entfernt);
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(bild));
    const QString korb = heim.pfad(".local/share/Trash");
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/c.jpg"), "Bild");
    EXPECT_TRUE(TestOrdner::lesen(korb + "/info/c.jpg.trashinfo").startsWith(Info(ort)));
    // Private, as the user's data folders are; nothing in the folder the program started in.
    for (const QString& ordner :
         {heim.pfad(".local"), heim.pfad(".local/share"), korb, korb + "/files", korb + "/info"})
        EXPECT_EQ(Modus(ordner), 0700) << ordner.toStdString();
    EXPECT_TRUE(Inhalt(arbeit.pfad()).isEmpty());
}

TEST_F(Papierkorb, EinPapierkorbDerNichtsAufnimmtEndetInDerZweitenFrage) {
    const QString bild = album.datei("c.jpg", "Bild");
    const QString korb = daten.pfad("Trash");
    daten.ordner("Trash/files");
    // An info folder that takes no file (one owned by root stops users other than root;
    // a file in its place stops everyone).
    daten.datei("Trash/info", "kein Ordner");
    ui.antworten << mrNo;
    EXPECT_EQ(BildEntsorgen(bild), Entsorgung::Behalten);
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, kZweiteFrage);
    EXPECT_EQ(ui.meldungen[0].vorgabe, mrNo);
    EXPECT_EQ(TestOrdner::lesen(bild), "Bild");
    EXPECT_TRUE(Inhalt(korb + "/files").isEmpty());

    // No inode left for the .trashinfo: the question again, and Ja deletes for good.
    ASSERT_TRUE(QFile::remove(korb + "/info"));
    PapierkorbStoeren(PapierkorbStoerung::InfoAnlegen);
    ui.antworten << mrYes;
    EXPECT_EQ(BildEntsorgen(bild), Entsorgung::Entfernt);
    ASSERT_EQ(ui.meldungen.size(), 2);
    EXPECT_EQ(ui.meldungen[1].text, kZweiteFrage);
    EXPECT_FALSE(QFileInfo::exists(bild));
    EXPECT_TRUE(Inhalt(korb + "/files").isEmpty());
    EXPECT_TRUE(Inhalt(korb + "/info").isEmpty());
}

TEST_F(Papierkorb, VollePlatteLaesstDasBildWoEsIst) {
    const QString bild = album.datei("c.jpg", "Bild");
    PapierkorbStoeren(PapierkorbStoerung::InfoSchreiben);
    ui.antworten << mrNo;
    EXPECT_EQ(BildEntsorgen(bild), Entsorgung::Behalten);
    PapierkorbStoeren(PapierkorbStoerung::Keine);
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, kZweiteFrage);
    EXPECT_EQ(TestOrdner::lesen(bild), "Bild");
    EXPECT_TRUE(Inhalt(daten.pfad("Trash/files")).isEmpty());
    EXPECT_TRUE(Inhalt(daten.pfad("Trash/info")).isEmpty());
    // The same on a disk that is really full, where one can be had.
    KleinesDateisystem klein(64);
    if (!klein.da()) GTEST_SKIP() << "kein kleines Dateisystem";
    qputenv("XDG_DATA_HOME", QFile::encodeName(klein.pfad("daten")));
    ASSERT_TRUE(QDir().mkpath(klein.pfad("daten/Trash/files")) &&
                QDir().mkpath(klein.pfad("daten/Trash/info")));
    QFile f(klein.pfad("c.jpg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Bild") == 4);
    f.close();
    klein.fuellen(0);
    ui.antworten << mrNo;
    EXPECT_EQ(BildEntsorgen(klein.pfad("c.jpg")), Entsorgung::Behalten);
    EXPECT_EQ(ui.meldungen.size(), 2);
    EXPECT_EQ(TestOrdner::lesen(klein.pfad("c.jpg")), "Bild");
    EXPECT_TRUE(Inhalt(klein.pfad("daten/Trash/files")).isEmpty());
    EXPECT_TRUE(Inhalt(klein.pfad("daten/Trash/info")).isEmpty());
}

TEST_F(Papierkorb, GleicheNamenUndSonderzeichen) {
    const QString korb = daten.pfad("Trash");
    // A file in files/ whose .trashinfo got lost keeps its name and content.
    daten.datei("Trash/files/c.jpg", "verwaist");
    daten.ordner("Trash/info");
    album.datei("c.jpg", "erstes");
    EXPECT_TRUE(InPapierkorb(album.pfad("c.jpg")));
    album.datei("c.jpg", "zweites");
    EXPECT_TRUE(InPapierkorb(album.pfad("c.jpg")));
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/c.jpg"), "verwaist");
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/c.2.jpg"), "erstes");
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/c.3.jpg"), "zweites");
    EXPECT_EQ(Inhalt(korb + "/info"), QStringList({"c.2.jpg.trashinfo", "c.3.jpg.trashinfo"}));
    // The place as bytes, percent-encoded but for letters, digits, "-._~" and "/".
    const QString name = QString::fromUtf8("Oma & Opa ü 100%.jpg");
    const QString bild = album.datei(name, "Bild");
    const QByteArray ort =
        QFile::encodeName(QFileInfo(album.pfad()).canonicalFilePath()).toPercentEncoding("/") +
        "/Oma%20%26%20Opa%20%C3%BC%20100%25.jpg";
    EXPECT_TRUE(InPapierkorb(bild));
    EXPECT_TRUE(TestOrdner::lesen(korb + "/info/" + name + ".trashinfo").startsWith(Info(ort)));
    // A name so long that ".trashinfo" would not fit is shortened in the trash.
    const QString lang = QString(240, u'x') + ".jpg";
    album.datei(lang, "lang");
    EXPECT_TRUE(InPapierkorb(album.pfad(lang)));
    EXPECT_FALSE(QFileInfo::exists(album.pfad(lang)));
}

TEST_F(Papierkorb, AufEinemAnderenDateisystemDerPapierkorbDerWurzel) {
    KleinesDateisystem klein(256);
    if (!klein.da()) GTEST_SKIP() << "kein zweites Dateisystem";
    const QString uid = QString::number(::getuid());
    const auto bild = [&](const QString& name) {
        QDir().mkpath(klein.pfad("2005"));
        QFile f(klein.pfad("2005/" + name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Bild") == 4);
        return f.fileName();
    };
    // A ".Trash" that is a link is nobody's shared trash.
    TestOrdner fremd;
    ::chmod(QFile::encodeName(fremd.pfad()).constData(), 01777);
    ASSERT_TRUE(QFile::link(fremd.pfad(), klein.pfad(".Trash")));
    EXPECT_EQ(BildEntsorgen(bild("a.jpg")), Entsorgung::Entfernt);
    EXPECT_TRUE(ui.meldungen.isEmpty());
    const QString eigen = klein.pfad(".Trash-" + uid);
    EXPECT_EQ(TestOrdner::lesen(eigen + "/files/a.jpg"), "Bild");
    EXPECT_EQ(Modus(eigen), 0700);
    // Path relative to the top folder there.
    EXPECT_TRUE(TestOrdner::lesen(eigen + "/info/a.jpg.trashinfo").startsWith(Info("2005/a.jpg")));
    EXPECT_TRUE(Inhalt(fremd.pfad()).isEmpty());
    EXPECT_TRUE(Inhalt(daten.pfad()).isEmpty());
    // The administrator's sticky ".Trash": a folder of the user's own in it.
    ASSERT_TRUE(QFile::remove(klein.pfad(".Trash")));
    ASSERT_TRUE(QDir().mkdir(klein.pfad(".Trash")));
    ::chmod(QFile::encodeName(klein.pfad(".Trash")).constData(), 01777);
    EXPECT_EQ(BildEntsorgen(bild("b.jpg")), Entsorgung::Entfernt);
    EXPECT_EQ(TestOrdner::lesen(klein.pfad(".Trash/" + uid + "/files/b.jpg")), "Bild");
    EXPECT_TRUE(TestOrdner::lesen(klein.pfad(".Trash/" + uid + "/info/b.jpg.trashinfo"))
                    .startsWith(Info("2005/b.jpg")));
    EXPECT_EQ(Modus(klein.pfad(".Trash/" + uid)), 0700);
    // Without the sticky bit it is not used.
    ::chmod(QFile::encodeName(klein.pfad(".Trash")).constData(), 0777);
    EXPECT_EQ(BildEntsorgen(bild("c.jpg")), Entsorgung::Entfernt);
    EXPECT_EQ(TestOrdner::lesen(eigen + "/files/c.jpg"), "Bild");
}

namespace {
// A folder mounted a second time elsewhere (mount --bind, as containers and NAS setups do):
// the same device, but no rename crosses into or out of it. Gone again at the end.
struct Bindung {
    TestOrdner quelle, ziel;
    bool da = false;
    Bindung() {
        da = QProcess::execute(QStringLiteral("mount"),
                               {QStringLiteral("--bind"), quelle.pfad(), ziel.pfad()}) == 0;
    }
    ~Bindung() {
        if (da) QProcess::execute(QStringLiteral("umount"), {ziel.pfad()});
    }
};
} // namespace

// An album reached through a bind mount of the home's file system: the device says
// "home", but the file cannot be renamed into the home trash; the trash of the mount
// takes it, and the question never comes.
TEST_F(Papierkorb, AufEinerBindungDesHeimDateisystemsDerenEigenerPapierkorb) {
    Bindung bindung;
    if (!bindung.da) GTEST_SKIP() << "no bind mount here";
    const QString bild = bindung.ziel.datei("2005/a.jpg", "Bild");
    ASSERT_EQ(QFileInfo(bild).canonicalFilePath(), bild);
    EXPECT_EQ(BildEntsorgen(bild), Entsorgung::Entfernt);
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(bild));
    const QString korb = bindung.ziel.pfad(".Trash-" + QString::number(::getuid()));
    EXPECT_EQ(TestOrdner::lesen(korb + "/files/a.jpg"), "Bild");
    EXPECT_TRUE(TestOrdner::lesen(korb + "/info/a.jpg.trashinfo").startsWith(Info("2005/a.jpg")));
}
