#pragma once
// Asks which other files of a day (videos, sounds) are listed, as masks with ";".
#include "widgets/alb_FormF2.h"

class QLineEdit;

class Tam_AndereDateien : public Tak_FormF2 {
    Q_OBJECT
public:
    explicit Tam_AndereDateien(QWidget* parent = nullptr);
    QLineEdit* ed_Joker;
    bool Ausfuehren(QString& maske);

protected:
    void showEvent(QShowEvent* e) override;
};
