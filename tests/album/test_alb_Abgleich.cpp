// Conflict copies a sync program leaves of a day's caption file and of a burn list,
// merged against the bases the writers keep: two computers are two album copies with a
// cache folder each, and the sync program's part is played by copying files.
#include "album/alb_Abgleich.h"
#include "album/alb_Basis.h"
#include "album/alb_KonfliktAuswahl.h"
#include "album/alb_ini.h"
#include "burn/alb_Brennliste.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Papierkorb.h"
#include "sys/zpt_Sperre.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const QString kSyncthing = QStringLiteral("ALBUM.sync-conflict-20261207-113713-M6CSOA4.DAT");

// One computer: its copy of the album (one day folder) and its cache folder.
struct Rechner {
    TestOrdner album, cache;
    Rechner(const QByteArray& start = {}) {
        album.ordner("tag");
        if (!start.isNull()) album.datei("tag/ALBUM.DAT", start);
    }
    QString tag(const QString& name = {}) const { return album.pfad(name.isEmpty() ? "tag" : "tag/" + name); }
    QByteArray datei(const QString& name = "ALBUM.DAT") const { return TestOrdner::lesen(tag(name)); }
    void legen(const QString& name, const QByteArray& inhalt) const { album.datei("tag/" + name, inhalt); }
    // From here on the program runs on this computer.
    void aktiv() const { basis::OrdnerSetzen(cache.pfad()); }
};

struct Aufraeumen {
    ~Aufraeumen() {
        basis::OrdnerSetzen({});
        PapierkorbStoeren(PapierkorbStoerung::Keine);
        TDateiSperre::WartezeitSetzen(5000);
    }
};

QStringList Zeilen(const QString& tag, const QString& bild) {
    return TagTexteLesen(tag).Zeilen(bild);
}

// Every question of the day answered so.
QHash<QString, TWahl> Alle(const TAbgleichPlan& plan, TWahl wahl) {
    QHash<QString, TWahl> w;
    for (const TKonfliktFrage& f : plan.fragen)
        w.insert(f.Schluessel(), wahl);
    return w;
}
} // namespace

// The example of two computers: A changes one caption (twice, before the sync), B adds
// another; the sync program keeps B's file on both and A's as a conflict copy. Both
// computers merge without a question into the same file; the next round, with the other
// computer's file kept, again.
TEST(Konfliktkopie, GetrennteAenderungenOhneFrageAufBeidenRechnern) {
    Aufraeumen z;
    const QByteArray start = "[TITEL]\r\nTITELNAME=Urlaub\r\n[BILD A.JPG]\r\nZEILE00=alt\r\n";
    Rechner a(start), b(start);
    a.aktiv();
    ASSERT_TRUE(BildtextSchreiben(a.tag(), "A.JPG", {"erst"}));
    ASSERT_TRUE(BildtextSchreiben(a.tag(), "A.JPG", {"a", "zwei"}));
    b.aktiv();
    ASSERT_TRUE(BildtextSchreiben(b.tag(), "B.JPG", {"neu"}));
    const QByteArray vonA = a.datei();
    a.legen(kSyncthing, vonA);
    a.legen("ALBUM.DAT", b.datei());
    b.legen(kSyncthing, vonA);
    // A caption written while the copy waits leaves the base the copy branched off from.
    a.aktiv();
    ASSERT_TRUE(BildtextSchreiben(a.tag(), "C.JPG", {"dazwischen"}));
    b.aktiv();
    ASSERT_TRUE(BildtextSchreiben(b.tag(), "C.JPG", {"dazwischen"}));
    for (const Rechner* r : {&a, &b}) {
        r->aktiv();
        const TAbgleichPlan plan = AbgleichPruefen(r->tag());
        EXPECT_TRUE(plan.fragen.isEmpty());
        EXPECT_EQ(plan.automatisch, 1);
        EXPECT_EQ(plan.kopien, QStringList{kSyncthing});
        const TAbgleichErgebnis e = AbgleichAnwenden(r->tag());
        EXPECT_EQ(e.uebernommen, 1);
        EXPECT_EQ(e.offen, 0);
        EXPECT_EQ(e.imPapierkorb, 1);
        EXPECT_TRUE(e.fehler.isEmpty()) << e.fehler.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(r->tag(kSyncthing)));
        EXPECT_EQ(Zeilen(r->tag(), "A.JPG"), QStringList({"a", "zwei"}));
        EXPECT_EQ(Zeilen(r->tag(), "B.JPG"), QStringList{"neu"});
        EXPECT_EQ(Zeilen(r->tag(), "C.JPG"), QStringList{"dazwischen"});
        EXPECT_EQ(TagTexteLesen(r->tag()).titel, "Urlaub");
    }
    ASSERT_EQ(a.datei(), b.datei());

    // The merged file is the base now: A changes the title, B the caption A wrote; this
    // time A's file is kept and B's put aside, in Nextcloud's form. Only A merges; the sync
    // program brings the result to B.
    a.aktiv();
    ASSERT_TRUE(TitelSchreiben(a.tag(), "Ferien"));
    b.aktiv();
    ASSERT_TRUE(BildtextSchreiben(b.tag(), "a.jpg", {"von B"}));
    const QString nextcloud = "ALBUM (conflicted copy Anna 2026-12-08 090000).DAT";
    a.legen(nextcloud, b.datei());
    a.aktiv();
    EXPECT_TRUE(AbgleichPruefen(a.tag()).fragen.isEmpty());
    EXPECT_EQ(AbgleichAnwenden(a.tag()).imPapierkorb, 1);
    EXPECT_EQ(Zeilen(a.tag(), "A.JPG"), QStringList{"von B"});
    EXPECT_EQ(TagTexteLesen(a.tag()).titel, "Ferien");
    b.legen("ALBUM.DAT", a.datei());

    // B's own caption came back to it in A's file: it is the base now, so A changing it
    // again while B changes the title is no question on B either.
    ASSERT_TRUE(BildtextSchreiben(a.tag(), "A.JPG", {"wieder A"}));
    b.aktiv();
    ASSERT_TRUE(TitelSchreiben(b.tag(), "Winter"));
    a.legen(kSyncthing, a.datei());
    a.legen("ALBUM.DAT", b.datei());
    b.legen(kSyncthing, a.datei(kSyncthing));
    for (const Rechner* r : {&a, &b}) {
        r->aktiv();
        EXPECT_TRUE(AbgleichPruefen(r->tag()).fragen.isEmpty());
        EXPECT_EQ(AbgleichAnwenden(r->tag()).imPapierkorb, 1);
        EXPECT_EQ(Zeilen(r->tag(), "A.JPG"), QStringList{"wieder A"});
        EXPECT_EQ(TagTexteLesen(r->tag()).titel, "Winter");
    }
    EXPECT_EQ(a.datei(), b.datei());
}

// Every form of name a sync program gives, in any case; several copies of one file are
// merged one after the other, each against the base they all branched off from (so a
// later copy does not take back what an earlier one brought). A copy of a picture is not
// the caption file's.
TEST(Konfliktkopie, AlleNamensformenNacheinanderGegenDieselbeBasis) {
    Aufraeumen z;
    QByteArray start;
    for (int i = 0; i < 5; ++i)
        start += QString("[BILD P%1.JPG]\r\nZEILE00=alt\r\n").arg(i).toLatin1();
    Rechner r(start);
    r.aktiv();
    ASSERT_TRUE(BildtextSchreiben(r.tag(), "X.JPG", {"eigenes"}));
    const QStringList namen{"album.SYNC-CONFLICT-20261207-113714.dat", "ALBUM_conflict-20261207-113717.DAT",
                            "ALBUM (conflicted copy 2026-12-07 113716).DAT",
                            "ALBUM (conflicted copy Anna Berg 2026-12-07 113715).DAT", kSyncthing};
    for (int i = 0; i < namen.size(); ++i) {
        QByteArray kopie = start;
        kopie.replace(QString("[BILD P%1.JPG]\r\nZEILE00=alt").arg(i).toLatin1(),
                      QString("[BILD P%1.JPG]\r\nZEILE00=neu %1").arg(i).toLatin1());
        r.legen(namen[i], kopie);
    }
    const QString bildKopie = "IMG_0001.sync-conflict-20261207-113713-M6CSOA4.JPG";
    r.legen(bildKopie, "[BILD P0.JPG]\r\nZEILE00=kein Bildtext\r\n");

    const TAbgleichPlan plan = AbgleichPruefen(r.tag());
    EXPECT_EQ(plan.kopien, QStringList({kSyncthing, namen[0], namen[3], namen[2], namen[1]}));
    EXPECT_TRUE(plan.fragen.isEmpty());
    EXPECT_EQ(plan.automatisch, 5);
    const TAbgleichErgebnis e = AbgleichAnwenden(r.tag());
    EXPECT_EQ(e.imPapierkorb, 5);
    for (int i = 0; i < namen.size(); ++i) {
        EXPECT_EQ(Zeilen(r.tag(), QString("P%1.JPG").arg(i)), QStringList{QString("neu %1").arg(i)});
        EXPECT_FALSE(QFile::exists(r.tag(namen[i])));
    }
    EXPECT_EQ(Zeilen(r.tag(), "X.JPG"), QStringList{"eigenes"});
    EXPECT_TRUE(QFile::exists(r.tag(bildKopie)));
}

// A picture deleted on one computer (its caption set aside under its identity) while
// the other changes another caption: the caption goes aside on both, nothing is asked.
TEST(Konfliktkopie, GeloeschtesBildAufDemAnderenRechner) {
    Aufraeumen z;
    Rechner r("[BILD X.JPG]\r\nZEILE00=x\r\n[BILD Y.JPG]\r\nZEILE00=y\r\n");
    r.aktiv();
    ASSERT_TRUE(BildtextSchreiben(r.tag(), "Y.JPG", {"y2"}));
    r.legen(kSyncthing,
            "[BILD Y.JPG]\r\nZEILE00=y\r\n[PAPIERKORB 12-0123456789abcdef X.JPG]\r\nZEILE00=x\r\n");
    EXPECT_TRUE(AbgleichPruefen(r.tag()).fragen.isEmpty());
    EXPECT_EQ(AbgleichAnwenden(r.tag()).uebernommen, 2);
    EXPECT_EQ(r.datei(),
              "[BILD Y.JPG]\r\nZEILE00=y2\r\n[PAPIERKORB 12-0123456789abcdef X.JPG]\r\nZEILE00=x\r\n");
}

// Both sides changed the same entries: questions with both texts, the device and the
// times; without an answer the copy stays (what needs no question is merged anyway);
// each answer gives its text; an answer to texts that changed meanwhile is no answer.
TEST(Konfliktkopie, BeideGeaendertFragtUndJedeAntwortGilt) {
    Aufraeumen z;
    const QByteArray start = "[TITEL]\r\nTITELNAME=T\r\n[BILD A.JPG]\r\nZEILE00=alt\r\n";
    const QByteArray jene = "[TITEL]\r\nTITELNAME=T2\r\n[BILD A.JPG]\r\nZEILE00=jene\r\n"
                            "[BILD B.JPG]\r\nZEILE00=b\r\n";
    const auto aufbauen = [&](Rechner& r) {
        r.aktiv();
        ASSERT_TRUE(BildtextSchreiben(r.tag(), "A.JPG", {"diese", "zwei"}));
        ASSERT_TRUE(TitelSchreiben(r.tag(), "T1"));
        r.legen(kSyncthing, jene);
    };
    {
        Rechner r(start);
        aufbauen(r);
        const TAbgleichPlan plan = AbgleichPruefen(r.tag());
        ASSERT_EQ(plan.fragen.size(), 2);
        EXPECT_EQ(plan.automatisch, 1);
        const TKonfliktFrage& f = plan.fragen[0].bild.isEmpty() ? plan.fragen[1] : plan.fragen[0];
        const TKonfliktFrage& t = plan.fragen[0].bild.isEmpty() ? plan.fragen[0] : plan.fragen[1];
        EXPECT_EQ(f.bild, "A.JPG");
        EXPECT_EQ(f.diese, QStringList({"diese", "zwei"}));
        EXPECT_EQ(f.jene, QStringList{"jene"});
        EXPECT_EQ(f.geraet, "M6CSOA4");
        EXPECT_EQ(f.kopie, kSyncthing);
        EXPECT_EQ(f.zeitJene, QFileInfo(r.tag(kSyncthing)).lastModified());
        EXPECT_EQ(f.zeitDiese, QFileInfo(r.tag("ALBUM.DAT")).lastModified());
        EXPECT_EQ(t.diese, QStringList{"T1"});
        EXPECT_NE(f.Schluessel(), t.Schluessel());

        TAbgleichErgebnis e = AbgleichAnwenden(r.tag());
        EXPECT_EQ(e.offen, 2);
        EXPECT_EQ(e.uebernommen, 1);
        EXPECT_EQ(e.imPapierkorb, 0);
        EXPECT_TRUE(QFile::exists(r.tag(kSyncthing)));
        EXPECT_EQ(Zeilen(r.tag(), "B.JPG"), QStringList{"b"});
        EXPECT_EQ(Zeilen(r.tag(), "A.JPG"), QStringList({"diese", "zwei"}));

        // The caption changes after the window showed it: that answer no longer holds.
        const QHash<QString, TWahl> wahlen = Alle(plan, TWahl::Jene);
        ASSERT_TRUE(BildtextSchreiben(r.tag(), "A.JPG", {"inzwischen"}));
        e = AbgleichAnwenden(r.tag(), wahlen);
        EXPECT_EQ(e.gefragt, 1);
        EXPECT_EQ(e.offen, 1);
        EXPECT_TRUE(QFile::exists(r.tag(kSyncthing)));
        EXPECT_EQ(Zeilen(r.tag(), "A.JPG"), QStringList{"inzwischen"});
        EXPECT_EQ(TagTexteLesen(r.tag()).titel, "T2");
    }
    const struct {
        TWahl wahl;
        QStringList bild;
        QString titel;
    } faelle[] = {{TWahl::Diese, {"diese", "zwei"}, "T1"},
                  {TWahl::Jene, {"jene"}, "T2"},
                  {TWahl::Beide, {"diese", "zwei", "jene"}, "T1 / T2"}};
    for (const auto& fall : faelle) {
        Rechner r(start);
        aufbauen(r);
        const TAbgleichErgebnis e = AbgleichAnwenden(r.tag(), Alle(AbgleichPruefen(r.tag()), fall.wahl));
        EXPECT_EQ(e.gefragt, 2);
        EXPECT_EQ(e.offen, 0);
        EXPECT_EQ(e.imPapierkorb, 1);
        EXPECT_FALSE(QFile::exists(r.tag(kSyncthing)));
        EXPECT_EQ(Zeilen(r.tag(), "A.JPG"), fall.bild);
        EXPECT_EQ(TagTexteLesen(r.tag()).titel, fall.titel);
        EXPECT_EQ(Zeilen(r.tag(), "B.JPG"), QStringList{"b"});
        // The same copy once more (brought back from the trash): nothing asked, nothing added.
        r.legen(kSyncthing, jene);
        const QByteArray gemergt = r.datei();
        EXPECT_TRUE(AbgleichPruefen(r.tag()).fragen.isEmpty());
        EXPECT_EQ(AbgleichAnwenden(r.tag()).imPapierkorb, 1);
        EXPECT_EQ(r.datei(), gemergt);
    }
}

// Without a base (none kept, or its file broken) every entry that differs is a question,
// also one that only one side has; equal ones are not.
TEST(Konfliktkopie, OhneBasisWirdGefragt) {
    Aufraeumen z;
    Rechner r("[BILD A.JPG]\r\nZEILE00=x\r\n[BILD B.JPG]\r\nZEILE00=gleich\r\n");
    r.legen(kSyncthing, "[BILD A.JPG]\r\nZEILE00=y\r\n[BILD B.JPG]\r\nZEILE00=gleich\r\n"
                        "[BILD C.JPG]\r\nZEILE00=neu\r\n");
    r.aktiv();
    for (const QByteArray& kaputt : {QByteArray(), QByteArray("{\"ordner\": 3"), QByteArray("\0\0\0", 3)}) {
        if (!kaputt.isNull()) r.cache.datei(QFileInfo(basis::Datei(r.tag())).fileName(), kaputt);
        const TAbgleichPlan plan = AbgleichPruefen(r.tag());
        ASSERT_EQ(plan.fragen.size(), 2);
        QStringList bilder{plan.fragen[0].bild, plan.fragen[1].bild};
        bilder.sort();
        EXPECT_EQ(bilder, QStringList({"A.JPG", "C.JPG"}));
        EXPECT_EQ(plan.automatisch, 0);
        EXPECT_EQ(AbgleichAnwenden(r.tag()).offen, 2);
        EXPECT_TRUE(QFile::exists(r.tag(kSyncthing)));
    }
}

// The sync program puts the older version aside, under a name with the later time of the
// conflict: which text is newer, and which is preselected, goes by when each was written.
TEST(Konfliktkopie, NeuereFassungNachDerZeitDesSchreibens) {
    Aufraeumen z;
    Rechner r("[BILD A.JPG]\r\nZEILE00=hier\r\n");
    r.aktiv();
    r.legen(kSyncthing, "[BILD A.JPG]\r\nZEILE00=dort\r\n");
    const QDateTime geschrieben(QDate(2026, 12, 7), QTime(9, 0));
    QFile kopie(r.tag(kSyncthing));
    ASSERT_TRUE(kopie.open(QIODevice::ReadWrite));
    ASSERT_TRUE(kopie.setFileTime(geschrieben, QFileDevice::FileModificationTime));
    kopie.close();
    const TAbgleichPlan plan = AbgleichPruefen(r.tag());
    ASSERT_EQ(plan.fragen.size(), 1);
    EXPECT_EQ(plan.fragen[0].zeitJene, geschrieben);
    EXPECT_EQ(TKonfliktAuswahl::Vorauswahl(plan.fragen[0]), TWahl::Diese);
}

// A copy that is no caption file (binary, empty, a link, a pipe, unreadable) is named and
// left where it is; the readable one beside it is merged.
TEST(Konfliktkopie, UnlesbareKopieBleibtLiegen) {
    Aufraeumen z;
    Rechner r("[BILD A.JPG]\r\nZEILE00=alt\r\n");
    r.aktiv();
    ASSERT_TRUE(TitelSchreiben(r.tag(), "Titel"));
    const QByteArray vorher = r.datei();
    r.legen("ALBUM.sync-conflict-20261207-100000.DAT", QByteArray("[BILD A.JPG]\r\nZEILE00=\0\0x\r\n", 25));
    r.legen("ALBUM.sync-conflict-20261207-100001.DAT", "");
    r.legen("ALBUM.sync-conflict-20261207-100002.DAT", "\r\n  \r\n");
    QFile::link("ALBUM.DAT", r.tag("ALBUM.sync-conflict-20261207-100003.DAT"));
    ASSERT_EQ(QProcess::execute("mkfifo", {r.tag("ALBUM.sync-conflict-20261207-100004.DAT")}), 0);
    r.album.unlesbar("tag/ALBUM.sync-conflict-20261207-100005.DAT");
    r.legen(kSyncthing, "[BILD B.JPG]\r\nZEILE00=b\r\n[BILD A.JPG]\r\nZEILE00=alt\r\n");

    const TAbgleichPlan plan = AbgleichPruefen(r.tag());
    EXPECT_EQ(plan.unlesbar.size(), 6);
    EXPECT_EQ(plan.kopien.size(), 7);
    EXPECT_EQ(plan.automatisch, 1);
    const TAbgleichErgebnis e = AbgleichAnwenden(r.tag());
    EXPECT_EQ(e.unlesbar, plan.unlesbar);
    EXPECT_EQ(e.imPapierkorb, 1);
    EXPECT_EQ(Zeilen(r.tag(), "B.JPG"), QStringList{"b"});
    EXPECT_EQ(TagTexteLesen(r.tag()).titel, "Titel");
    for (const QString& name : plan.unlesbar)
        EXPECT_TRUE(QFileInfo(r.tag(name)).exists() || QFileInfo(r.tag(name)).isSymLink())
            << name.toStdString();
    EXPECT_NE(r.datei(), vorher);
}

// The copy goes into the trash only once the merged file is on disk: not while another
// writer keeps the caption file locked, and where the trash cannot take it, it stays; the
// next merge then finds it merged and writes nothing.
TEST(Konfliktkopie, KopieErstNachDemSchreibenInDenPapierkorb) {
    Aufraeumen z;
    Rechner r("[BILD A.JPG]\r\nZEILE00=alt\r\n");
    r.aktiv();
    ASSERT_TRUE(TitelSchreiben(r.tag(), "Titel"));
    const QByteArray vorher = r.datei();
    r.legen(kSyncthing, "[BILD A.JPG]\r\nZEILE00=neu\r\n");
    TDateiSperre::WartezeitSetzen(100);
    {
        const TDateiSperre andere(r.tag("ALBUM.DAT"));
        const TAbgleichErgebnis e = AbgleichAnwenden(r.tag());
        EXPECT_FALSE(e.fehler.isEmpty());
        EXPECT_EQ(e.imPapierkorb, 0);
    }
    EXPECT_TRUE(QFile::exists(r.tag(kSyncthing)));
    EXPECT_EQ(r.datei(), vorher);

    PapierkorbStoeren(PapierkorbStoerung::InfoAnlegen);
    TAbgleichErgebnis e = AbgleichAnwenden(r.tag());
    EXPECT_EQ(e.fehler.size(), 1);
    EXPECT_TRUE(QFile::exists(r.tag(kSyncthing)));
    EXPECT_EQ(Zeilen(r.tag(), "A.JPG"), QStringList{"neu"});
    PapierkorbStoeren(PapierkorbStoerung::Keine);
    const QByteArray stand = DateiStand(r.tag("ALBUM.DAT"));
    e = AbgleichAnwenden(r.tag());
    EXPECT_EQ(e.imPapierkorb, 1);
    EXPECT_EQ(e.uebernommen, 0);
    EXPECT_EQ(DateiStand(r.tag("ALBUM.DAT")), stand);
    EXPECT_FALSE(QFile::exists(r.tag(kSyncthing)));
}

// Burn lists: what either side added stays, what one side removed goes where the base
// shows it was there; several copies one after the other; without a base, nothing goes.
TEST(Konfliktkopie, BrennlisteHinzuUndEntfernt) {
    Aufraeumen z;
    Rechner r;
    r.aktiv();
    r.legen("Brennliste.Pixolud", "2005/a.jpg\r\n2005/b.jpg\r\n2005/c.jpg\r\n");
    const QString datei = r.tag("Brennliste.Pixolud");
    TBrennliste l;
    l.Setzen(TBrennliste::DateiLesen(datei), datei);
    // Two saves before the sync: the base stays the list as read before the first.
    l.Hinzufuegen("2005/x.jpg");
    l.Speichern(datei);
    l.Entfernen({l.Index("2005/a.jpg")});
    l.Speichern(datei);
    r.legen("Brennliste (conflicted copy 2026-12-07 113800).Pixolud",
            "2005/a.jpg\r\n2005/b.jpg\r\n2005/c.jpg\r\n2005/z.jpg\r\n");
    r.legen("Brennliste.sync-conflict-20261207-113713-M6CSOA4.Pixolud",
            "2005/a.jpg\r\n2005/c.jpg\r\n2005/Y.jpg\r\n");
    TBrennliste::TAbgleich a = TBrennliste::KonfliktkopienAbgleichen(datei);
    EXPECT_EQ(a.kopien, 2);
    EXPECT_EQ(a.imPapierkorb, 2);
    EXPECT_EQ(a.hinzu, 2);
    EXPECT_EQ(a.entfernt, 1);
    EXPECT_TRUE(a.fehler.isEmpty());
    EXPECT_EQ(TBrennliste::DateiLesen(datei),
              QStringList({"2005/c.jpg", "2005/x.jpg", "2005/Y.jpg", "2005/z.jpg"}));
    EXPECT_EQ(TBrennliste::ListenBasis(datei), TBrennliste::DateiLesen(datei));

    TestOrdner andererCache;
    basis::OrdnerSetzen(andererCache.pfad());
    r.legen("Brennliste_conflict-20261207-120000.Pixolud", "2005/w.jpg\r\n");
    a = TBrennliste::KonfliktkopienAbgleichen(datei);
    EXPECT_EQ(a.entfernt, 0);
    EXPECT_EQ(TBrennliste::DateiLesen(datei),
              QStringList({"2005/c.jpg", "2005/w.jpg", "2005/x.jpg", "2005/Y.jpg", "2005/z.jpg"}));
}

// A copy of a copy (the sync program put a conflict copy itself aside) is one more version
// of the caption file: merged like the others, not hidden for good.
TEST(Konfliktkopie, KopieEinerKopieWirdZusammengefuehrt) {
    Aufraeumen z;
    Rechner r("[BILD A.JPG]\r\nZEILE00=alt\r\n");
    r.aktiv();
    ASSERT_TRUE(TitelSchreiben(r.tag(), "Titel"));
    const QString name =
        "ALBUM.sync-conflict-20261207-113713-M6CSOA4.sync-conflict-20261208-090000-ABCDEFG.DAT";
    r.legen(name, "[BILD A.JPG]\r\nZEILE00=alt\r\n[BILD B.JPG]\r\nZEILE00=b\r\n");
    EXPECT_EQ(AbgleichPruefen(r.tag()).kopien, QStringList{name});
    const TAbgleichErgebnis e = AbgleichAnwenden(r.tag());
    EXPECT_EQ(e.uebernommen, 1);
    EXPECT_EQ(e.imPapierkorb, 1);
    EXPECT_EQ(Zeilen(r.tag(), "B.JPG"), QStringList{"b"});
    EXPECT_EQ(TagTexteLesen(r.tag()).titel, "Titel");
}

// A Mac writes a picture's umlauts decomposed: the copy's caption of "Müller.JPG" is the
// caption of the picture the current file spells composed, not a second one that removes it.
TEST(Konfliktkopie, ZerlegteUmlauteSindDasselbeBild) {
    Aufraeumen z;
    Rechner r(QStringLiteral("[BILD M\u00fcller.JPG]\r\nZEILE00=alt\r\n").toUtf8());
    r.aktiv();
    ASSERT_TRUE(TitelSchreiben(r.tag(), "Titel"));
    r.legen(kSyncthing, QStringLiteral("[BILD Mu\u0308ller.JPG]\r\nZEILE00=neu\r\n").toUtf8());
    EXPECT_TRUE(AbgleichPruefen(r.tag()).fragen.isEmpty());
    EXPECT_EQ(AbgleichAnwenden(r.tag()).uebernommen, 1);
    EXPECT_EQ(Zeilen(r.tag(), QStringLiteral("M\u00fcller.JPG")), QStringList{"neu"});
}
// A list written on a Mac spells umlauts decomposed: its entry is the same picture as the
// composed one here, neither removed nor doubled.
TEST(Konfliktkopie, BrennlisteMitZerlegtenUmlauten) {
    Aufraeumen z;
    Rechner r;
    r.aktiv();
    const QString komponiert = QStringLiteral("2005/M\u00fcller.jpg"),
                  zerlegt = QStringLiteral("2005/Mu\u0308ller.jpg");
    r.legen("Brennliste.Pixolud", (komponiert + "\r\n2005/b.jpg\r\n").toUtf8());
    const QString datei = r.tag("Brennliste.Pixolud");
    TBrennliste l;
    l.Setzen(TBrennliste::DateiLesen(datei), datei);
    l.Hinzufuegen(QStringLiteral("2005/\u00e4.jpg"));
    l.Speichern(datei);
    r.legen(kSyncthing.left(kSyncthing.size() - 4).replace("ALBUM", "Brennliste") + ".Pixolud",
            (zerlegt + "\r\n2005/b.jpg\r\n2005/a\u0308.jpg\r\n2005/c.jpg\r\n").toUtf8());
    const TBrennliste::TAbgleich a = TBrennliste::KonfliktkopienAbgleichen(datei);
    EXPECT_EQ(a.hinzu, 1);
    EXPECT_EQ(a.entfernt, 0);
    EXPECT_EQ(TBrennliste::DateiLesen(datei),
              QStringList({QStringLiteral("2005/\u00e4.jpg"), "2005/b.jpg", "2005/c.jpg", komponiert}));
}
