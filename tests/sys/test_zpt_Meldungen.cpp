#include "support/ScriptInteraktion.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Warten.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

TEST(Meldungen, InternerFehlerZeigtUndBrichtAb) {
    ScriptInteraktion ui;
    EXPECT_EQ(InternerFehlerText("zpt_sys", "DateienToItems SL nicht zugewiesen."),
              "Interner Fehler im Modul [zpt_sys]\r\rDateienToItems SL nicht zugewiesen.\r"
              "Benachrichtigen Sie bitte Ihren Systemadministrator.");
    EXPECT_THROW(InternerFehler("m", "t"), EAbbruch);
    EXPECT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.piepse, 1);
}

TEST(Meldungen, GeschuetztZeigtFehlerUndSchweigtBeiAbbruch) {
    ScriptInteraktion ui;
    EXPECT_TRUE(Geschuetzt([] {}));
    EXPECT_FALSE(Geschuetzt([] { throw EAbbruch(); }));
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_FALSE(Geschuetzt([] { throw EFehler("kaputt"); }));
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, "kaputt");
}

TEST(Warten, VerschachteltMitSanduhrUndHinweis) {
    auto& w = WarteAnzeige::instanz();
    QStringList hinweise;
    auto verbindung =
        QObject::connect(&w, &WarteAnzeige::hinweisGeaendert, [&](const QString& h) { hinweise << h; });
    WarteAnfang();
    EXPECT_EQ(w.hinweis(), "Bitte warten ...");
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    WarteAnfang("Laden x.jpg");
    EXPECT_EQ(w.tiefe(), 2);
    WarteEnde();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr); // still inside the outer call
    WarteEnde();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    WarteEnde(); // unbalanced: no underflow
    EXPECT_EQ(w.tiefe(), 0);
    {
        WarteBlock b;
        EXPECT_EQ(w.tiefe(), 1);
    }
    EXPECT_EQ(w.tiefe(), 0);
    EXPECT_EQ(hinweise.mid(0, 4), QStringList({"Bitte warten ...", "Laden x.jpg", "", "Bitte warten ..."}));
    QObject::disconnect(verbindung);
}

