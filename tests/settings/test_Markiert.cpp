#include "settings/zpt_Markiert.h"
#include "settings/zpt_Parameter.h"
#include "settings/zpt_ProfilDatei.h"
#include "settings/zpt_StandardIni.h"
#include "support/TestOrdner.h"
#include "widgets/zpt_ColorButton.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_KeyComboBox.h"
#include "widgets/zpt_PfadEdit.h"
#include "widgets/zpt_RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {
class Tam_Markiert : public QDialog {
    Q_OBJECT
public:
    explicit Tam_Markiert(int tagInklusive = 99, int tagExklusive = 0) : par(new TzptParameter(this)) {
        par->TagInclusive = tagInklusive;
        par->TagExclusive = tagExklusive;
        auto neu = [this](auto* w, const char* name, int tag) {
            w->setObjectName(QString::fromLatin1(name));
            TagSetzen(w, tag);
            return w;
        };
        memo = neu(new QPlainTextEdit(this), "re_Notiz", 99);
        ed = neu(new QLineEdit(this), "ed_Name", 99);
        ordner = neu(new TzptVerzeichnisEdit(this), "ed_Kamera", 99);
        cx = neu(new QCheckBox(this), "cx_Del", 99);
        lb = neu(new QListWidget(this), "lb_Liste", 99);
        gruppe = neu(new Tzpt_Groupbox(this), "rg_Zielpfad", 99);
        rg = neu(new TzptRadioGroup(this), "rg_modus", 99);
        rg->setItems({"a", "b", "c"});
        cb = neu(new QComboBox(this), "cb_Art", 99);
        cb->addItems({"x", "y", "z"});
        farbe = neu(new TzptColorButton(this), "bb_Farbe", 99);
        unmarkiert = neu(new QLineEdit(this), "ed_Frei", 5);
        neu(new QLabel(this), "la_Text", 99);
    }
    TzptParameter* par;
    QPlainTextEdit* memo;
    QLineEdit* ed;
    TzptVerzeichnisEdit* ordner;
    QCheckBox* cx;
    QListWidget* lb;
    Tzpt_Groupbox* gruppe;
    TzptRadioGroup* rg;
    QComboBox* cb;
    TzptColorButton* farbe;
    QLineEdit* unmarkiert;
};

QString Wert(const QString& schluessel) {
    return TProfilDatei(StandardIniDateiName()).LeseString("Tam_Markiert", schluessel, "<fehlt>");
}
} // namespace

TEST(Markiert, JedeArtKommtZurueck) {
    TestKonfiguration k;
    StandardIniDateiNameSetzen(k.pfad("test.ini"));
    {
        Tam_Markiert f;
        f.memo->setPlainText("eins\n  zwei\ndrei");
        f.ed->setText("Name");
        f.ordner->setText("\"/home/bilder\"");
        f.cx->setChecked(true);
        f.lb->addItems({"a", "b", "c", "d"});
        f.lb->setCurrentRow(2);
        f.gruppe->setAllEnabled(false);
        f.rg->setItemIndex(1);
        f.cb->setCurrentIndex(2);
        f.farbe->setColor(QColor(1, 2, 3));
        f.unmarkiert->setText("bleibt weg");
        f.par->Speichern();
    }
    EXPECT_EQ(Wert("re_Notiz_0"), "eins");
    EXPECT_EQ(Wert("re_Notiz_2"), "drei");
    EXPECT_EQ(Wert("ed_Kamera"), "/home/bilder"); // quotes removed
    EXPECT_EQ(Wert("cx_Del"), "1");
    EXPECT_EQ(Wert("lb_Liste"), "2");
    EXPECT_EQ(Wert("lb_Liste_3"), "d");
    EXPECT_EQ(Wert("rg_Zielpfad"), "0");
    EXPECT_EQ(Wert("bb_Farbe"), QString::number(0x030201));
    EXPECT_EQ(Wert("ed_Frei"), "<fehlt>");
    EXPECT_EQ(Wert("la_Text"), "<fehlt>");

    Tam_Markiert g;
    g.par->Laden();
    EXPECT_EQ(g.memo->toPlainText(), "eins\n  zwei\ndrei");
    EXPECT_EQ(g.ed->text(), "Name");
    EXPECT_EQ(g.ordner->Text(), "/home/bilder");
    EXPECT_TRUE(g.cx->isChecked());
    EXPECT_EQ(g.lb->count(), 4);
    EXPECT_EQ(g.lb->currentRow(), 2);
    EXPECT_FALSE(g.gruppe->AllEnabled());
    EXPECT_EQ(g.rg->ItemIndex(), 1);
    EXPECT_EQ(g.cb->currentIndex(), 2);
    EXPECT_EQ(g.farbe->Color(), QColor(1, 2, 3));

    // A line deleted: its key is gone after the next save.
    g.memo->setPlainText("eins\ndrei");
    g.par->Speichern();
    EXPECT_EQ(Wert("re_Notiz_1"), "drei");
    EXPECT_EQ(Wert("re_Notiz_2"), "<fehlt>");
}

TEST(Markiert, AuswahlNachTagUndFehlendeSchluessel) {
    TestKonfiguration k;
    StandardIniDateiNameSetzen(k.pfad("test.ini"));
    {
        Tam_Markiert alle(0, 0); // every component
        alle.unmarkiert->setText("jetzt dabei");
        alle.par->Speichern();
    }
    EXPECT_EQ(Wert("ed_Frei"), "jetzt dabei");
    EXPECT_EQ(Wert("la_Text"), "<fehlt>"); // visited, but no kind of the table
    {
        Tam_Markiert ohneFuenf(0, 5); // all but tag 5
        ohneFuenf.unmarkiert->setText("anders");
        ohneFuenf.ed->setText("mit");
        ohneFuenf.par->Speichern();
    }
    EXPECT_EQ(Wert("ed_Frei"), "<fehlt>");
    EXPECT_EQ(Wert("ed_Name"), "mit");
    EXPECT_EQ(Wert("rg_modus"), "-1");

    // Missing keys and non-numbers keep the designed values.
    TProfilDatei(StandardIniDateiName()).SchreibeString("Tam_Markiert", "cx_Del", "ja");
    Tam_Markiert g;
    g.cx->setChecked(true);
    g.cb->setCurrentIndex(1);
    TProfilDatei(StandardIniDateiName()).LoescheSchluessel("Tam_Markiert", "cb_Art");
    g.par->Laden();
    EXPECT_TRUE(g.cx->isChecked());
    EXPECT_EQ(g.cb->currentIndex(), 1);
}

#include "test_Markiert.moc"
