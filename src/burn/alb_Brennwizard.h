#pragma once
// The export wizard: on one page the four ways to export a burn list, each chosen by
// its check group box, and "Kopieren" runs the chosen ones.
#include "burn/KefForm.h"

class QCheckBox;
class QLabel;
class TStringlistBox;
class TvrkWizard;
class TvrkWizardPage;
class Tzpt_Groupbox;
class TzptDateinameEdit;
class TzptParameter;
class TzptTacho;
class TzptVerzeichnisEdit;

class Tam_Brennwizard : public TKefForm {
    Q_OBJECT
public:
    explicit Tam_Brennwizard(QWidget* parent = nullptr);

    TvrkWizard* wz;
    TvrkWizardPage* wz_2;
    Tzpt_Groupbox* rg_Zielpfad;
    QLabel* Label1;
    TzptVerzeichnisEdit* ed_Zielpfad;
    QCheckBox* cx_ZielpfadLeer;
    Tzpt_Groupbox* rg_Einzeldatei;
    QLabel* Label2;
    TzptDateinameEdit* ed_Zieldatei;
    Tzpt_Groupbox* rg_Fotolabor;
    QLabel* Label3;
    TzptVerzeichnisEdit* ed_Fotolabor;
    QLabel* Label4;
    Tzpt_Groupbox* rg_jpegcd;
    QLabel* Label5;
    TzptVerzeichnisEdit* ed_jpegcd;
    QCheckBox* cx_Unterverz;
    QCheckBox* cx_Bildtexte; // captions written into the copies
    QCheckBox* cx_Videos;    // every video of the days into the CD folder and the file list
    TzptParameter* PAR;
    TzptTacho* tacho;
    TStringlistBox* sl_Fotos;

    QString Grundpfad;
    QString BrennlisteDatei;
    int Fehlerzahl = 0;

    // Loads the burn list and shows the wizard modally.
    void Ausfuehren(const QString& brennliste, const QString& grundpfad);
    void wz_2Changing(bool& erlaubt);
    void wzLastAction();

    void done(int ergebnis) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void PARBeforeLaden();
};

// Creates the wizard on first use and runs it on the burn list file.
void BrennwizardAusfuehren(const QString& brennliste, const QString& grundpfad);
