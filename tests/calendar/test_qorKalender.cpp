#include "calendar/qorDateGerman.h"
#include "calendar/qorKalender.h"
#include "calendar/qorKalenderDate.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
// Easter by the anonymous Gregorian algorithm (Meeus/Jones/Butcher), as a second opinion.
QDate OsternZweiteMeinung(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25,
              g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    return QDate(y, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1);
}
} // namespace

TEST(KalenderDatum, KalenderwochenWieIso8601) {
    EXPECT_EQ(KalenderWoche(QDate(2020, 12, 31)), 53);
    EXPECT_EQ(KalenderWoche(QDate(2021, 1, 1)), 53);
    EXPECT_EQ(KalenderWoche(QDate(2024, 12, 31)), 1);
    EXPECT_EQ(KalenderWoche(QDate(2014, 12, 29)), 1);
    for (QDate d(1900, 1, 1); d <= QDate(2100, 12, 31); d = d.addDays(1)) {
        int jahr = 0;
        ASSERT_EQ(KalenderWoche(d), d.weekNumber(&jahr)) << d.toString(Qt::ISODate).toStdString();
    }
}

TEST(KalenderDatum, OsternUndBeweglicheFeiertage) {
    EXPECT_EQ(Ostersonntag(2004), QDate(2004, 4, 11));
    EXPECT_EQ(Ostersonntag(2024), QDate(2024, 3, 31));
    for (int y = 1583; y <= 4099; ++y)
        ASSERT_EQ(Ostersonntag(y), OsternZweiteMeinung(y)) << y;
    EXPECT_EQ(FeiertagDatum(2023, 16), QDate(2023, 11, 22));
    EXPECT_EQ(FeiertagDatum(2022, 16), QDate(2022, 11, 16)); // 25 December 2022 was a Sunday
    EXPECT_EQ(FeiertagDatum(2024, 9), QDate(2024, 3, 29));
    EXPECT_EQ(FeiertagDatum(2024, 12), QDate(2024, 5, 9));
    EXPECT_EQ(FeiertagDatum(2024, 14), QDate(2024, 5, 20));
    EXPECT_EQ(FeiertagDatum(2024, 15), QDate(2024, 5, 30));
    EXPECT_EQ(FeiertagNamen().size(), 17);
    EXPECT_EQ(FeiertagNamen()[16], QString::fromUtf8("Buß- und Bettag*"));
}

namespace {
struct Kalender : ::testing::Test {
    TqorKalenderModell k;
    int aufrufe = 0;
    QStringList ereignisse;
    void SetUp() override {
        k.OnGetTermine = [this](const QDateTime& von, const QDateTime& bis, TqorEreignisList& items) {
            ++aufrufe;
            TqorKalenderEreignis mehr;
            mehr.Text = "Urlaub";
            mehr.Von = QDateTime(QDate(2010, 2, 1), QTime(0, 0));
            mehr.Bis = QDateTime(QDate(2010, 2, 3), QTime(0, 0));
            TqorKalenderEreignis zeit;
            zeit.Text = "Termin";
            zeit.Von = QDateTime(QDate(2010, 2, 2), QTime(9, 30));
            TqorKalenderEreignis ganz;
            ganz.Text = "Fotos";
            ganz.Von = QDateTime(QDate(2010, 2, 2), QTime(0, 0));
            for (const auto& e : {zeit, ganz, mehr})
                if (e.Von >= von.addDays(-3) && e.Von <= bis) items.append(e);
        };
        k.OnDateChange = [this] { ereignisse << "DateChange"; };
    }
    TqorCustomTag* Tag(const QDate& d) {
        for (const auto& v : k.Views())
            if (auto* t = dynamic_cast<TqorCustomTag*>(v.get()); t && t->datum == d) return t;
        return nullptr;
    }
};
} // namespace

TEST_F(Kalender, MonatFebruar2010HatGenau28Zellen) {
    k.SetDatum(QDate(2010, 2, 10));
    k.SetAnzeige(kaMonat);
    EXPECT_EQ(k.Views().size(), 28u);
    EXPECT_EQ(k.Views().front()->datum, QDate(2010, 2, 1));
    k.SetDatum(QDate(2010, 8, 10)); // August 2010: Monday 26 July to Sunday 5 September
    EXPECT_EQ(k.Views().size(), 42u);
    EXPECT_FALSE(k.Views().front()->aktiv);
}

TEST_F(Kalender, EintraegeNurFuerTagesansichtenInFesterReihenfolge) {
    k.SetDatum(QDate(2010, 2, 2));
    k.SetAnzeige(kaJahr);
    aufrufe = 0;
    k.TermineLaden();
    k.SetDatum(QDate(2010, 5, 5));
    EXPECT_EQ(aufrufe, 0);
    EXPECT_EQ(k.Views().size(), 12u);
    k.SetDatum(QDate(2010, 2, 2));
    k.SetAnzeige(kaWoche);
    EXPECT_EQ(aufrufe, 1);
    QStringList texte;
    for (const auto& item : Tag(QDate(2010, 2, 2))->items)
        texte << item.text;
    EXPECT_EQ(texte, QStringList({"Urlaub", "Fotos", "Termin"}));
    k.SetAnzeige(kaTag);
    ASSERT_EQ(Tag(QDate(2010, 2, 2))->items.size(), 3);
    k.SetDatum(QDate(2010, 2, 9));
    ASSERT_EQ(Tag(QDate(2010, 2, 9))->items.size(), 1);
    EXPECT_EQ(Tag(QDate(2010, 2, 9))->items[0].text, "neuer Termin ...");
    // Holidays stand first outside the day view.
    k.SetDatum(QDate(2010, 12, 25));
    k.SetAnzeige(kaMonat);
    ASSERT_FALSE(Tag(QDate(2010, 12, 25))->items.isEmpty());
    EXPECT_EQ(Tag(QDate(2010, 12, 25))->items[0].text, "1.Weihnachtstag");
    EXPECT_TRUE(Tag(QDate(2010, 12, 25))->items[0].feiertag);
}

TEST_F(Kalender, NeuaufbauNurWennDieAnsichtEsVerlangt) {
    k.SetAnzeige(kaMonat);
    k.SetDatum(QDate(2010, 2, 10));
    const int vorher = k.ViewsAufgebaut;
    ereignisse.clear();
    k.SetDatum(QDate(2010, 2, 20));
    EXPECT_EQ(k.ViewsAufgebaut, vorher);
    EXPECT_EQ(ereignisse, QStringList({"DateChange"}));
    k.SetDatum(QDate(2010, 2, 20)); // the same day: nothing
    EXPECT_EQ(ereignisse.size(), 1);
    k.SetAnzeige(kaWoche);
    const int woche = k.ViewsAufgebaut;
    k.SetDatum(QDate(2010, 2, 21)); // Sunday of the same week
    EXPECT_EQ(k.ViewsAufgebaut, woche);
    k.SetDatum(QDate(2010, 2, 22));
    EXPECT_EQ(k.ViewsAufgebaut, woche + 1);
    k.SetAnzeige(kaTag);
    const int tag = k.ViewsAufgebaut;
    k.SetDatum(QDate(2010, 2, 23));
    EXPECT_EQ(k.ViewsAufgebaut, tag + 1);
}

TEST(KalenderWidget, KlickAufEinenTagEinesAnderenJahres) {
    TqorKalender w;
    w.show();
    w.SetDatum(QDate(2026, 12, 15));
    QString feiertagBeimWechsel;
    w.Modell().OnDateChange = [&] { feiertagBeimWechsel = w.Modell().FeiertagAm(QDate(2027, 1, 6)); };
    auto* januar = dynamic_cast<TqorMonat*>(w.Modell().Views()[3].get());
    ASSERT_NE(januar, nullptr);
    ASSERT_EQ(januar->datum, QDate(2027, 1, 1));
    QTest::mouseClick(&w, Qt::LeftButton, {}, januar->ZellenRechteck(6).center());
    EXPECT_EQ(w.Datum(), QDate(2027, 1, 6));
    EXPECT_EQ(feiertagBeimWechsel, QString::fromUtf8("Heilige 3 Könige*"));
}

TEST(KalenderWidget, ReiterSchaltenDieAnsichtUndBildschirmfotoZeigtSie) {
    TqorKalender w;
    w.resize(800, 500);
    w.show();
    EXPECT_GE(w.width(), 650);
    w.setTabColor(QColor(10, 20, 30));
    w.setActivTabColor(QColor(250, 250, 200));
    for (int i = 3; i >= 0; --i) {
        const QPolygon tab = w.Modell().TabPolygon(i);
        // The middle of the tab's own part (below the overlap with the one before).
        const QPoint mitte(tab.boundingRect().center().x() - 3, tab.boundingRect().top() + 20);
        QTest::mouseClick(&w, Qt::LeftButton, {}, mitte);
        ASSERT_EQ(w.Anzeige(), TqorKalenderAnzeige(i));
        const QImage bild = w.grab().toImage();
        EXPECT_EQ(bild.pixelColor(mitte + QPoint(4, 0)), QColor(250, 250, 200)) << i;
        // The title band in the tab colour, with its week number on the right.
        EXPECT_EQ(bild.pixelColor(10, 6), QColor(10, 20, 30)) << i;
        const QPolygon anderer = w.Modell().TabPolygon(i == 0 ? 3 : 0);
        EXPECT_EQ(bild.pixelColor(anderer.boundingRect().center() + QPoint(-5, 0)), QColor(10, 20, 30)) << i;
    }
}
