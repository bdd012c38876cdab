#pragma once
// Base of every window: Enter moves to the next field in edit fields, check boxes,
// combo boxes, trees and grids; dialogs open in the middle of the main window.
#include <QDialog>
#include <functional>

class QAction;

class Tak_Form : public QDialog {
    Q_OBJECT
public:
    explicit Tak_Form(QWidget* parent = nullptr);

    // True from creation until the window's owner clears it when it opens the window.
    bool Initializing = true;

    // Modal result as our dialogs report it (mrOk, mrCancel, ...).
    int ModalResult() const { return result(); }
    void setModalResult(int ergebnis) { done(ergebnis); }

    // True when Enter in `fokus` is turned into Tab.
    static bool EnterWirdTab(const QWidget* fokus);

protected:
    void showEvent(QShowEvent* e) override;
    // Closing through the title bar reports Cancel.
    void reject() override;

private:
    bool m_platziert = false; // shown once: later shows keep the window's place
};

// Offers every Enter pressed in the program to `behandeln` (with the focused control)
// before the control sees it; true takes the key.
void EnterAbfangen(std::function<bool(QWidget*)> behandeln);

// One row of a window's command table.
struct AktionsEintrag {
    const char* name;
    QString caption;
    QKeySequence taste;
    std::function<void()> ausfuehren;
    QString hinweis = {};
};

// Builds the actions of a window from its table: each QAction gets the object name,
// caption, shortcut, hint and handler, and is added to the window.
QList<QAction*> AktionenAnlegen(QWidget* fenster, const QList<AktionsEintrag>& tabelle);
