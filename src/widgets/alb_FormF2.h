#pragma once
// Base of the save-or-cancel dialogs: a button row at the bottom, F2 saves, Esc cancels.
#include "widgets/alb_Form.h"

class TzptSpeicherButtonPanel;
class QAction;

class Tak_FormF2 : public Tak_Form {
    Q_OBJECT
public:
    explicit Tak_FormF2(QWidget* parent = nullptr);

    TzptSpeicherButtonPanel* bp;
    QAction* ax_Speichern;
    QAction* ax_Abbruch;
    // The area above the button row that descendants fill.
    QWidget* Inhalt() const { return m_inhalt; }

    void ax_SpeichernExecute();
    void ax_AbbruchExecute();

private:
    QWidget* m_inhalt;
};
