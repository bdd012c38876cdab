#pragma once
// "Digitalkamera als Wechselplatte": the pictures of a camera folder into the album's
// day folders.
#include "widgets/alb_Form.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class TStringlistBox;
class TzptFotoPanel;
class TzptParameter;
class TzptRadioGroup;
class TzptVerzeichnisEdit;

class Tam_Kamera : public Tak_Form {
    Q_OBJECT
public:
    explicit Tam_Kamera(QWidget* parent = nullptr);
    ~Tam_Kamera() override;

    QWidget* Panel1;
    TzptVerzeichnisEdit* ed_Kamera;
    TzptParameter* par;
    TzptFotoPanel* foto;
    QCheckBox* cx_Del;
    QPushButton* bb_Download;
    TStringlistBox* sl;
    QProgressBar* tacho;
    QPushButton* bb_Refresh;
    TzptRadioGroup* rg_modus;
    QCheckBox* cx_DatumUeberpruefen;
    // Says when the camera folder has no pictures but a DCIM folder.
    QLabel* lb_Dcim;

    QString Zielordner;

    // Shows the window for this album; true whatever the user did.
    bool Ausfuehren(const QString& grundpfad);
    void ListeAktualisieren();
    void bb_DownloadClick();

protected:
    bool event(QEvent* e) override;

private:
    // The import itself; false when it ended early (no final message).
    bool Importieren();
};

// The one camera window of the program, created on first use.
Tam_Kamera& KameraFenster();
