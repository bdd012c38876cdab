// Runs with QT_SCALE_FACTOR=2: two screen pixels to the logical pixel.
#include "display/zpt_Bildflaeche.h"
#include "display/zpt_FotoPanel.h"
#include "support/TestOrdner.h"
#include "support/Testbilder.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {
// Set before the test program creates its application object.
const bool skaliert = qputenv("QT_SCALE_FACTOR", "2");
} // namespace

TEST(Hochaufloesend, EingepasstScharfUndNatuerlichEinBildpunktJeBildschirmpunkt) {
    ASSERT_TRUE(skaliert);
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    TestOrdner t;
    JpegEinfarbig(t.pfad("a_gross.jpg"), 1600, 1200);
    JpegEinfarbig(t.pfad("b_mittel.jpg"), 600, 500);
    JpegEinfarbig(t.pfad("c_klein.jpg"), 100, 80);
    TzptFotoPanel panel;
    panel.resize(410, 330);
    panel.show();
    panel.setGrossanpassen(true);
    panel.setGrundpfad(t.pfad());
    panel.ReadFolder(true);
    panel.setAnzeigeEnabled(true);
    TBildflaeche* flaeche = panel.Bildflaeche();

    panel.First(); // larger than the panel's 820x660 screen pixels: fitted at full sharpness
    ASSERT_TRUE(flaeche->IstGestreckt());
    EXPECT_EQ(flaeche->Pixmap().size(), flaeche->size() * 2);
    EXPECT_EQ(panel.InfoText(1), "1600x1200");

    panel.Next(); // fits the screen pixels: natural size, not fitted
    EXPECT_FALSE(flaeche->IstGestreckt());
    EXPECT_EQ(flaeche->Pixmap().deviceIndependentSize(), QSizeF(300, 250));

    panel.Next();
    EXPECT_EQ(flaeche->Pixmap().deviceIndependentSize(), QSizeF(50, 40));
    EXPECT_EQ(flaeche->Pixmap().size(), QSize(100, 80));
}
