#include "sys/zpt_Plattform.h"
#include "sys/zpt_Schalter.h"

#include <gtest/gtest.h>

namespace {
struct Argumente {
    explicit Argumente(const QStringList& a) { ProgrammArgumenteSetzen(a); }
    ~Argumente() { ProgrammArgumenteSetzen({}); }
};
} // namespace

TEST(Schalter, VorhandenIstPraefixOhneGrossKlein) {
    Argumente a({"/editor", "/grundpfad=x"});
    EXPECT_TRUE(SchalterVorhanden("/Edit"));
    EXPECT_TRUE(SchalterVorhanden("/GRUNDPFAD="));
    EXPECT_FALSE(SchalterVorhanden("/Alles"));
    EXPECT_FALSE(SchalterVorhanden("/editorx"));
}

TEST(Schalter, WertNimmtDenLetztenUndTrimmtLeerzeichen) {
    Argumente a({"/Grundpfad=/erst", "/GRUNDPFAD=  /zweit \t ", "/Ini="});
    EXPECT_EQ(SchalterWert("/Grundpfad="), "/zweit \t");
    EXPECT_EQ(SchalterWert("/Ini="), "");
    EXPECT_EQ(SchalterWert("/Fehlt="), "");
}

TEST(Schalter, TextIstJaNurFuerDieVierWoerter) {
    for (const char* ja : {"J", "ja", "JA", "True", "wahr"}) EXPECT_TRUE(TextIstJa(ja)) << ja;
    for (const char* nein : {" Ja", "Ja ", "Nein", "1", "", "Jaa"}) EXPECT_FALSE(TextIstJa(nein)) << nein;
    EXPECT_EQ(JaNeinText(true), "Ja");
    EXPECT_EQ(JaNeinText(false), "Nein");
}

TEST(Schalter, DateinameOhneEndung) {
    const QString s = plattform::PfadTrenner;
    EXPECT_EQ(DateinameOhneEndung("x" + s + "y" + s + "Test.ini"), "Test");
    EXPECT_EQ(DateinameOhneEndung("a.b.cfg"), "a.b");
    EXPECT_EQ(DateinameOhneEndung("ohne"), "ohne");
    EXPECT_EQ(DateinameOhneEndung(""), "");
}
