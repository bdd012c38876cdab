#pragma once
// The date of the first picture, for cameras with a wrong clock.
#include "widgets/alb_FormF2.h"

#include <QDateTime>

class TzptDatumEdit;

class Tam_Datumskorrektur : public Tak_FormF2 {
    Q_OBJECT
public:
    explicit Tam_Datumskorrektur(QWidget* parent = nullptr);
    TzptDatumEdit* ed_Datum;
    // Shows the date; on save the entered day (at midnight) replaces it: true.
    bool DatumKorrigieren(QDateTime& datum);
};
