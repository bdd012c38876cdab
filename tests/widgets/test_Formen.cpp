#include "settings/zpt_Parameter.h"
#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "sys/zpt_sys.h"
#include "widgets/alb_Directory.h"
#include "widgets/alb_FormF2.h"
#include "widgets/zpt_PfadEdit.h"
#include "widgets/zpt_SpeicherButtonPanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(Dialoge, F2SpeichertEscBrichtAbKnoepfeEbenso) {
    Tak_FormF2 f;
    f.show();
    QApplication::setActiveWindow(&f);
    QTest::keyClick(&f, Qt::Key_F2);
    EXPECT_EQ(f.ModalResult(), mrOk);
    f.show();
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_EQ(f.ModalResult(), mrCancel);
    EXPECT_FALSE(f.isVisible());
    f.show();
    f.bp->bbSpeichern()->click();
    EXPECT_EQ(f.ModalResult(), mrOk);
    f.show();
    f.bp->bbAbbruch()->click();
    EXPECT_EQ(f.ModalResult(), mrCancel);
    EXPECT_EQ(f.bp->bbSpeichernCaption(), "Speichern");
    EXPECT_EQ(f.bp->bbAbbruch()->text(), "Abbruch");
}

TEST(Dialoge, EnterWechseltInEingabefeldernZumNaechstenFeld) {
    Tak_FormF2 f;
    auto* l = new QVBoxLayout(f.Inhalt());
    auto* e1 = new QLineEdit;
    auto* cx = new QCheckBox("c");
    auto* memo = new QTextEdit;
    auto* e2 = new QLineEdit;
    for (QWidget* w : std::initializer_list<QWidget*>{e1, cx, memo, e2})
        l->addWidget(w);
    f.show();
    QApplication::setActiveWindow(&f);
    e1->setFocus();
    QTest::keyClick(e1, Qt::Key_Return);
    EXPECT_TRUE(cx->hasFocus());
    EXPECT_TRUE(f.isVisible());
    QTest::keyClick(cx, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_Return); // a memo takes Enter as a new line
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->toPlainText(), "\n");
    EXPECT_TRUE(f.isVisible());
}

TEST(Dialoge, VerzeichnisDialogMitOrdnerfeld) {
    ScriptInteraktion ui;
    Tak_Directory d;
    EXPECT_EQ(d.windowTitle(), "Verzeichnis wählen");
    EXPECT_EQ(d.ed->Text(), "Verzeichnis wählen");
    d.ed->setText("/alt");
    ui.dateien << ""
               << "/neu/ordner";
    d.ed->Knopf()->click(); // cancelled
    EXPECT_EQ(d.ed->Text(), "/alt");
    d.ed->Knopf()->click();
    EXPECT_EQ(d.ed->Text(), "/neu/ordner");

    TzptDateinameEdit datei;
    datei.Filter = "*.txt|*.txt";
    ui.dateien << "/x/liste.txt";
    EXPECT_TRUE(datei.Durchsuchen());
    EXPECT_EQ(datei.Text(), "/x/liste.txt");
    EXPECT_EQ(ui.dateiFilter, QStringList({"*.txt|*.txt"}));
}

namespace {
class Tam_Platz : public Tak_Form {
    Q_OBJECT
public:
    Tam_Platz() : par(new TzptParameter(this)) { par->FormPosSizeSave = true; }
    TzptParameter* par;
};
} // namespace

TEST(Formen, ZentriertNurOhneGespeichertenPlatzUndNurBeimErstenZeigen) {
    TestKonfiguration k;
    QWidget haupt;
    haupt.setGeometry(100, 100, 800, 600);
    haupt.show();
    HauptfensterSetzen(&haupt);
    const QPoint mitte = haupt.frameGeometry().center();
    {
        Tam_Platz d;
        d.resize(200, 100);
        d.par->Laden(); // nothing stored yet
        d.show();
        EXPECT_LE((d.frameGeometry().center() - mitte).manhattanLength(), 40);
        d.hide();
        d.move(10, 20); // the user moved it: it opens there again
        d.show();
        EXPECT_EQ(d.pos(), QPoint(10, 20));
        d.hide();
        d.par->Speichern();
    }
    Tam_Platz wieder;
    wieder.par->Laden();
    wieder.show();
    EXPECT_EQ(wieder.pos(), QPoint(10, 20));
    HauptfensterSetzen(nullptr);
}

#include "test_Formen.moc"
