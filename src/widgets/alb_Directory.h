#pragma once
// Folder choice of the main window: one folder field above the button row.
#include "widgets/alb_FormF2.h"

class TzptVerzeichnisEdit;

class Tak_Directory : public Tak_FormF2 {
    Q_OBJECT
public:
    explicit Tak_Directory(QWidget* parent = nullptr);
    TzptVerzeichnisEdit* ed;
};
