#pragma once
// Edits the title of a day's photo series.
#include "widgets/alb_FormF2.h"

class QLineEdit;

class Tam_Titel : public Tak_FormF2 {
    Q_OBJECT
public:
    explicit Tam_Titel(QWidget* parent = nullptr);
    QLineEdit* ed;
    // Shows the title for editing; true and the new title when confirmed.
    bool Ausfuehren(QString& titel);

protected:
    void showEvent(QShowEvent* e) override;
};
