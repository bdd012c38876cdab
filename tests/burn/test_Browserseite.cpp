// The page of an exported CD folder in headless Chromium, watched by a probe of the test's
// own: which pictures the page asks for, and where the info line's fields lie.
#include "album/alb_ini.h"
#include "burn/alb_Export.h"
#include "support/TestAlbum.h"
#include "support/TestOrdner.h"
#include "sys/zpt_sys.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct OhneFenster : TFortschritt {
    void Start(const QString&, int) override {}
    void Schritt() override {}
    bool Abgebrochen() const override { return false; }
    void Stop() override {}
};

// Runs before the page's script: every picture address the page sets is noted, the one on
// screen as "zeigen …", one fetched ahead as "laden …".
constexpr const char* VorDerSeite = R"(<script>
window.PRUEFUNG = [];
(function () {
  var src = Object.getOwnPropertyDescriptor(HTMLImageElement.prototype, "src");
  Object.defineProperty(HTMLImageElement.prototype, "src", { configurable: true, get: src.get,
    set: function (wert) {
      PRUEFUNG.push((this.id === "bild" ? "zeigen " : "laden ") + wert);
      src.set.call(this, wert);
    } });
})();
</script>
)";

// Runs after the page's script and its keys: the window size, the pictures asked for and,
// for each field of the info line, its text, its box and whether its whole text fits; sent
// to the frame around the page (any width, also below what a browser window allows).
constexpr const char* NachDerSeite = R"(<script>
(function () {
  var m = { breite: innerWidth, hoehe: innerHeight, bilder: PRUEFUNG };
  ["position", "datei", "hilfe", "flaeche"].forEach(function (id) {
    var e = document.getElementById(id), r = e.getBoundingClientRect();
    m[id] = { text: e.textContent, links: r.left, oben: r.top, rechts: r.right, unten: r.bottom,
              ganz: e.scrollWidth <= e.clientWidth && e.scrollHeight <= e.clientHeight };
  });
  parent.postMessage(JSON.stringify(m), "*");
})();
</script>
)";

// The page in a frame of the given size; what the probe sends is put into the frame's page.
constexpr const char* Rahmen = R"(<!DOCTYPE html>
<html><body style="margin: 0">
<iframe style="border: 0; display: block; width: %1px; height: %2px" src="pruefung.html?tasten=%3"></iframe>
<script>
addEventListener("message", function (e) {
  var aus = document.createElement("pre");
  aus.id = "pruefung";
  aus.textContent = e.data;
  document.body.appendChild(aus);
});
</script>
</body></html>
)";

struct Browserseite : ::testing::Test {
    TestKonfiguration konfiguration;
    TestAlbum album;
    TestOrdner ziel;
    OhneFenster fortschritt;
    const QString erstes = "IMG_20050101_093015.jpg", zweites = "IMG_20050101_174502.jpg";

    void SetUp() override {
        if (QStandardPaths::findExecutable("chromium").isEmpty())
            GTEST_SKIP() << "no chromium on this machine";
        album.tag("2005", "20050101", {erstes, zweites}, QString::fromUtf8("Neujahr in Köln"));
        album.tag("2005", "20050102", {"c.jpg", "d.jpg", "e.jpg"});
        album.tag("2005", "Urlaub", {"u.jpg"});
        const QString g = AddBackslash(album.pfad());
        QStringList bilder;
        for (const QString& b :
             {"20050101/" + erstes, "20050101/" + zweites, QString("20050102/c.jpg"),
              QString("20050102/d.jpg"), QString("20050102/e.jpg"), QString("Urlaub/u.jpg")})
            bilder << "2005/" + b;
        TExport e(g, bilder, fortschritt);
        e.CDKopieren(ziel.pfad("cd"), true, {});
        ASSERT_EQ(e.Fehlerzahl, 0);
        // The page as exported, with the probe around its script.
        QString seite = QString::fromUtf8(TestOrdner::lesen(ziel.pfad("cd/index.html")));
        const QString skripte = "<script src=\"album.js\"></script>";
        ASSERT_TRUE(seite.contains(skripte) && seite.contains("</body>"));
        seite.replace(skripte, VorDerSeite + skripte);
        seite.replace("</body>", NachDerSeite + QStringLiteral("</body>"));
        ziel.datei("cd/pruefung.html", seite.toUtf8());
    }

    // The probe's findings at this window size after these keys; empty when it found nothing.
    QJsonObject Seite(QSize fenster, const QString& tasten = {}) const {
        ziel.datei(
            "cd/rahmen.html",
            QString::fromLatin1(Rahmen).arg(fenster.width()).arg(fenster.height()).arg(tasten).toUtf8());
        QProcess p;
        p.start(QStandardPaths::findExecutable("chromium"),
                {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--hide-scrollbars", "--user-data-dir=" + ziel.pfad("profil"), "--window-size=1400,1400",
                 "--virtual-time-budget=3000", "--dump-dom",
                 QUrl::fromLocalFile(ziel.pfad("cd/rahmen.html")).toString()});
        p.waitForFinished(60000);
        const QString dom = QString::fromUtf8(p.readAllStandardOutput());
        const QString anfang = "<pre id=\"pruefung\">";
        const qsizetype a = dom.indexOf(anfang), e = dom.indexOf("</pre>", a);
        if (a < 0 || e < 0) return {};
        QString json = dom.mid(a + anfang.size(), e - a - anfang.size());
        json.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
        return QJsonDocument::fromJson(json.toUtf8()).object();
    }
};

// A field of the info line shows its whole text inside the window.
::testing::AssertionResult GanzSichtbar(const QJsonObject& seite, const char* feld) {
    const QJsonObject f = seite[feld].toObject();
    const double links = f["links"].toDouble(), rechts = f["rechts"].toDouble();
    const double oben = f["oben"].toDouble(), unten = f["unten"].toDouble();
    const bool ja = rechts > links && unten > oben && links >= 0 && oben >= 0 &&
                    rechts <= seite["breite"].toDouble() + 0.5 && unten <= seite["hoehe"].toDouble() + 0.5 &&
                    f["ganz"].toBool();
    if (ja) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << feld << " at " << seite["breite"].toInt()
           << " px: " << QJsonDocument(f).toJson(QJsonDocument::Compact).toStdString();
}

QStringList Bilder(const QJsonObject& seite) {
    QStringList bilder;
    for (const QJsonValue& b : seite["bilder"].toArray())
        bilder << b.toString();
    return bilder;
}

// The picture on screen at the end.
QString Gezeigt(const QStringList& bilder) {
    for (qsizetype i = bilder.size() - 1; i >= 0; --i)
        if (bilder[i].startsWith("zeigen ")) return bilder[i].mid(7);
    return {};
}
} // namespace

// Position and file name stay readable on a wide screen, a tablet held upright and a
// phone; the key help gives way where there is no room for it.
TEST_F(Browserseite, PositionUndDateinameAufJederBreite) {
    for (const QSize fenster : {QSize(1280, 800), QSize(800, 1280), QSize(390, 844)}) {
        const QJsonObject seite = Seite(fenster, "End");
        ASSERT_EQ(seite["breite"].toInt(), fenster.width()) << "the window has the size asked for";
        EXPECT_EQ(seite["position"]["text"].toString(), QString("2/2"));
        EXPECT_EQ(seite["datei"]["text"].toString(), zweites);
        EXPECT_TRUE(GanzSichtbar(seite, "position"));
        EXPECT_TRUE(GanzSichtbar(seite, "datei"));
        if (fenster.width() >= 1280) EXPECT_TRUE(GanzSichtbar(seite, "hilfe"));
    }
}

// Space and Backspace cross day boundaries, and the picture on the other side is fetched
// ahead like any neighbour in the day.
TEST_F(Browserseite, BlaetternUndVorladenUeberTagesgrenzen) {
    const QSize fenster(1280, 800);
    // Backspace on a day's first picture goes to the previous day's last.
    const QJsonObject zurueck = Seite(fenster, "PageDown,Backspace");
    EXPECT_EQ(zurueck["position"]["text"].toString(), QString("2/2"));
    EXPECT_EQ(zurueck["datei"]["text"].toString(), zweites);
    EXPECT_EQ(Gezeigt(Bilder(zurueck)), "2005/20050101/" + zweites);
    // On a day's last picture the next day's first is fetched ahead, before it is shown.
    const QStringList vor = Bilder(Seite(fenster, "Space"));
    EXPECT_EQ(Gezeigt(vor), "2005/20050101/" + zweites);
    EXPECT_TRUE(vor.contains("laden 2005/20050102/c.jpg")) << vor.join(", ").toStdString();
    // On a day's first picture the previous day's last.
    const QStringList rueck = Bilder(Seite(fenster, "PageDown,PageDown"));
    EXPECT_EQ(Gezeigt(rueck), "2005/Urlaub/u.jpg");
    EXPECT_TRUE(rueck.contains("laden 2005/20050102/e.jpg")) << rueck.join(", ").toStdString();
    EXPECT_FALSE(rueck.contains("zeigen 2005/20050102/e.jpg"));
}

// A long caption leaves room for the picture and the info line, also on a phone: it
// scrolls in a part of the window.
TEST_F(Browserseite, LangeBildunterschriftLaesstDemBildPlatz) {
    QStringList zeilen;
    for (int i = 1; i <= 30; ++i)
        zeilen << QString::fromUtf8("Zeile %1: ein langer Bericht über den Tag am Meer mit Oma.").arg(i);
    ASSERT_TRUE(BildtextSchreiben(album.pfad() + "/2005/20050101", zweites, zeilen));
    TExport e(AddBackslash(album.pfad()), {"2005/20050101/" + zweites}, fortschritt);
    e.CDKopieren(ziel.pfad("cd"), true, {});
    ASSERT_EQ(e.Fehlerzahl, 0);
    for (const QSize fenster : {QSize(1280, 800), QSize(390, 844)}) {
        const QJsonObject seite = Seite(fenster, "End");
        ASSERT_EQ(seite["datei"]["text"].toString(), zweites);
        EXPECT_TRUE(GanzSichtbar(seite, "position"));
        EXPECT_TRUE(GanzSichtbar(seite, "datei"));
        const QJsonObject flaeche = seite["flaeche"].toObject(); // where the picture is fitted
        EXPECT_GE(flaeche["unten"].toDouble() - flaeche["oben"].toDouble(), fenster.height() / 4.0)
            << "the picture at " << fenster.width() << " px";
    }
}
