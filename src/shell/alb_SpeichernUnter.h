#pragma once
// Copying the current picture to a chosen place, and opening it with a configured
// program ("speichern unter", "bearbeiten mit").
#include "widgets/alb_FormF2.h"

class QLabel;
class QLineEdit;
class TzptDateinameEdit;
class TzptParameter;

class Tam_SpeichernUnter : public Tak_FormF2 {
    Q_OBJECT
public:
    explicit Tam_SpeichernUnter(QWidget* parent = nullptr);
    ~Tam_SpeichernUnter() override;

    QWidget* Panel1;
    TzptDateinameEdit* ed;
    QWidget* Panel2;
    QLabel* Label1;
    QLineEdit* ed_PAR;
    TzptParameter* PAR;

    QString BearbeitenMitProgramm; // the edit program ("BearbeitenMit" of the settings)
    QString Zielverzeichnis;
    QString Parameter;

    void SpeichernUnter(const QString& datei);
    bool BearbeitenMit(const QString& datei);

protected:
    void showEvent(QShowEvent* e) override;
};

// The one save-as window of the program, created on first use.
Tam_SpeichernUnter& SpeichernUnterFenster();
