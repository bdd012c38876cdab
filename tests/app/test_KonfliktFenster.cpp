// The conflict window and the merge when a day opens: the newer version preselected,
// closing without a choice changing nothing, and the editor's merge running beside the
// paging and reporting in the line above the picture.
#include "album/alb_Basis.h"
#include "album/alb_ini.h"
#include "app/alb_KonfliktFenster.h"
#include "app/alb_Main.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QSemaphore>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString kKopie = QStringLiteral("ALBUM.sync-conflict-20261207-113713-M6CSOA4.DAT");
const QString kBildKopie = QStringLiteral("a.sync-conflict-20261207-113713-M6CSOA4.jpg");

QDateTime Zeit(int stunde) {
    return QDateTime(QDate(2026, 12, 7), QTime(stunde, 0));
}

TKonfliktFrage Frage(const QString& bild, const QString& diese, const QString& jene, int stundeDiese,
                     int stundeJene) {
    TKonfliktFrage f;
    f.kopie = kKopie;
    f.bild = bild;
    f.diese = {diese};
    f.jene = {jene};
    f.geraet = QStringLiteral("M6CSOA4");
    f.zeitDiese = Zeit(stundeDiese);
    f.zeitJene = Zeit(stundeJene);
    f.eintrag = bild.isEmpty() ? kTitelEintrag : QStringLiteral("bild ") + bild.toLower();
    return f;
}

bool Gewaehlt(QDialog& d, const QString& name) {
    auto* rb = d.findChild<QRadioButton*>(name);
    return rb && rb->isChecked();
}

void Waehlen(QDialog& d, const QString& name) {
    auto* rb = d.findChild<QRadioButton*>(name);
    ASSERT_TRUE(rb) << name.toStdString();
    rb->click();
}

// The caption file as both computers had it, and the conflict copy.
QByteArray Datei(const QString& a, const QString& b) {
    QByteArray s = "[BILD a.jpg]\r\nZEILE00=" + a.toUtf8() + "\r\n";
    if (!b.isEmpty()) s += "[BILD b.jpg]\r\nZEILE00=" + b.toUtf8() + "\r\n";
    return s;
}
} // namespace

TEST(KonfliktFenster, NeuereFassungVorgewaehltUndWahlGehtAnDenAbgleich) {
    ScriptInteraktion ui;
    TestOrdner album;
    TTagKonflikte tag;
    tag.ordner = album.ordner(QStringLiteral("2026/20261207"));
    tag.fragen = {Frage(QStringLiteral("a.jpg"), QStringLiteral("Alt"), QStringLiteral("Neu"), 10, 11),
                  Frage({}, QStringLiteral("Urlaub"), QStringLiteral("Ferien"), 12, 9)};
    TBildKonflikt bild;
    bild.kopie = kBildKopie;
    bild.original = QStringLiteral("a.jpg");
    bild.zeitDiese = Zeit(14);
    bild.zeitJene = Zeit(13);
    tag.bilder = {bild};
    Tam_Konflikte fenster;

    QStringList gesehen;
    ui.dialoge.enqueue([&](QDialog& d) {
        gesehen << QString::number(Gewaehlt(d, "rb_Jene_0")) << QString::number(Gewaehlt(d, "rb_Diese_1"))
                << QString::number(Gewaehlt(d, "rb_BildDiese_0"));
        Waehlen(d, "rb_Beide_1");
        Waehlen(d, "rb_BildBeide_0");
        return int(mrOk);
    });
    ASSERT_TRUE(fenster.Ausfuehren({tag}));
    EXPECT_EQ(gesehen, QStringList({"1", "1", "1"}));
    const QHash<QString, TWahl> wahlen = fenster.Auswahl().Wahlen();
    EXPECT_EQ(wahlen.value(tag.fragen[0].Schluessel()), TWahl::Jene);
    EXPECT_EQ(wahlen.value(tag.fragen[1].Schluessel()), TWahl::Beide);
    ASSERT_EQ(fenster.BildWahlen().size(), 1);
    EXPECT_EQ(fenster.BildWahlen()[0].second, TBildWahl::Beide);
    // Where the versions come from, as the copy's name says.
    EXPECT_EQ(fenster.Auswahl().HerkunftJene(0),
              QStringLiteral("Konfliktkopie von Gerät M6CSOA4, 07.12.2026 11:00:00"));
    EXPECT_EQ(fenster.Auswahl().Eintrag(1), QStringLiteral("Titel der Serie"));

    // Closed without a choice: nothing to carry out.
    ui.dialoge.enqueue([](QDialog&) { return int(mrCancel); });
    EXPECT_FALSE(fenster.Ausfuehren({tag}));
}

// A pipe where a picture should be (the day's picture of a picture conflict, the picture a
// question names) shows no picture and never blocks the window.
TEST(KonfliktFenster, RohrOderFehlendesBildStattEinesBildes) {
    ScriptInteraktion ui;
    TestOrdner album;
    TTagKonflikte tag;
    tag.ordner = album.ordner(QStringLiteral("2026/20261207"));
    const QDir ordner(tag.ordner);
    for (const QString& name : {QStringLiteral("a.png"), QStringLiteral("b.jpg")})
        ASSERT_EQ(QProcess::execute(QStringLiteral("mkfifo"), {ordner.filePath(name)}), 0);
    album.datei(QStringLiteral("2026/20261207/a.sync-conflict-20261207-113713-M6CSOA4.png"), "kein Bild");
    tag.fragen = {Frage(QStringLiteral("b.jpg"), QStringLiteral("Alt"), QStringLiteral("Neu"), 10, 11)};
    TBildKonflikt bild;
    bild.kopie = QStringLiteral("a.sync-conflict-20261207-113713-M6CSOA4.png");
    bild.original = QStringLiteral("a.png");
    tag.bilder = {bild};
    Tam_Konflikte fenster;
    int ohneBild = -1;
    ui.dialoge.enqueue([&](QDialog& d) {
        ohneBild = 0;
        for (const QLabel* la : d.findChildren<QLabel*>())
            ohneBild += la->text() == QStringLiteral("(kein Bild)");
        return int(mrCancel);
    });
    EXPECT_FALSE(fenster.Ausfuehren({tag}));
    EXPECT_EQ(ohneBild, 3);

    // The day's picture gone: the copy is the only version, "Dieses Bild behalten" is no choice.
    tag.bilder[0].originalDa = false;
    bool dieseWaehlbar = true;
    ui.dialoge.enqueue([&](QDialog& d) {
        auto* rb = d.findChild<QRadioButton*>(QStringLiteral("rb_BildDiese_0"));
        dieseWaehlbar = !rb || rb->isEnabled();
        return int(mrCancel);
    });
    EXPECT_FALSE(fenster.Ausfuehren({tag}));
    EXPECT_FALSE(dieseWaehlbar);
}

namespace {
struct KonfliktAbgleich : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    TestOrdner cache, daten;
    QByteArray datenVorher = qgetenv("XDG_DATA_HOME");
    QString tag;
    void SetUp() override {
        basis::OrdnerSetzen(cache.pfad());
        qputenv("XDG_DATA_HOME", QFile::encodeName(daten.pfad()));
        tag = album.tag("2026", "20261207", {"a.jpg", "b.jpg"});
        album.tag("2026", "20261208", {"c.jpg"});
    }
    void TearDown() override {
        TKonfliktLauf::VorArbeit = nullptr;
        basis::OrdnerSetzen({});
        qputenv("XDG_DATA_HOME", datenVorher);
    }
    QString Pfad(const QString& name) const { return QDir(tag).filePath(name); }
    static void Abwarten(Tam_Main& m) {
        m.KonfliktLauf->Warten();
        QCoreApplication::sendPostedEvents();
    }
};
} // namespace

TEST_F(KonfliktAbgleich, AbgleichBeimOeffnenLaeuftNebenDemBlaetternUndMeldetSich) {
    // This computer wrote a's caption (so its base is known); the other one added b's,
    // which only its copy has.
    ASSERT_TRUE(BildtextSchreiben(tag, QStringLiteral("a.jpg"), {QStringLiteral("Am Strand")}));
    album.ordner.datei(QStringLiteral("2026/20261207/") + kKopie, Datei("Am Strand", "Im Wald"));
    QSemaphore halt;
    TKonfliktLauf::VorArbeit = [&] { halt.acquire(); };
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Tage->setKey("20261207");
    m->cb_TageChange();
    // The merge waits; the window pages on meanwhile.
    EXPECT_TRUE(m->la_Konflikt->isHidden());
    m->foto->Next();
    EXPECT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), QStringLiteral("b.jpg"));
    halt.release(100);
    Abwarten(*m);
    EXPECT_EQ(m->la_Konflikt->text(),
              QStringLiteral("1 Bildunterschrift aus einer Konfliktkopie übernommen"));
    EXPECT_FALSE(m->la_Konflikt->isHidden());
    QStringList zeilen;
    BildtextLesen(tag, QStringLiteral("b.jpg"), zeilen);
    EXPECT_EQ(zeilen, QStringList{QStringLiteral("Im Wald")});
    EXPECT_FALSE(QFileInfo::exists(Pfad(kKopie)));
    EXPECT_TRUE(m->OffeneKonflikte().isEmpty());
}

TEST_F(KonfliktAbgleich, OffeneKonflikteBleibenBisZurWahlUndNurDerBearbeiterSchreibt) {
    // No base known: the competing caption is a question; the picture's copy waits too.
    album.ordner.datei(QStringLiteral("2026/20261207/ALBUM.DAT"), Datei("Hier", {}));
    album.ordner.datei(QStringLiteral("2026/20261207/") + kKopie, Datei("Dort", {}));
    QFile::copy(Pfad("a.jpg"), Pfad(kBildKopie));
    {
        auto betrachter = album.fenster({}, {900, 600});
        EXPECT_FALSE(betrachter->KonfliktLauf);
        EXPECT_FALSE(betrachter->Aktion("ax_Konflikte")->isEnabled());
    }
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Tage->setKey("20261207");
    m->cb_TageChange();
    Abwarten(*m);
    EXPECT_EQ(m->la_Konflikt->text(), QStringLiteral("2 offene Konflikte: Kontextmenü „Konflikte lösen…“"));
    EXPECT_EQ(m->foto->Count(), 2); // the picture's copy is not paged

    ui.dialoge.enqueue([](QDialog&) { return int(mrCancel); });
    m->Aktion("ax_Konflikte")->trigger();
    Abwarten(*m);
    EXPECT_TRUE(QFileInfo::exists(Pfad(kKopie)));
    EXPECT_TRUE(QFileInfo::exists(Pfad(kBildKopie)));
    EXPECT_EQ(m->OffeneKonflikte().size(), 1);
    EXPECT_FALSE(m->la_Konflikt->isHidden());

    ui.dialoge.enqueue([](QDialog& d) {
        Waehlen(d, "rb_Jene_0");
        Waehlen(d, "rb_BildDiese_0");
        return int(mrOk);
    });
    m->Aktion("ax_Konflikte")->trigger();
    Abwarten(*m);
    QStringList zeilen;
    BildtextLesen(tag, QStringLiteral("a.jpg"), zeilen);
    EXPECT_EQ(zeilen, QStringList{QStringLiteral("Dort")});
    EXPECT_FALSE(QFileInfo::exists(Pfad(kKopie)));
    EXPECT_FALSE(QFileInfo::exists(Pfad(kBildKopie)));
    EXPECT_TRUE(m->OffeneKonflikte().isEmpty());
    EXPECT_EQ(m->la_Konflikt->text(), QStringLiteral("2 Konflikte gelöst"));
}
