#pragma once
// The wizard control: pages shown one at a time above a strip with the buttons
// "< &Zurück", "&Weiter >" and "Abbrechen", a separator line and "Seite %d von %d".
#include "burn/vrkWizardNavigation.h"

#include <QPushButton>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class TvrkWizard;

// A page; it registers with the wizard it is created in.
class TvrkWizardPage : public QWidget {
    Q_OBJECT
public:
    explicit TvrkWizardPage(TvrkWizard* wizard);
    ~TvrkWizardPage() override;
    TvrkWizard* Wizard() const { return m_wizard; }
    int Index() const;
    // Moves the page to this position of the wizard's list.
    void setIndex(int index);
    bool EnableBack() const { return m_enableBack; }
    void setEnableBack(bool an);
    bool RuntimeVisible() const { return m_runtimeVisible; }
    void setRuntimeVisible(bool an);
    // Asked before the next button leaves the page; clearing the flag keeps it.
    std::function<void(QObject*, bool&)> OnChanging;
    int PageHeight = 0, PageWidth = 0; // design values, without effect

private:
    friend class TvrkWizard;
    TvrkWizard* m_wizard;
    bool m_enableBack = true;
    bool m_runtimeVisible = true;
};

// One of the three drawn buttons; it knows its kind (0 back, 1 next, 2 cancel).
class TvrkWzBtn : public QPushButton {
    Q_OBJECT
public:
    TvrkWzBtn(int art, QWidget* parent) : QPushButton(parent), Art(art) {}
    const int Art;
};

// The settings of a button; every change re-arranges the wizard.
class TvrkWizardBtn {
public:
    TvrkWizardBtn(TvrkWizard* wizard, int art);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& text);
    static QString StandardCaption(int art);

protected:
    TvrkWizard* m_wizard;
    QString m_caption;
};

class TvrkWizardBtnNext : public TvrkWizardBtn {
public:
    explicit TvrkWizardBtnNext(TvrkWizard* wizard) : TvrkWizardBtn(wizard, 1) {}
    QString Last_Caption() const { return m_lastCaption; }
    void setLast_Caption(const QString& text);
    bool Last_TAction() const { return m_lastTAction; }
    void setLast_TAction(bool an);

private:
    QString m_lastCaption;
    bool m_lastTAction = false;
};

class TvrkWizard : public QWidget {
    Q_OBJECT
public:
    explicit TvrkWizard(QWidget* parent = nullptr);
    ~TvrkWizard() override;

    TvrkWizardPage* ActivePage() const { return m_aktiv; }
    // Shows the page (only one of this wizard's; nothing when it is active already).
    void setActivePage(TvrkWizardPage* seite);
    int ActivePageIndex() const { return int(m_seiten.indexOf(m_aktiv)); }
    int PageCount() const { return int(m_seiten.size()); }
    TvrkWizardPage* Page(int i) const { return m_seiten.value(i); }
    bool StatusText() const { return m_statusText; }
    void setStatusText(bool an);

    TvrkWizardBtn BtnBack{this, 0};
    TvrkWizardBtnNext BtnNext{this};
    TvrkWizardBtn BtnCancel{this, 2};
    std::function<void(QObject*)> OnLastAction, OnChangePage;

    TvrkWzBtn* Knopf(int art) const { return m_knopf[art]; }
    QLabel* Status() const { return m_status; }

    // Lays out buttons, status line, separator and pages for the current state.
    void Arrange();
    // What the buttons do.
    void Zurueck();
    void Weiter();
    void Abbrechen();

    // The largest page and the button strip below it.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    friend class TvrkWizardPage;
    TWizardNavigation Navigation() const;
    void SeiteZeigen(TvrkWizardPage* seite);
    QList<TvrkWizardPage*> m_seiten;
    TvrkWizardPage* m_aktiv = nullptr;
    TvrkWzBtn* m_knopf[3] = {};
    QLabel* m_status = nullptr;
    QFrame* m_linie = nullptr;
    bool m_statusText = true;
    bool m_abbau = false;
};
