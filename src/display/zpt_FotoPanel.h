#pragma once
// Shows one picture at a time out of the JPEG files of a folder, with an info line
// below it and a context menu for paging and display options. Reports position
// changes and attempts to page past either end to its owner.
#include "display/zpt_grafik.h"

#include <QFrame>
#include <QHash>
#include <QKeySequence>
#include <QStringList>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class TBildflaeche;
class TVideoFlaeche;
class TVideoSpieler;

class TzptFotoPanel : public QFrame {
    Q_OBJECT
public:
    explicit TzptFotoPanel(QWidget* parent = nullptr);

    using Ereignis = std::function<void(QObject*)>;
    Ereignis AfterPositionChanged, OnBof, OnEof, OnClick;
    // Pictures beyond this panel's list the user reaches next (the neighbouring days'),
    // decoded ahead together with the panel's own neighbours.
    std::function<QStringList(bool vorwaerts)> WeitereNachbarn;

    QString Grundpfad() const { return m_grundpfad; }
    void setGrundpfad(const QString& pfad);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool an);
    bool Grossanpassen() const { return m_grossanpassen; }
    void setGrossanpassen(bool an);
    // With the info line shown, a fitted picture fits into the area above it instead of
    // running under it (the camera window).
    bool ObenEinpassen = false;
    bool AnzeigeEnabled() const { return m_anzeige; }
    void setAnzeigeEnabled(bool an) { m_anzeige = an; }
    bool StatusbarVisible() const;
    void setStatusbarVisible(bool an);
    // BOF and EOF (named so because EOF is a C macro).
    bool Bof() const { return m_position < 1; }
    void setBof(bool) { First(); }
    bool Eof() const { return m_position == Count() - 1 || Count() == 0; }
    void setEof(bool) { Last(); }
    QColor Color() const;
    void setColor(const QColor& farbe);

    const QStringList& Files() const { return m_files; }
    int Position() const { return m_position; }
    int Count() const { return int(m_files.size()); }
    QString CurrentFileName() const;

    void SetPosition(int index);
    void First() { SetPosition(0); }
    void Last() { SetPosition(Count() - 1); }
    void Next() { SetPosition(m_position + 1); }
    void Prior() { SetPosition(m_position - 1); }
    void ShowCurrent();
    void ReadFolder(bool sortieren);
    // As ReadFolder, with the folder's list read elsewhere.
    // `live`: the folder's Live Photo videos, as LiveVideos gives them.
    void DateienSetzen(const QStringList& dateien, const QHash<QString, QString>& live);
    // The folder's list is being read (a slow or hanging drive): no picture, "Bild wird
    // geladen …", and paging waits until DateienSetzen.
    void OrdnerLaedt();
    bool OrdnerLaedtNoch() const { return m_ordnerLaedt; }
    void ReadFolderAt(bool sortieren, const QString& dateiname);
    void ReadFolderFirst(bool sortieren) { ReadFolderAt(sortieren, {}); }
    void ShowFile(const QString& dateiname);
    // Deletes the current picture's file and entry. When the file cannot be deleted
    // it says so, keeps entry and picture, and returns false.
    bool DeleteCurrent();

    QAction* AddMenuItem(const QString& caption, int taste, std::function<void()> klick,
                         Qt::KeyboardModifiers modifikatoren = Qt::NoModifier);
    // An entry bound to the action: caption, shortcut, state and handler follow it.
    QAction* AddAction(QAction* aktion);
    // As above, with the entry's own shortcut (the bare key).
    QAction* AddAction(QAction* aktion, int taste);

    QMenu* Menu() const { return m_menu; }
    QString InfoText(int feld) const;
    TBildflaeche* Bildflaeche() const { return m_bild; }
    // Size of the picture as the info line reports it (0x0 when none is loaded).
    QSize BildGroesse() const { return m_bildGroesse; }
    // The picture shown is still being read (a slow or hanging drive).
    bool LaedtNoch() const;

    // The video of the current picture's name beside it (a Live Photo's motion), as a
    // full path; empty when there is none. The info line then shows "Live".
    QString LiveVideo() const;
    bool LiveMarke() const;
    // Plays the motion in place of the picture, without sound until M; the picture
    // comes back at its end or at the next key.
    void BewegungAbspielen();
    void BewegungBeenden();
    bool BewegungLaeuft() const;
    // "Bewegung abspielen" (P), enabled for a picture with motion; for the owner's menu.
    QAction* BewegungsAktion() const { return m_axBewegung; }
    TVideoSpieler* Bewegung() const { return m_bewegung; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // Where a fitted picture goes.
    QRect Einpassbereich() const;
    QAction* MenuEintrag(const QKeySequence& taste) const;
    // The pixels the current placement needs of a picture (empty: the full picture).
    ZielGroesse Ziel() const;
    // The picture shown was decoded too small for the placement now asked for.
    bool ZuKleinDekodiert() const;
    // Decodes the neighbours in the direction of travel ahead.
    void Vorladen();
    void InfoSetzen(int feld, const QString& text);
    QString PositionsText() const;
    // The current file cannot be shown: empty area, the line names position and file.
    void NichtsGeladen(const QString& datei);
    void Anordnen();
    void Platzieren();
    void LiveAnzeigen();
    QRect BewegungsOrt() const;

    QString m_grundpfad;
    QStringList m_files;
    int m_position = -1;
    bool m_stretch = false;
    bool m_grossanpassen = false;
    bool m_anzeige = false;
    TBildflaeche* m_bild;
    QWidget* m_info;
    QLabel* m_infoFeld[3];
    QLabel* m_ladeText; // "Bild wird geladen …" while a slow drive delivers the picture
    QMenu* m_menu;
    QAction* m_axStretch;
    QAction* m_axGross;
    QAction* m_axInfo;
    QAction* m_axBewegung;
    QLabel* m_live;
    QHash<QString, QString> m_liveVideos; // of the folder read, see LiveVideos
    TVideoSpieler* m_bewegung = nullptr;
    TVideoFlaeche* m_bewegungFlaeche = nullptr;
    bool m_bewegungLaedt = false; // the motion's video is being opened
    QString m_geladen;            // file whose picture m_bild holds
    QSize m_bildGroesse;
    int m_nenner = 1;
    bool m_vorwaerts = true;
    bool m_ordnerLaedt = false;
};
