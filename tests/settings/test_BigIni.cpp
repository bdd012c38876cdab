#include "settings/BigIni.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Fehler.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(BigIni, DoppelteSektionenBehaltenDieErste) {
    TestOrdner t;
    TBigIniFile ini(t.datei("x.dat", "vorher=1\r\n[A]\r\nx=1\r\n\r\n\x1A\r\n[a]\r\nx=2\r\n[B]\r\n"));
    QStringList s;
    ini.ReadSections(s);
    EXPECT_EQ(s, QStringList({"A", "B"}));
    EXPECT_EQ(ini.ReadString("a", "X", "d"), "1");
    EXPECT_FALSE(ini.HasChanged());
}

TEST(BigIni, SchluesselUndWerteOhneTrimmen) {
    TestOrdner t;
    TBigIniFile ini(t.datei("x.dat", "[S]\nk = v\na=b=c\nq=\"x\"\nohne\n=leer\n;kom=1\n"));
    EXPECT_EQ(ini.ReadString("s", "k", "d"), "d");
    EXPECT_EQ(ini.ReadString("s", "k ", "d"), " v");
    EXPECT_EQ(ini.ReadString("s", "A", "d"), "b=c");
    EXPECT_EQ(ini.ReadString("s", "q", "d"), "\"x\"");
    QStringList k{"alt"};
    ini.ReadSection("S", k);
    EXPECT_EQ(k, QStringList({"alt", "k ", "a", "q", ";kom"}));
    EXPECT_TRUE(ini.ValueExists("s", "A"));
    EXPECT_FALSE(ini.ValueExists("s", "ohne"));
    QStringList w{"alt"};
    ini.ReadSectionValues("s", w);
    EXPECT_EQ(w.size(), 7);
}

TEST(BigIni, GetypteWerte) {
    TBigIniFile ini;
    ini.WriteString("S", "hex", "0x1F");
    ini.WriteString("S", "dollar", "$10");
    ini.WriteString("S", "kaputt", "12abc");
    ini.WriteString("S", "neg", "-7");
    ini.WriteString("S", "zwei", "2");
    ini.WriteString("S", "yes", "yes");
    EXPECT_EQ(ini.ReadInteger("S", "hex", -1), 31);
    EXPECT_EQ(ini.ReadInteger("S", "dollar", -1), 16);
    EXPECT_EQ(ini.ReadInteger("S", "kaputt", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -7);
    EXPECT_EQ(ini.ReadInteger("S", "fehlt", 5), 5);
    EXPECT_TRUE(ini.ReadBool("S", "zwei", false));
    EXPECT_FALSE(ini.ReadBool("S", "yes", false));
    EXPECT_TRUE(ini.ReadBool("S", "yes", true));
    ini.WriteDate("S", "d", QDate(2005, 1, 2));
    EXPECT_EQ(ini.ReadDate("S", "d", {}), QDate(2005, 1, 2));
    EXPECT_EQ(ini.ReadDate("S", "yes", QDate(1, 1, 1)), QDate(1, 1, 1));
}

TEST(BigIni, GleicherWertAendertNichtsUndLeereSektionWirdNichtGeschrieben) {
    TestOrdner t;
    const QString pfad = t.datei("x.dat", "[A]\r\nk=v\r\n[B]\r\nz=1\r\n");
    {
        TBigIniFile ini(pfad);
        ini.WriteString("a", "k", "v");
        EXPECT_FALSE(ini.HasChanged());
        QFile::remove(pfad); // an unchanged engine must not write it back
    }
    EXPECT_FALSE(QFile::exists(pfad));
    t.datei("x.dat", "vorher\r\n[A]\r\nk=v\r\n\r\n[B]\r\nz=1\r\n");
    {
        TBigIniFile ini(pfad);
        ini.DeleteKey("B", "Z");
        ini.WriteString("A", "K", "w"); // the caller's spelling of the key wins
        ini.WriteString("C", "neu", "1");
        EXPECT_TRUE(ini.HasChanged());
    }
    EXPECT_EQ(TestOrdner::lesen(pfad), "[A]\r\nK=w\r\n\r\n[C]\r\nneu=1\r\n\r\n");
}

TEST(BigIni, WriteStringMitLeeremSchluessel) {
    TestOrdner t;
    const QString pfad = t.pfad("x.dat");
    TBigIniFile ini(pfad);
    ini.WriteString("A", "k", "v");
    ini.WriteString("B", "k", "v");
    ini.WriteString("A", "", "egal"); // erases A
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_FALSE(QFile::exists(pfad));
    ini.WriteString("", "", ""); // flushes
    EXPECT_EQ(TestOrdner::lesen(pfad), "[B]\r\nk=v\r\n\r\n");
    EXPECT_FALSE(ini.HasChanged());
}

TEST(BigIni, GescheiterterFlushLaesstAlteDateiUndMarkierung) {
    TestOrdner t;
    const QString pfad = t.datei("x.dat", "[A]\r\nk=alt\r\n");
    QFile::setPermissions(pfad, QFileDevice::ReadOwner);
    TBigIniFile ini(pfad);
    ini.WriteString("A", "k", "neu");
    EXPECT_THROW(ini.FlushFile(), EFehler);
    EXPECT_TRUE(ini.HasChanged());
    EXPECT_EQ(TestOrdner::lesen(pfad), "[A]\r\nk=alt\r\n");
    QFile::setPermissions(pfad, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ini.FlushFile();
    EXPECT_EQ(TestOrdner::lesen(pfad), "[A]\r\nk=neu\r\n\r\n");
}

TEST(BigIni, VieleSektionenUndBinaeresLaden) {
    TestOrdner t;
    QByteArray gross;
    for (int i = 0; i < 100000; ++i)
        gross += "[S" + QByteArray::number(i) + "]\r\nk=" + QByteArray::number(i) + "\r\n";
    TBigIniFile ini(t.datei("gross.dat", gross));
    QStringList s;
    ini.ReadSections(s);
    EXPECT_EQ(s.size(), 100000);
    // Walking the sections in order stays cheap thanks to the lookup caches.
    for (int i = 0; i < 100000; i += 1)
        ASSERT_EQ(ini.ReadInteger(s[i], "k", -1), i);
    TBigIniFile muell(
        t.datei("muell.dat", QByteArray("\0\xff\n[\x01]\n\0=\0\n", 12) + QByteArray(1 << 20, '\0')));
    muell.ReadSections(s);
    EXPECT_EQ(s.size(), 1);
}

TEST(BigIni, Windows1252UndUtf8) {
    TestOrdner t;
    const QString pfad = t.datei("x.dat", "[2005]\r\n20050101=K\xf6ln\r\n");
    {
        TBigIniFile ini(pfad);
        EXPECT_EQ(ini.ReadString("2005", "20050101", ""), QString::fromUtf8("Köln"));
        ini.WriteString("2005", "20050102", QString::fromUtf8("Düsseldorf"));
    }
    EXPECT_EQ(TestOrdner::lesen(pfad), "[2005]\r\n20050101=K\xf6ln\r\n20050102=D\xfc"
                                       "sseldorf\r\n\r\n");
}

TEST(BigIni, UnlesbareDateiMeldetUndWirdNieGeschrieben) {
    TestOrdner t;
    const QString pfad = t.unlesbar("Pixolud.dat");
    EXPECT_THROW(TBigIniFile{pfad}, EFehler);
    TBigIniFile ini;
    EXPECT_THROW(ini.setFileName(pfad), EFehler);
    ini.WriteString("2005", "20050101", "x");
    EXPECT_NO_THROW(ini.FlushFile()); // it has no file to write to any more
    EXPECT_TRUE(ini.FileName().isEmpty());
}
