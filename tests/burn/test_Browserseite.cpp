// The page of an exported CD folder in headless Chromium, watched by a probe of the test's
// own: which pictures the page asks for, and where the info line's fields lie.
#include "album/alb_ini.h"
#include "support/ExportTest.h"

#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <QUrl>

namespace {
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

struct Browserseite : ExportTest {
    const QString erstes = "IMG_20050101_093015.jpg", zweites = "IMG_20050101_174502.jpg";

    void SetUp() override {
        if (QStandardPaths::findExecutable("chromium").isEmpty())
            GTEST_SKIP() << "no chromium on this machine";
        album.tag("2005", "20050101", {erstes, zweites}, QString::fromUtf8("Neujahr in Köln"));
        album.tag("2005", "20050102", {"c.jpg", "d.jpg", "e.jpg"});
        album.tag("2005", "Urlaub", {"u.jpg"});
        QStringList bilder;
        for (const QString& b :
             {"20050101/" + erstes, "20050101/" + zweites, QString("20050102/c.jpg"),
              QString("20050102/d.jpg"), QString("20050102/e.jpg"), QString("Urlaub/u.jpg")})
            bilder << "2005/" + b;
        TExport e(G(), bilder, still);
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
        return Befund("cd/rahmen.html", 3000);
    }

    // What a probe put into the page `seite` (with its "#…") of the test's folder after
    // `budget` ms of the page's own time.
    QJsonObject Befund(const QString& seite, int budget) const {
        QUrl url = QUrl::fromLocalFile(ziel.pfad(seite.section(u'#', 0, 0)));
        if (seite.contains(u'#')) url.setFragment(seite.section(u'#', 1));
        const QString dom = BrowserDom(url.toString(), ziel.pfad("profil"), budget);
        const QString anfang = "<pre id=\"pruefung\">";
        const qsizetype a = dom.indexOf(anfang), e = dom.indexOf("</pre>", a);
        if (a < 0 || e < 0) return {};
        QString json = dom.mid(a + anfang.size(), e - a - anfang.size());
        json.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
        return QJsonDocument::fromJson(json.toUtf8()).object();
    }
};

// Runs after the page's script: the day's video list and the Live mark; then with "#live"
// P plays the first picture's motion and, once its time moves, Esc returns to the picture;
// otherwise the first video that plays is started from its button. Once the video's time
// has moved on, the findings are put into the page. (One video a run: headless Chromium's
// own clock leaves a second one at its start.)
constexpr const char* VideoPruefung = R"(<script>
(function () {
  var aus = {}, film = document.getElementById("film"), bild = document.getElementById("bild");
  var taste = function (k) { document.dispatchEvent(new KeyboardEvent("keydown", { key: k, bubbles: true })); };
  aus.liste = [].map.call(document.querySelectorAll("#videos li"), function (li) {
    var a = li.querySelector("a");
    return { name: li.querySelector(".name").textContent, spielt: !!li.querySelector("button"),
             laden: a ? a.getAttribute("href") : "" };
  });
  aus.live = !document.getElementById("live").hidden;
  film.addEventListener("timeupdate", function () {
    if (film.currentTime <= 0.5 || aus.zeit) return;
    aus.zeit = film.currentTime;
    aus.video = film.getAttribute("src");
    aus.gezeigt = !film.hidden && bild.hidden;
    aus.datei = document.getElementById("datei").textContent;
    taste("Escape");
    aus.danach = { film: !film.hidden, bild: !bild.hidden };
    var p = document.createElement("pre");
    p.id = "pruefung";
    p.textContent = JSON.stringify(aus);
    document.body.appendChild(p);
  });
  if (location.hash === "#live") taste("p");
  else document.querySelector("#videos button").click();
})();
</script>
)";

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
    TExport e(G(), {"2005/20050101/" + zweites}, still);
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

// The day's videos under the picture: one the browser plays starts in the page and its
// time moves on, one it cannot play is offered for download; a Live Photo's motion plays
// on P in the picture's place, and Esc returns to the picture. The info line keeps its
// room on a phone.
TEST_F(Browserseite, VideosSpielenInDerSeite) {
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) GTEST_SKIP() << "no ffmpeg on this machine";
    const QString tag = album.pfad() + "/2005/20050101/";
    QProcess ffmpeg;
    ffmpeg.start(QStandardPaths::findExecutable("ffmpeg"),
                 {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=2:size=320x240:rate=25",
                  "-pix_fmt", "yuv420p", "-c:v", "libx264", tag + "Ausflug #1.mp4"});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0)
        << ffmpeg.readAllStandardError().data();
    const QString live = QFileInfo(erstes).completeBaseName() + ".MOV";
    ASSERT_TRUE(QFile::copy(tag + "Ausflug #1.mp4", tag + live));
    QFile avi(tag + "alt.avi");
    ASSERT_TRUE(avi.open(QIODevice::WriteOnly) && avi.write("RIFF") == 4);
    avi.close();
    TExport e(G(), {"2005/20050101/" + erstes, "2005/20050101/" + zweites}, still);
    e.VideosDerTage = true;
    e.CDKopieren(ziel.pfad("cd"), true, {});
    ASSERT_EQ(e.Fehlerzahl, 0);
    QString seite = QString::fromUtf8(TestOrdner::lesen(ziel.pfad("cd/index.html")));
    seite.replace("</body>", VideoPruefung + QStringLiteral("</body>"));
    ziel.datei("cd/video.html", seite.toUtf8());

    const QJsonObject befund = Befund("cd/video.html", 15000);
    ASSERT_FALSE(befund.isEmpty()) << "the video did not play";
    EXPECT_EQ(QJsonDocument(befund["liste"].toArray()).toJson(QJsonDocument::Compact),
              R"([{"laden":"2005/20050101/alt.avi","name":"alt.avi","spielt":false},)"
              R"({"laden":"","name":"Ausflug #1.mp4","spielt":true}])");
    EXPECT_EQ(befund["video"].toString(), "2005/20050101/Ausflug%20%231.mp4");
    EXPECT_GT(befund["zeit"].toDouble(), 0.5);
    EXPECT_TRUE(befund["gezeigt"].toBool());
    EXPECT_EQ(befund["datei"].toString(), "Ausflug #1.mp4");
    EXPECT_EQ(befund["danach"].toObject(), QJsonObject({{"film", false}, {"bild", true}}));

    const QJsonObject bewegung = Befund("cd/video.html#live", 15000);
    ASSERT_FALSE(bewegung.isEmpty()) << "the motion did not play";
    EXPECT_TRUE(bewegung["live"].toBool());
    EXPECT_EQ(bewegung["video"].toString(), "2005/20050101/" + QUrl::toPercentEncoding(live));
    EXPECT_TRUE(bewegung["gezeigt"].toBool());
    EXPECT_EQ(bewegung["datei"].toString(), erstes);
    EXPECT_EQ(bewegung["danach"].toObject(), QJsonObject({{"film", false}, {"bild", true}}));
    const QJsonObject schmal = Seite(QSize(390, 844));
    EXPECT_TRUE(GanzSichtbar(schmal, "position"));
    EXPECT_TRUE(GanzSichtbar(schmal, "datei"));
}
