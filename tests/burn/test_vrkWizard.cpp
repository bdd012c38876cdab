#include "burn/KefForm.h"
#include "burn/vrkWizard.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Assistent : ::testing::Test {
    QWidget fenster;
    TvrkWizard* wz = new TvrkWizard(&fenster);
    QList<TvrkWizardPage*> seiten;
    QStringList folge;
    void SetUp() override {
        fenster.resize(500, 300);
        wz->resize(500, 300);
        wz->OnLastAction = [this](QObject*) { folge << "fertig"; };
        wz->OnChangePage = [this](QObject*) { folge << "Seite" + QString::number(wz->ActivePageIndex()); };
    }
    void Seiten(int n) {
        for (int i = 0; i < n; ++i)
            seiten << new TvrkWizardPage(wz);
        fenster.show();
    }
    QString Status() const { return wz->Status()->text(); }
    TvrkWzBtn* Zurueck() const { return wz->Knopf(0); }
    TvrkWzBtn* Weiter() const { return wz->Knopf(1); }
};
} // namespace

TEST_F(Assistent, EineSeiteMitLetzterAktion) {
    Seiten(1);
    wz->BtnNext.setLast_TAction(true);
    wz->BtnNext.setLast_Caption("&Fertig stellen");
    EXPECT_EQ(wz->ActivePage(), seiten[0]);
    EXPECT_EQ(Status(), "Seite 1 von 1");
    EXPECT_FALSE(Zurueck()->isEnabled());
    EXPECT_TRUE(Weiter()->isEnabled());
    EXPECT_EQ(Weiter()->text(), "&Fertig stellen");
    EXPECT_EQ(Zurueck()->text(), "< &Zurück");
    EXPECT_EQ(wz->Knopf(2)->text(), "Abbrechen");
    Weiter()->click();
    EXPECT_EQ(folge, QStringList({"fertig"}));
    // Vetoed: the page stays and the last action is not called.
    seiten[0]->OnChanging = [](QObject*, bool& erlaubt) { erlaubt = false; };
    Weiter()->click();
    EXPECT_EQ(folge, QStringList({"fertig"}));
    // Without the last action the next button is disabled on the last page.
    wz->BtnNext.setLast_TAction(false);
    EXPECT_FALSE(Weiter()->isEnabled());
    EXPECT_EQ(Weiter()->text(), "&Fertig stellen");
}

TEST_F(Assistent, VersteckteSeiteUndVeto) {
    Seiten(3);
    EXPECT_EQ(Status(), "Seite 1 von 3");
    EXPECT_EQ(Weiter()->text(), "&Weiter >");
    seiten[1]->setRuntimeVisible(false);
    EXPECT_EQ(Status(), "Seite 1 von 2");
    Weiter()->click();
    EXPECT_EQ(wz->ActivePage(), seiten[2]);
    EXPECT_EQ(Status(), "Seite 2 von 2");
    EXPECT_TRUE(Zurueck()->isEnabled());
    Zurueck()->click();
    EXPECT_EQ(wz->ActivePage(), seiten[0]);
    EXPECT_EQ(folge, QStringList({"Seite2", "Seite0"}));
    // A page that may not be left backwards.
    seiten[1]->setRuntimeVisible(true);
    seiten[0]->OnChanging = [](QObject*, bool& erlaubt) { erlaubt = false; };
    Weiter()->click();
    EXPECT_EQ(wz->ActivePage(), seiten[0]);
    seiten[0]->OnChanging = nullptr;
    Weiter()->click();
    seiten[1]->setEnableBack(false);
    EXPECT_FALSE(Zurueck()->isEnabled());
    // Hiding the page shown moves on to the next one.
    seiten[1]->setRuntimeVisible(false);
    EXPECT_EQ(wz->ActivePage(), seiten[2]);
    EXPECT_FALSE(seiten[1]->isVisible());
    seiten[2]->setIndex(0);
    EXPECT_EQ(wz->ActivePageIndex(), 0);
    delete seiten[2];
    EXPECT_EQ(wz->ActivePage(), nullptr);
    EXPECT_EQ(wz->PageCount(), 2);
}

TEST(KefForm, EnterWieTabUndErstellenUndErsteAktivierung) {
    TKefForm f;
    QStringList folge;
    f.OnAfterCreate = [&](QObject*) { folge << "erstellt"; };
    f.OnFirstActivate = [&](QObject*) { folge << "aktiviert"; };
    auto* a = new QLineEdit(&f);
    auto* b = new QLineEdit(&f);
    auto* knopf = new QPushButton("OK", &f);
    a->move(0, 0);
    b->move(0, 30);
    knopf->move(0, 60);
    int gedrueckt = 0;
    QObject::connect(knopf, &QPushButton::clicked, [&] { ++gedrueckt; });
    EXPECT_TRUE(folge.isEmpty()); // announced from the event loop, after the creating code
    QCoreApplication::processEvents();
    f.show();
    QApplication::setActiveWindow(&f);
    EXPECT_EQ(folge, QStringList({"erstellt", "aktiviert"}));

    a->setFocus();
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), b);
    bool fragen = false;
    f.OnTestReturn = [&](QObject*, bool& erlaubt) { erlaubt = fragen; };
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), b); // vetoed
    f.OnTestReturn = nullptr;
    knopf->setFocus();
    gedrueckt = 0;
    QTest::keyClick(knopf, Qt::Key_Return);
    EXPECT_EQ(gedrueckt, 1);
    EXPECT_EQ(QApplication::focusWidget(), knopf);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&f);
    QCoreApplication::processEvents();
    EXPECT_EQ(folge.count("aktiviert"), 1);

    EXPECT_EQ(TKefForm::DpiSkaliert(QSize(400, 0), 144), QSize(600, 0));
    EXPECT_EQ(TKefForm::DpiSkaliert(QSize(400, 300), 96), QSize(400, 300));
}

TEST(KefForm, EnterDruecktDenKnopfDesAssistentenMitDemFokus) {
    TKefForm f;
    auto* wz = new TvrkWizard(&f);
    wz->resize(500, 300);
    new TvrkWizardPage(wz);
    wz->BtnNext.setLast_TAction(true);
    int fertig = 0;
    wz->OnLastAction = [&](QObject*) { ++fertig; };
    f.show();
    QApplication::setActiveWindow(&f);
    wz->Knopf(1)->setFocus();
    QTest::keyClick(wz->Knopf(1), Qt::Key_Return);
    EXPECT_EQ(fertig, 1);
    bool abgebrochen = false;
    QObject::connect(wz->Knopf(2), &QPushButton::clicked, [&] { abgebrochen = true; });
    wz->Knopf(2)->setFocus();
    QTest::keyClick(wz->Knopf(2), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(abgebrochen);
    QApplication::setActiveWindow(nullptr);
}
