// Tam_Main: the other files of a day (videos, sounds) in the top bar.
#include "app/alb_AndereDateien.h"
#include "app/alb_Main.h"

#include "album/alb_Loeschen.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_VideoFenster.h"
#include "display/zpt_VideoSpieler.h"
#include "display/zpt_VideoStandbild.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Shell.h"
#include "widgets/zpt_Dialoge.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

void Tam_Main::AndereDateienSetzen(const QList<TzptKeyString>& dateien) {
    cb_Andere->Leeren();
    for (const TzptKeyString& d : dateien)
        cb_Andere->AddKey(d.key, d.text);
    // Each day starts with its first file chosen, ready to be opened.
    cb_Andere->setKey(cb_Andere->KeyList().isEmpty() ? QString() : cb_Andere->KeyList().first());
    bb_Andere->setEnabled(!cb_Andere->KeyLeer());

    // A still of each video beside its name, made in the background.
    const QString ordner = foto->Grundpfad();
    QStringList videos;
    for (const QString& name : cb_Andere->KeyList())
        if (IstVideo(name)) videos << ordner + name;
    if (!m_standbilder && !videos.isEmpty()) {
        m_standbilder = new TStandbilder(this);
        cb_Andere->setIconSize(QSize(32, 18));
        connect(m_standbilder, &TStandbilder::fertig, this, &Tam_Main::StandbildAngekommen);
    }
    if (m_standbilder) m_standbilder->Anfordern(videos);
    // The still stands in front of the name: the list grows by its width on days with
    // videos, so that a name keeps its beginning in view.
    const int breite = kAndereBreite + (videos.isEmpty() ? 0 : cb_Andere->iconSize().width() + 6);
    if (cb_Andere->width() != breite) {
        cb_Andere->resize(breite, cb_Andere->height());
        bb_Andere->move(breite, 0);
        pa_TopResize();
    }
}

void Tam_Main::StandbildAngekommen(const QString& pfad, const QImage& bild) {
    // Only for the day still shown: the user may have moved on meanwhile.
    const QString ordner = foto->Grundpfad();
    if (bild.isNull() || !pfad.startsWith(ordner)) return;
    const int i = cb_Andere->KeyList().indexOf(pfad.mid(ordner.size()));
    if (i >= 0 && i < cb_Andere->count()) cb_Andere->setItemIcon(i, QIcon(QPixmap::fromImage(bild)));
}

bool Tam_Main::AndereDateienAnzeigen() const {
    return m_andereAnzeigen;
}

void Tam_Main::ax_AndereDateienExecute() {
    QString maske = AndereDateienMaske;
    if (!EinzelDialog<Tam_AndereDateien>().Ausfuehren(maske)) return;
    AndereDateienMaske = maske;
    TagAnzeigen([this] { foto->First(); });
}

void Tam_Main::ax_AndereDateienAnzeigenExecute() {
    m_andereAnzeigen = !m_andereAnzeigen;
    Aktion("ax_AndereDateienAnzeigen")->setChecked(m_andereAnzeigen);
    FensterteileAnpassen();
}

void Tam_Main::cb_AndereChange() {
    bb_Andere->setEnabled(!cb_Andere->KeyLeer());
}

void Tam_Main::bb_AndereClick() {
    AndereDateiOeffnen();
    FotoFokus();
}

void Tam_Main::AndereDateiOeffnen() {
    if (cb_Andere->KeyLeer()) return;
    const QString pfad = foto->Grundpfad() + cb_Andere->Key();
    if (IstVideo(pfad))
        VideoAbspielen(pfad);
    else
        zptDateiStarten(pfad, true);
}

TVideoFenster* Tam_Main::VideoAbspielen(const QString& pfad) {
    // Events go on while the video loads: Enter pressed again must not open a second player.
    if (m_videoOeffnen) return nullptr;
    auto* fenster = new TVideoFenster(this);
    m_videoOeffnen = true;
    const bool offen = fenster->Oeffnen(pfad);
    m_videoOeffnen = false;
    if (!offen) {
        const QString grund = fenster->Spieler()->Fehler();
        delete fenster;
        if (JaNeinFrage(VideoFehlerText(pfad, grund) +
                        QStringLiteral("\rMit dem Standardprogramm des Desktops öffnen?")))
            zptDateiStarten(pfad, true);
        return nullptr;
    }
    // Closed, it gives the keys back to the picture.
    connect(fenster, &TVideoFenster::geschlossen, this, [this] { FotoFokus(); });
    // Over the picture, three quarters of the main window's size.
    fenster->resize(qMax(480, width() * 3 / 4), qMax(320, height() * 3 / 4));
    fenster->move(frameGeometry().center() - fenster->rect().center());
    fenster->show();
    fenster->activateWindow();
    fenster->Spieler()->Abspielen();
    return fenster;
}

bool Tam_Main::AndereDateienTaste(QEvent* e) {
    // Enter or a double click in the list opens the chosen file, as the button does.
    const bool enter =
        e->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return ||
                                          static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter);
    if (!enter && e->type() != QEvent::MouseButtonDblClick) return false;
    Geschuetzt([this] { bb_AndereClick(); });
    return true;
}
