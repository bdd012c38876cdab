#pragma once
// The main window: year and day lists above, the picture, the caption area below.
#include "album/alb_KonfliktLauf.h"
#include "album/alb_SuchDienst.h"
#include "burn/alb_Brennliste.h"
#include "sys/zpt_Hintergrund.h"
#include "widgets/alb_Form.h"
#include "widgets/zpt_KeyListe.h"

#include <QColor>
#include <QHash>
#include <QMap>
#include <QSet>
#include <functional>
#include <memory>

class Tam_Suche;
class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class QSplitter;
class QTextEdit;
class QTimer;
class TBigIniFile;
class Tam_3x3;
class TStringlistBox;
class TStandbilder;
class TVideoFenster;
class TzptFotoPanel;
class TzptKeyComboBox;
class TzptParameter;

class Tam_Main : public Tak_Form {
    Q_OBJECT
public:
    explicit Tam_Main(QWidget* parent = nullptr);
    ~Tam_Main() override;

    // Controls
    QWidget* pa_Top;
    QPushButton* ll_Zur;
    TzptKeyComboBox* cb_Jahr;
    TzptKeyComboBox* cb_Tage;
    QWidget* pa_Andere;
    TzptKeyComboBox* cb_Andere = nullptr;
    QToolButton* bb_Andere;
    QPushButton* ll_Vor;
    QWidget* pa_Brennliste;
    QWidget* pa_BrennlisteTop;
    QPushButton* bb_Brennen;
    QToolButton* bb_Close;
    QLabel* la_Anz;
    QListWidget* lb_Brennliste;
    QWidget* Panel1;
    QPushButton* bb_BrennlisteDel;
    QPushButton* bb_BrennlisteClear;
    TzptFotoPanel* foto2;
    QWidget* pa_Links;
    QSplitter* Splitter1;
    TzptFotoPanel* foto;
    QWidget* pa_LinksUnten;
    QTextEdit* re;
    TzptParameter* PAR;
    TStringlistBox* sl_Jahr;
    TStringlistBox* sl_Tage;
    Tam_3x3* dreiMalDrei;

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
    TBrennliste Brennliste;

    QAction* Aktion(const char* name) const;

    // Settings and base folder (alb_Main_Einstellungen.cpp)
    void GrundpfadSetzen(const QString& ordner);
    void HintergrundSetzen(quint32 farbe);
    int AndereDateienHoehe() const;
    void ax_GrundpfadExecute();
    void ax_HintergrundExecute();

    // Years and days (alb_Main_Tage.cpp)
    void JahreLesen();
    void TageLesen();
    // How long the day list reads titles itself before leaving the rest to the background.
    int TitelFristMs = 25;
    // A title read in the background: the entry of its day, when its year is shown.
    void TitelNachgelesen(const QString& ordner, const QString& titel);
    // Shows the day chosen in the lists; `danach` places the panel (First, Last, …) once the
    // day's files are read: at once, or on a slow drive when they have come, while the
    // panel says that the picture is being loaded. A day left meanwhile is not shown.
    void TagAnzeigen(std::function<void()> danach = {});
    // How long the day waits for its files before it says that they are being loaded.
    int TagFristMs = 250;
    // Day folder shown in the panel; empty when no listed day is selected.
    QString TagOrdnerAktuell() const;
    void cb_JahrChange();
    void cb_TageChange();
    void ax_NextDayExecute();
    void ax_PrevDayExecute();

    // Paging, captions, keys and layout (alb_Main_Navigation.cpp)
    void fotoAfterPositionChanged();
    void fotoEof();
    void fotoBof();
    // The pictures of the neighbouring days the user reaches next from the current one.
    QStringList TagNachbarn(bool vorwaerts) const;
    void BildUnterschriftSetzen(bool mit);
    void FensterteileAnpassen();
    void ax_MitBildUnterschriftExecute();
    void ax_minmaxExecute();
    void ax_TitelExecute();
    void ax_TextExecute();

    // Commands on the current picture (alb_Main_Befehle.cpp)
    void ax_BildDelExecute();
    void Drehen(int grad);
    void ax_DateiStartenExecute();
    void ax_DateiNameInsClipBoardExecute();
    void ax_RefreshExecute();
    // The camera import into the album; the lists are read anew, year and day kept.
    void ax_KameraExecute();
    void ax_3x3Execute();
    void ax_10BilderExecute();
    void ax_SpeichernUnterExecute();
    void ax_BearbeitenMitExecute();
    void ax_KalenderExecute();
    // Goes to the day of the date when its folder exists (year and day lists follow).
    void KalenderTagZeigen(const QDate& datum);
    void ax_SuchenExecute();
    // Shows a hit of the search: its year, day and picture, as if paged there.
    void SuchTrefferZeigen(const TSuchTreffer& t);
    // Goes to the picture of the day shown by its name, found without regard to case (the first one when it
    // is gone).
    void BildZeigen(const QString& name);
    void ax_StatusExecute();
    QString StatusText() const;

    // The burn list (alb_Main_Brennliste.cpp)
    // Chooses and loads a burn list file; false when cancelled or unreadable.
    bool BrennlisteOeffnen();
    void BrennlisteAnzeigen();
    // Saves the list to its file and closes it; throws EFehler when it cannot be written.
    void BrennlisteSchliessen();
    void ax_BildinBrennlisteExecute();
    void ax_AlleInBrennlisteExecute();
    void ax_BrennlisteExecute();
    void bb_BrennlisteDelClick();
    void bb_BrennlisteClearClick();
    // Saves and closes the list, then runs the export wizard on it.
    void bb_BrennenClick();

    // Conflict copies left by sync programs (alb_Main_Konflikte.cpp). Only the editor
    // merges them; the viewer leaves the album alone.
    QLabel* la_Konflikt;
    TKonfliktLauf* KonfliktLauf = nullptr;
    // Per day folder: what its merges did so far and what is left for the user.
    QMap<QString, TTagAbgleich> KonfliktStand;
    // The days with conflicts left for the user, the day shown first.
    QVector<TTagKonflikte> OffeneKonflikte() const;
    void KonflikteStarten();
    void KonfliktErgebnis(const TTagAbgleich& ergebnis);
    void KonfliktHinweisZeigen();
    void ax_KonflikteExecute();

    // Other files of a day (alb_Main_Andere.cpp)
    void AndereDateienSetzen(const QList<TzptKeyString>& dateien);
    bool AndereDateienAnzeigen() const;
    void ax_AndereDateienExecute();
    void ax_AndereDateienAnzeigenExecute();
    void cb_AndereChange();
    void bb_AndereClick();
    // Plays the chosen file when it is a video, opens it in the desktop's program otherwise.
    void AndereDateiOeffnen();
    // The program's player window on the video; nullptr when it cannot play it (the user
    // was told and offered the desktop's program) or while another video is being opened.
    TVideoFenster* VideoAbspielen(const QString& pfad);
    TStandbilder* Standbilder() const { return m_standbilder; }
    // Enter and double clicks in the list of other files; true when taken.
    bool AndereDateienTaste(QEvent* e);

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    static constexpr int kAndereBreite = 145; // the other files' list without stills
    void FensterAufbauen();
    void BrennlisteAufbauen();
    void BrennlisteZeigen(int aktuell);
    // A burn list file is open, or the user just opened one.
    bool BrennlisteBereit();
    void AktionenAufbauen();
    void KontextmenuAufbauen();
    void EinstellungenLesen();
    void BeschriftungSetzen();
    void AlbumIndexOeffnen();
    void EinstellungenSchreiben();
    void pa_TopResize();
    void FotoFokus();
    // Runs a command of the table by name (for the copied menu entries).
    void Befehl(const char* name);

    QHash<QString, std::function<void()>> m_befehle;
    TStandbilder* m_standbilder = nullptr;
    bool m_videoOeffnen = false; // a player window is loading its video
    void StandbildAngekommen(const QString& pfad, const QImage& bild);
    int m_untenHoehe = 46;
    bool m_andereAnzeigen = true;
    bool m_kameraAngeboten = false;           // "/KAMERA" has opened the import once
    std::unique_ptr<TSuchDienst> m_suchIndex; // made at the first search
    Tam_Suche* m_suchFenster = nullptr;
    // The next search reads this day again (its title or a caption was written).
    void SucheTagGeaendert(const QString& ordner);
    bool m_letztesBildGeloescht = false; // while the day's only picture is deleted
    bool m_jahrOhneTage = false;         // the year shown could not be read
    bool m_imJahrWechsel = false;        // while a year is being shown
    QSet<QString> m_gemeldeteJahre;      // years whose missing days were reported
    // A year that could not be read because the whole album could not (a network drive
    // gone) is looked at again in the background and shown by itself when it can be read
    // again; the user is told once about it, not at each year (alb_Main_Wiederkehr.cpp).
    void WiederkehrAbwarten(bool albumFort, const QString& tagVorher, const QString& bildVorher);
    void WiederkehrPruefen();
    void WiederkehrGeprueft(const QString& jahrOrdner, bool lesbar);
    QTimer* m_wiederkehr = nullptr;
    // The day's files (pictures, other files) are read here, off the GUI thread.
    struct TagDateien {
        QStringList bilder;
        QList<TzptKeyString> andere;
        QHash<QString, QString> live; // see LiveVideos
    };
    void TagZeigen(const TagDateien& dateien, const std::function<void()>& danach);
    // The day's files have not come yet: the panel says so, the day's parts are empty.
    void TagLaedt();
    THintergrund m_tagLeser;
    THintergrund m_textLeser;            // the caption of the picture shown
    quint64 m_textNr = 0;                // counts the captions asked for: only the last is shown late
    mutable THintergrund m_nachbarLeser; // the neighbouring days, decoded ahead
    void BildUnterschriftZeigen(const QString& text);
    quint64 m_tagNr = 0;               // counts the days asked for: a late answer for a day left is dropped
    bool m_wiederkehrPruefung = false; // a look is under way
    bool m_albumFortGemeldet = false;  // told that the album cannot be read
    QString m_tagVorAusfall, m_bildVorAusfall;
    // Moves to the next (+1) or previous (-1) year when the year shown could not be read.
    bool AusLeeremJahr(int schritt);
};
