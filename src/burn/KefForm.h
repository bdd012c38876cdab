#pragma once
// The base window of the export dialogs: Enter moves on like Tab, the creation and the
// first activation are announced, and the window can take the main window's place.
#include <QDialog>
#include <functional>

class TKefForm : public QDialog {
    Q_OBJECT
public:
    explicit TKefForm(QWidget* parent = nullptr);

    using Ereignis = std::function<void(QObject*)>;
    bool ActivReturn = true;
    bool MainFormSize = false;
    // Called once after creation, from the event loop: after the creating code finished.
    Ereignis OnAfterCreate;
    // Called at the first activation.
    Ereignis OnFirstActivate;
    // May forbid turning Enter into Tab by clearing the flag.
    std::function<void(QObject*, bool&)> OnTestReturn;
    QString TagString;

    // Minimum and maximum size, scaled by the screen's pixels per inch / 96 (0 stays 0).
    void GroessenGrenzenSetzen(QSize minimum, QSize maximum);
    static QSize DpiSkaliert(QSize groesse, double dpi);

    // Enter in the focused control: true when it was turned into Tab.
    bool EnterBehandeln();

protected:
    bool event(QEvent* e) override;

private:
    bool m_aktiviert = false;
};
