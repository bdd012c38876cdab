#pragma once
// The main window: year and day lists above, the picture, the caption area below.
#include "widgets/alb_Form.h"

#include <QColor>

#include <memory>

class QAction;
class TBigIniFile;
class QPushButton;
class QSplitter;
class QTextEdit;
class TStringlistBox;
class TzptFotoPanel;
class TzptParameter;

class Tam_Main : public Tak_Form {
    Q_OBJECT
public:
    explicit Tam_Main(QWidget* parent = nullptr);
    ~Tam_Main() override;

    // Controls
    QWidget* pa_Top;
    QPushButton* ll_Zur;
    QPushButton* ll_Vor;
    QWidget* pa_Brennliste;
    QWidget* pa_Links;
    QSplitter* Splitter1;
    TzptFotoPanel* foto;
    QWidget* pa_LinksUnten;
    QTextEdit* re;
    TzptParameter* PAR;
    TStringlistBox* sl_Jahr;
    TStringlistBox* sl_Tage;

    // State
    QString Grundpfad;
    bool NurAnzeige = true;
    bool NurZahlJahre = true;
    QString HilfeDatei;
    QString JpegtranDatei;
    QString AndereDateienMaske;
    quint32 Hintergrundfarbe = 0;
    bool MitBildUnterschrift = false;
    QString AlbumIndexDatei;
    bool AlbumIndexVorhanden = false;
    std::unique_ptr<TBigIniFile> AlbumIndex;
    QString BrennlisteDatei;

    bool AndereDateienAnzeigen = true;

    QAction* Aktion(const char* name) const;

    void GrundpfadSetzen(const QString& ordner);
    void HintergrundSetzen(quint32 farbe);
    void BildUnterschriftSetzen(bool mit);
    void FensterteileAnpassen();
    int AndereDateienHoehe() const;

    void ax_GrundpfadExecute();
    void ax_HintergrundExecute();
    void ax_minmaxExecute();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void FensterAufbauen();
    void AktionenAufbauen();
    void EinstellungenLesen();
    void BeschriftungSetzen();
    void AlbumIndexOeffnen();
    void EinstellungenSchreiben();
    void pa_TopResize();

    int m_untenHoehe = 46;
};
