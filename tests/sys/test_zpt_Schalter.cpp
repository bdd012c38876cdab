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
