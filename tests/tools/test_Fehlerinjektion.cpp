// The checks of the fault injection fail where they must.
#include "faults/zpt_Pruefen.h"

#include <gtest/gtest.h>

TEST(Fehlerinjektion, PruefungenSchlagenAn) {
    Schreiber datei{"titel", {}, {}, {"ALBUM.DAT"}};
    const Zustand alt{{"ALBUM.DAT", "alt"}}, neu{{"ALBUM.DAT", "neu"}};
    Ergebnis e;
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "alt"}}, e);
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "neu"}, {"ALBUM.DAT.pixoluda-Ab12Cd", "ne"}}, e);
    EXPECT_EQ(e.lost + e.outside, 0);
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "ne"}}, e); // cut off
    EXPECT_EQ(e.lost, 1);
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "neu"}, {"../fremd.jpg", "x"}}, e); // written elsewhere
    EXPECT_EQ(e.outside, 1);
    EXPECT_EQ(Leftovers({{"a/ALBUM.DAT.pixoluda-Ab12Cd", ""}, {"a/bild.jpg.backup", ""}}), 1);

    Schreiber import{"import", {}, {}, {"album/", "karte/"}, true};
    const Zustand karte{{"karte/A.JPG", "bild"}};
    Ergebnis i;
    Pruefen(import, karte, {{"album/2005/20050101/A.JPG", "bild"}}, {{"album/2005/20050101/A.JPG", "bild"}},
            i);
    EXPECT_EQ(i.lost, 0);
    // Gone from the card, but its copy is short: lost.
    Pruefen(import, karte, {{"album/2005/20050101/A.JPG", "bild"}}, {{"album/2005/20050101/A.JPG", "bi"}}, i);
    EXPECT_EQ(i.lost, 2);
}
