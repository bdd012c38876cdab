// The search: matching as people expect it, the cache and its staleness, the window.
#include "album/alb_Loeschen.h"
#include "album/alb_Suche.h"
#include "album/alb_ini.h"
#include "app/alb_Main.h"
#include "app/alb_SuchFenster.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_Metadaten.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(Suche, TrefferWieMenschenSieErwarten) {
    const QString text = QString::fromUtf8("Oma Hilde am Gardasee in Köln, Straße \"Zur Post\"");
    const QString suchtext =
        suche::Suchtext(suche::Woerter(text)) + suche::Suchtext(suche::Woerter("Urlaub 2005"));
    const struct {
        const char* anfrage;
        bool passt;
    } faelle[] = {
        {"oma hilde", true},         // case
        {"Hilde Oma", true},         // any order
        {"Garda", true},             // start of a word
        {"see", false},              // not inside a word
        {"Koeln", true},             // umlaut spelt out
        {"koln", true},              // umlaut plain
        {"KÖLN", true},              //
        {"Strasse", true},           // ß = ss
        {"oma urlaub", true},        // title and caption together
        {"oma berlin", false},       // every word must occur
        {"\"oma hilde\"", true},     // phrase
        {"\"hilde oma\"", false},    // phrase in its order
        {"\"zur po\"", true},        // phrase, its last word as a start
        {"\"hilde urlaub\"", false}, // no phrase from the caption into the title
        {"", false},                 // nothing typed: nothing found
        {"  ,;  ", false},           //
        {"(.*)[x-y]+", false},       // no pattern syntax
    };
    for (const auto& f : faelle)
        EXPECT_EQ(suche::Passt(suche::Anfrage(QString::fromUtf8(f.anfrage)), suchtext), f.passt) << f.anfrage;
    EXPECT_EQ(suche::Normalform(QString::fromUtf8("Grüße Müller Ärger")),
              QString::fromUtf8("grusse muller arger"));
    // The words found, as they stand in the line.
    const auto stellen = suche::Fundstellen(text, suche::Anfrage("garda koeln"));
    ASSERT_EQ(stellen.size(), 2);
    EXPECT_EQ(text.mid(stellen[0].first, stellen[0].second), "Gardasee");
    EXPECT_EQ(text.mid(stellen[1].first, stellen[1].second), QString::fromUtf8("Köln"));
}

// Accents as other systems write them (decomposed, two on one letter) and letters without
// an accent to drop are found by their plain spelling; the German spellings still meet.
TEST(Suche, ZerlegteAkzenteUndFremdeBuchstaben) {
    const auto passt = [](const QString& text, const QString& anfrage) {
        return suche::Passt(suche::Anfrage(anfrage), suche::Suchtext(suche::Woerter(text)));
    };
    const QString koelnZerlegt = QString::fromUtf8("Ko\u0308ln");
    const struct {
        const char* text;
        const char* anfrage;
    } faelle[] = {
        {"Ko\u0308ln", "koln"},   {"Ko\u0308ln", "Koeln"},
        {"Ko\u0308ln", "Köln"},   {"Köln", "Ko\u0308ln"},
        {"Phố cổ", "pho"},        {"Hà Nội", "ha noi"},
        {"Hà Nội", "\"ha noi\""}, {"Ha\u0300 No\u0323\u0302i", "hà nội"},
        {"Søren", "soren"},       {"Łukasz", "lukasz"},
        {"Đorđe", "dorde"},       {"Æbeltoft", "aebeltoft"},
        {"Œuvre", "oeuvre"},      {"Þingvellir", "thingvellir"},
        {"STRASSE", "Straße"},    {"ﬁsch", "fisch"},
        {"Οδός Ερμού", "ΟΔΟΣ"},   {"ΟΔΟΣ", "οδός"}, // a Greek word's last sigma
    };
    for (const auto& f : faelle)
        EXPECT_TRUE(passt(QString::fromUtf8(f.text), QString::fromUtf8(f.anfrage)))
            << f.text << " / " << f.anfrage;
    EXPECT_FALSE(passt(QString::fromUtf8("Søren"), "sven"));
    EXPECT_FALSE(passt(QString::fromUtf8("Łukasz"), "kasz")); // still the start of a word

    // Every spelling of a German name finds every other one.
    const QStringList mueller = {QString::fromUtf8("Müller"), "Mueller", "Muller",
                                 QString::fromUtf8("Mu\u0308ller"), QString::fromUtf8("MÜLLER")};
    for (const QString& text : mueller)
        for (const QString& anfrage : mueller)
            EXPECT_TRUE(passt("Familie " + text, anfrage)) << qPrintable(text + " / " + anfrage);
    EXPECT_FALSE(passt(QString::fromUtf8("Müller"), "Miller"));

    // A caption precomposed and the same caption decomposed give the same words.
    for (const char* t : {"Köln", "Grüße aus Hà Nội", "Phố cổ", "Øre Æble", "Müller-Lüdenscheidt", "Ærø"}) {
        const QString text = QString::fromUtf8(t);
        EXPECT_EQ(suche::Woerter(text.normalized(QString::NormalizationForm_D)), suche::Woerter(text)) << t;
        EXPECT_EQ(suche::Woerter(text.normalized(QString::NormalizationForm_C)), suche::Woerter(text)) << t;
    }
    // The word is marked whole, its combining accent included.
    const QString zeile = "Dom in " + koelnZerlegt + "!";
    const auto stellen = suche::Fundstellen(zeile, suche::Anfrage("koeln"));
    ASSERT_EQ(stellen.size(), 1);
    EXPECT_EQ(zeile.mid(stellen[0].first, stellen[0].second), koelnZerlegt);
}

namespace {
// The user's cache folder for the time of a test, not the real one.
struct CacheOrt {
    TestOrdner ordner;
    QByteArray vorher = qgetenv("XDG_CACHE_HOME");
    bool gesetzt = qEnvironmentVariableIsSet("XDG_CACHE_HOME");
    explicit CacheOrt(const QString& unter = "cache") {
        qputenv("XDG_CACHE_HOME", ordner.pfad(unter).toLocal8Bit());
    }
    ~CacheOrt() {
        if (gesetzt)
            qputenv("XDG_CACHE_HOME", vorher);
        else
            qunsetenv("XDG_CACHE_HOME");
    }
};

// Rewrites a file in place with text of the same length (same file, same size) and
// gives it back the time `zeit`, as within one tick of a coarse file system clock.
void AmOrtErsetzen(const QString& datei, const QByteArray& alt, const QByteArray& neu,
                   const QDateTime& zeit) {
    ASSERT_EQ(alt.size(), neu.size());
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray inhalt = f.readAll();
    ASSERT_TRUE(inhalt.contains(alt));
    inhalt.replace(alt, neu);
    ASSERT_TRUE(f.seek(0));
    ASSERT_EQ(f.write(inhalt), inhalt.size());
    ASSERT_TRUE(f.flush());
    ASSERT_TRUE(f.setFileTime(zeit, QFileDevice::FileModificationTime));
}

void ZeitSetzen(const QString& datei, const QDateTime& zeit) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(zeit, QFileDevice::FileModificationTime));
}

constexpr auto kNurIch = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr auto kAndere = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                         QFile::WriteOther | QFile::ExeOther;
} // namespace

namespace {
struct SuchAlbum : ::testing::Test {
    CacheOrt cacheOrt;
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    TestOrdner cache;
    QString tag1, tag2;
    void SetUp() override {
        tag1 = album.tag("2004", "20040801", {"a.jpg", "b.jpg"}, "Gardasee");
        tag2 = album.tag("2005", "20050101", {"c.jpg", "d.jpg"}, "Neujahr");
        BildtextSchreiben(tag1, "b.jpg", {"Oma Hilde", QString::fromUtf8("am Ufer in Köln")});
        BildtextSchreiben(tag2, "d.jpg", {"Oma Erna"});
    }
    QStringList Bilder(TSuchIndex& i, const QString& text) {
        QStringList b;
        for (const TSuchTreffer& t : i.Suchen(text))
            b << t.tag + "/" + t.bild;
        return b;
    }
};
} // namespace

TEST_F(SuchAlbum, CacheWirdGelesenUndBeiAenderungNeuGelesen) {
    const QString datei = cache.pfad("suche.idx");
    TSuchIndex index(album.pfad(), datei);
    EXPECT_EQ(Bilder(index, "oma"), QStringList({"20040801/b.jpg", "20050101/d.jpg"}));
    EXPECT_EQ(Bilder(index, "gardasee"), QStringList({"20040801/b.jpg"}));
    const auto t = index.Suchen("koeln").value(0);
    EXPECT_EQ(t.zeile, QString::fromUtf8("am Ufer in Köln"));
    EXPECT_EQ(t.datum, "01.08.2004");
    EXPECT_EQ(t.titel, "Gardasee");
    ASSERT_TRUE(QFile::exists(datei));
    // Never written into the album.
    EXPECT_FALSE(QFileInfo::exists(album.ordner.pfad("suche.idx")));

    // A second run reads the cache: a day whose file did not change is not read again,
    // one that changed is (here: changed by another program).
    BildtextSchreiben(tag2, "c.jpg", {"Opa Kurt"});
    TSuchIndex wieder(album.pfad(), datei);
    EXPECT_EQ(Bilder(wieder, "opa"), QStringList({"20050101/c.jpg"}));
    // Within a run: a change made by the program itself shows at the next search...
    BildtextSchreiben(tag1, "a.jpg", {"Opa am See"});
    wieder.TagGeaendert(tag1);
    EXPECT_EQ(Bilder(wieder, "opa"), QStringList({"20040801/a.jpg", "20050101/c.jpg"}));
    // ... one from outside after a check of the whole album (Ctrl+R), new days too.
    album.tag("2006", "20060101", {"e.jpg"}, "Opa Geburtstag");
    wieder.AllesPruefen();
    EXPECT_EQ(Bilder(wieder, "opa").size(), 3);
    // A deleted picture is found no more, though its caption stays.
    QFile::remove(tag1 + "/a.jpg");
    EXPECT_EQ(Bilder(wieder, "opa").size(), 2);
    // A damaged cache file is no error: the album is read afresh.
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("PXS1 kaputt");
    f.close();
    TSuchIndex neu(album.pfad(), datei);
    EXPECT_EQ(Bilder(neu, "opa").size(), 2);
}

// A picture back from the trash is found by its caption before it was ever shown (its
// caption still set aside), a new picture of its name never, also through the cache.
TEST_F(SuchAlbum, ZurueckgeholtesBildWirdGefundenEinNeuesGleichenNamensNicht) {
    TestOrdner korb;
    JpegEinfarbig(tag2 + "/c.jpg", 20, 10, Qt::red);
    ASSERT_TRUE(BildtextSchreiben(tag2, "c.jpg", {"Opa Karl"}));
    ASSERT_TRUE(BildtextBeiseitelegen(tag2, "c.jpg", BildKennung(tag2 + "/c.jpg")));
    ASSERT_TRUE(QFile::rename(tag2 + "/c.jpg", korb.pfad("c.jpg")));
    const QString datei = cache.pfad("suche.idx");
    TSuchIndex index(album.pfad(), datei);
    EXPECT_TRUE(Bilder(index, "karl").isEmpty());
    JpegEinfarbig(tag2 + "/c.jpg", 20, 10, Qt::blue);
    EXPECT_TRUE(Bilder(index, "karl").isEmpty());
    ASSERT_TRUE(QFile::remove(tag2 + "/c.jpg"));
    ASSERT_TRUE(QFile::rename(korb.pfad("c.jpg"), tag2 + "/c.jpg"));
    EXPECT_EQ(Bilder(index, "karl"), QStringList({"20050101/c.jpg"}));
    TSuchIndex wieder(album.pfad(), datei);
    EXPECT_EQ(Bilder(wieder, "karl"), QStringList({"20050101/c.jpg"}));
    JpegEinfarbig(tag2 + "/c.jpg", 20, 10, Qt::green);
    EXPECT_TRUE(Bilder(wieder, "karl").isEmpty());
}

TEST_F(SuchAlbum, UnlesbareBildunterschriftenWerdenGezaehltUndNieGeschrieben) {
    const QString kaputt = album.tag("2005", "20050102", {"x.jpg"});
    const char roh[] = "[BILD x.jpg]\r\nZEILE00=Oma\0\xFF\xFE";
    const QByteArray binaer(roh, sizeof roh - 1);
    album.ordner.datei("2005/20050102/ALBUM.DAT", binaer);
    album.ordner.unlesbar("2005/20050103/ALBUM.DAT");
    TSuchIndex index(album.pfad(), {});
    EXPECT_EQ(Bilder(index, "oma").size(), 2);
    EXPECT_EQ(index.Unlesbar(), 2);
    EXPECT_EQ(TestOrdner::lesen(kaputt + "/ALBUM.DAT"), binaer);
    EXPECT_TRUE(index.Suchen(QString(200, QChar(u'x'))).isEmpty());
}

TEST_F(SuchAlbum, FensterZeigtTrefferImHauptfenster) {
    auto m = album.fenster({}, {900, 600}); // viewer mode too
    m->Aktion("ax_Suchen")->trigger();
    auto* s = m->findChild<Tam_Suche*>();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(m->Aktion("ax_Suchen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    s->ed_Suche->setText("oma");
    ASSERT_EQ(s->lb_Treffer->count(), 2);
    EXPECT_EQ(s->la_Anzahl->text(), "2 Treffer");
    EXPECT_TRUE(TrefferHtml(s->Treffer()[0]).contains("<b>Oma</b> Hilde"));
    // Enter in the field: the first hit; Down, then Enter: the next one.
    QTest::keyClick(s->ed_Suche, Qt::Key_Return);
    EXPECT_EQ(m->cb_Jahr->Key(), "2004");
    EXPECT_EQ(m->cb_Tage->Key(), "20040801");
    EXPECT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), "b.jpg");
    QTest::keyClick(s->ed_Suche, Qt::Key_Down);
    QTest::keyClick(s->ed_Suche, Qt::Key_Return);
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
    EXPECT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), "d.jpg");
    EXPECT_TRUE(s->isVisible()); // stays open beside the main window
    // Titles and captions are text, never markup.
    BildtextSchreiben(tag2, "c.jpg", {"<script>alert(1)</script> Oma"});
    m->Aktion("ax_Refresh")->trigger();
    s->Suchen();
    ASSERT_EQ(s->Treffer().size(), 3);
    QString alle;
    for (const TSuchTreffer& t : s->Treffer())
        alle += TrefferHtml(t);
    EXPECT_TRUE(alle.contains("&lt;script&gt;"));
    EXPECT_FALSE(alle.contains("<script>"));
    QTest::keyClick(s->ed_Suche, Qt::Key_Escape);
    EXPECT_FALSE(s->isVisible());
}

// A caption typed in another program shows where ALBUM.DAT has none; camera texts do not.
TEST(Metadaten, BildunterschriftAusDerDatei) {
    TestOrdner t;
    const struct {
        QByteArray beschreibung;
        QString erwartet;
    } faelle[] = {
        {"Oma am Meer", "Oma am Meer"}, {"OLYMPUS DIGITAL CAMERA", ""}, {"   ", ""}, {"SONY DSC  ", ""}};
    for (const auto& f : faelle)
        EXPECT_EQ(EingebetteteBildunterschrift(
                      JpegMitExif(t.pfad("b.jpg"), QDateTime::currentDateTime(), f.beschreibung)),
                  f.erwartet)
            << f.beschreibung.constData();
    // A blank ImageDescription gives way to XMP's description (written by exiv2).
    QFile quelle(JpegMitExif(t.pfad("x.jpg"), QDateTime::currentDateTime(), "SONY DSC"));
    ASSERT_TRUE(quelle.open(QIODevice::ReadOnly));
    const QByteArray mit =
        MitBildunterschrift(quelle.readAll(), QString::fromUtf8("Grüße vom Gardasee"), "Urlaub");
    ASSERT_FALSE(mit.isEmpty());
    t.datei("y.jpg", mit);
    EXPECT_EQ(EingebetteteBildunterschrift(t.pfad("y.jpg")), QString::fromUtf8("Grüße vom Gardasee"));
    EXPECT_TRUE(EingebetteteBildunterschrift(t.datei("kaputt.jpg", "kein Bild")).isEmpty());
    EXPECT_FALSE(Aufnahmezeit(t.pfad("kaputt.jpg")).isValid());
}

TEST_F(SuchAlbum, HauptfensterZeigtDieBildunterschriftAusDerDatei) {
    JpegMitExif(tag2 + "/c.jpg", QDateTime::currentDateTime(), "Opa im Schnee");
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    m->Aktion("ax_MitBildUnterschrift")->trigger();
    ASSERT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), "c.jpg");
    m->fotoAfterPositionChanged();
    EXPECT_EQ(m->re->toPlainText(), "Opa im Schnee");
    m->foto->Next(); // d.jpg has its caption in ALBUM.DAT
    EXPECT_EQ(m->re->toPlainText(), "Oma Erna");
}

// A caption rewritten by another program in the second it was indexed (same file, same
// size, same time on a file system that counts whole seconds) is seen at the next search,
// also after a restart; Ctrl+R reads every day again, whatever the times say.
TEST_F(SuchAlbum, AenderungImSelbenAugenblickWirdGesehen) {
    const QString datei = cache.pfad("suche.idx");
    const QString dat = tag2 + "/ALBUM.DAT";
    const QDateTime jetzt = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    ZeitSetzen(dat, jetzt);
    TSuchIndex index(album.pfad(), datei);
    EXPECT_EQ(Bilder(index, "erna"), QStringList({"20050101/d.jpg"}));
    const QByteArray stand = DateiStand(dat);
    AmOrtErsetzen(dat, "Oma Erna", "Opa Kurt", jetzt);
    ASSERT_EQ(DateiStand(dat), stand); // nothing in the file's identity tells the change
    EXPECT_EQ(Bilder(index, "kurt"), QStringList({"20050101/d.jpg"}));
    EXPECT_TRUE(Bilder(index, "erna").isEmpty());
    AmOrtErsetzen(dat, "Opa Kurt", "Opa Karl", jetzt);
    TSuchIndex wieder(album.pfad(), datei);
    EXPECT_EQ(Bilder(wieder, "karl"), QStringList({"20050101/d.jpg"}));
}

TEST_F(SuchAlbum, StrgRLiestJedenTagNeu) {
    const QString dat = tag2 + "/ALBUM.DAT";
    const QDateTime frueher(QDate(2020, 5, 1), QTime(12, 0));
    ZeitSetzen(dat, frueher);
    auto m = album.fenster({}, {900, 600});
    m->Aktion("ax_Suchen")->trigger();
    auto* s = m->findChild<Tam_Suche*>();
    ASSERT_NE(s, nullptr);
    s->ed_Suche->setText("erna");
    ASSERT_EQ(s->Treffer().size(), 1);
    // Changed by another program, its old time given back (as copy tools do).
    AmOrtErsetzen(dat, "Oma Erna", "Opa Kurt", frueher);
    m->Aktion("ax_Refresh")->trigger();
    s->ed_Suche->setText("kurt");
    ASSERT_EQ(s->Treffer().size(), 1);
    EXPECT_EQ(s->Treffer()[0].bild, "d.jpg");
}

// Hits whose pictures are gone are left out; their day folder is listed once per search,
// not once per hit (an album whose pictures are elsewhere made every keystroke slow).
TEST_F(SuchAlbum, FehlendeBilderKostenEineAuflistungJeTag) {
    album.tag("2006", "20060101", {"E.JPG"});
    // Also a name that leads out of the day to a picture that exists (a hand-edited file).
    QByteArray dat =
        "[BILD ../../2004/20040801/b.jpg]\r\nZEILE00=Oma\r\n[BILD e.jpg]\r\nZEILE00=Oma im Schnee\r\n";
    for (int i = 0; i < 20; ++i)
        dat += QStringLiteral("[BILD weg%1.jpg]\r\nZEILE00=Oma %1\r\n").arg(i).toLatin1();
    album.ordner.datei("2006/20060101/ALBUM.DAT", dat);
    TSuchIndex index(album.pfad(), {});
    // The picture named in another case is found, the missing ones are not.
    EXPECT_EQ(Bilder(index, "oma"), QStringList({"20040801/b.jpg", "20050101/d.jpg", "20060101/e.jpg"}));
    EXPECT_EQ(index.Auflistungen(), 1);
    EXPECT_EQ(Bilder(index, "om").size(), 3);
    EXPECT_EQ(index.Auflistungen(), 2);
    // Each search sees the folder as it is now.
    album.ordner.datei("2006/20060101/WEG3.JPG", "x");
    EXPECT_EQ(Bilder(index, "oma").size(), 4);
}

// A caption named for a sync program's conflict copy (written by hand, or by a version
// that paged such copies) finds nothing: the day never shows that file.
TEST_F(SuchAlbum, KonfliktkopienWerdenNieGefunden) {
    const QString kopie = "b.sync-conflict-20261207-113713-M6CSOA4.jpg";
    album.ordner.datei("2004/20040801/" + kopie, "x");
    album.ordner.datei("2004/20040801/b.jpg.part", "x");
    ASSERT_TRUE(BildtextSchreiben(tag1, kopie, {"Opa Kurt"}));
    ASSERT_TRUE(BildtextSchreiben(tag1, "b.jpg.part", {"Opa Karl"}));
    TSuchIndex index(album.pfad(), {});
    EXPECT_TRUE(Bilder(index, "opa").isEmpty());
    EXPECT_EQ(Bilder(index, "oma hilde"), QStringList({"20040801/b.jpg"}));
}

// The cache holds every caption of the album: its folders and file are the user's alone,
// those an earlier version made readable to all included.
TEST_F(SuchAlbum, CacheNurFuerDenBenutzer) {
    CacheOrt neu("fehlt/cache"); // no cache folder yet
    const QString datei = TSuchIndex::CacheDateiFuer(album.pfad());
    ASSERT_TRUE(datei.startsWith(neu.ordner.pfad("fehlt/cache/")));
    TSuchIndex index(album.pfad(), datei);
    ASSERT_EQ(Bilder(index, "oma").size(), 2);
    ASSERT_TRUE(QFileInfo(datei).isFile());
    const QString ordner = QFileInfo(datei).absolutePath();
    for (const QString& o : {ordner, neu.ordner.pfad("fehlt/cache"), neu.ordner.pfad("fehlt")})
        EXPECT_EQ(QFileInfo(o).permissions() & (kNurIch | kAndere), kNurIch) << qPrintable(o);
    EXPECT_EQ(QFileInfo(datei).permissions() & (kNurIch | kAndere), QFile::ReadOwner | QFile::WriteOwner);

    const auto offen = kNurIch | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(ordner, offen));
    ASSERT_TRUE(QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                 QFile::ReadOther));
    TSuchIndex wieder(album.pfad(), datei);
    EXPECT_EQ(Bilder(wieder, "oma").size(), 2);
    EXPECT_EQ(QFileInfo(ordner).permissions() & (kNurIch | kAndere), kNurIch);
    EXPECT_EQ(QFileInfo(datei).permissions() & (kNurIch | kAndere), QFile::ReadOwner | QFile::WriteOwner);
    BildtextSchreiben(tag1, "a.jpg", {"Oma am See"}); // the file written anew
    wieder.AllesPruefen();
    EXPECT_EQ(Bilder(wieder, "oma").size(), 3);
    EXPECT_EQ(QFileInfo(datei).permissions() & (kNurIch | kAndere), QFile::ReadOwner | QFile::WriteOwner);
}

// A caption that looks like markup is shown as it was typed in the hit's tool tip too.
TEST_F(SuchAlbum, TooltipZeigtDenTextNichtSeineAuszeichnung) {
    const QString text = "<b>Oma</b> & <i>Opa</i> <img src=x>";
    BildtextSchreiben(tag2, "c.jpg", {text});
    Tam_Suche s;
    TSuchDienst index(album.pfad(), {});
    s.Oeffnen(&index);
    s.ed_Suche->setText("opa");
    ASSERT_EQ(s.lb_Treffer->count(), 1);
    const QString tip = s.lb_Treffer->item(0)->toolTip();
    // As a tool tip decides: markup when it looks like markup, else plain text.
    QTextDocument gezeigt;
    if (Qt::mightBeRichText(tip))
        gezeigt.setHtml(tip);
    else
        gezeigt.setPlainText(tip);
    EXPECT_EQ(gezeigt.toPlainText(), text);
}

// When the album's check takes longer than a moment (a network drive), the window shows
// the hits the index knows and then the checked ones: a caption changed meanwhile and a
// picture deleted meanwhile included.
TEST_F(SuchAlbum, TrefferFolgenDerPruefungImHintergrund) {
    Tam_Suche s;
    TSuchDienst dienst(album.pfad(), {});
    s.FristMs = 0;
    s.Oeffnen(&dienst);
    s.ed_Suche->setText("oma");
    dienst.Warten();
    ASSERT_EQ(s.lb_Treffer->count(), 2);
    EXPECT_EQ(s.la_Anzahl->text(), "2 Treffer");
    BildtextSchreiben(tag2, "c.jpg", {"Oma Kurt"});
    s.Suchen();
    dienst.Warten();
    ASSERT_EQ(s.Treffer().size(), 3);
    EXPECT_EQ(s.la_Anzahl->text(), "3 Treffer");
    ASSERT_TRUE(QFile::remove(tag1 + "/b.jpg"));
    s.Suchen();
    dienst.Warten();
    EXPECT_EQ(s.lb_Treffer->count(), 2);
    // The hits of an earlier text do not replace those of what is typed now.
    s.ed_Suche->setText("kurt");
    dienst.Warten();
    ASSERT_EQ(s.Treffer().size(), 1);
    EXPECT_EQ(s.Treffer()[0].bild, "c.jpg");
}
