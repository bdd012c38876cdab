// Tam_Main: paging across days, the caption area, the keys, the top bar and the
// title and caption commands.
#include "app/alb_Main.h"

#include "album/alb_TagTitel.h"
#include "album/alb_Text.h"
#include "album/alb_Titel.h"
#include "album/alb_ini.h"
#include "app/alb_Tagesindex.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_Metadaten.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Sperre.h"
#include "widgets/zpt_Dialoge.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

namespace {
// How long paging waits for the neighbouring days' listings to decode their pictures ahead.
constexpr int kNachbarFristMs = 100;
} // namespace

void Tam_Main::fotoAfterPositionChanged() {
    re->clear();
    const quint64 nr = ++m_textNr;
    if (!MitBildUnterschrift) return;
    const QString ordner = foto->Grundpfad(), datei = foto->CurrentFileName();
    const std::function<QString()> lesen = [ordner, datei] {
        QStringList zeilen;
        BildtextLesen(ordner, QFileInfo(datei).fileName(), zeilen);
        // A picture captioned in another program shows that caption until one is typed here.
        return zeilen.isEmpty() && !datei.isEmpty() ? EingebetteteBildunterschrift(datei)
                                                    : zeilen.join(u'\n');
    };
    QString text;
    // Read in the background, waited for a moment (not at all while the picture is still
    // being read): on a drive that hangs the caption follows when it has come, if its
    // picture is still shown.
    if (!LesenBis<QString>(
            m_textLeser, lesen, QDeadlineTimer(foto->LaedtNoch() ? 0 : TagFristMs), this,
            [this, datei, nr](const QString& t) {
                // Only the last reading asked for: an earlier one may tell a caption since changed.
                if (MitBildUnterschrift && nr == m_textNr && foto->CurrentFileName() == datei)
                    BildUnterschriftZeigen(t);
            },
            text))
        return;
    BildUnterschriftZeigen(text);
}

void Tam_Main::BildUnterschriftZeigen(const QString& text) {
    re->setPlainText(text);
    QTextCursor c(re->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat mitte;
    mitte.setAlignment(Qt::AlignHCenter);
    c.mergeBlockFormat(mitte);
}

void Tam_Main::fotoEof() {
    const int i = cb_Tage->KeyIndex();
    if (i >= 0 && i + 1 < cb_Tage->KeyList().size()) {
        cb_Tage->setKey(cb_Tage->KeyList()[i + 1]);
        TagAnzeigen([this] { foto->First(); }); // an empty day pages past its end at once
    } else if (!cb_Tage->KeyList().isEmpty()) {
        Piep(); // the end of the year; with no days at all there is nothing to announce
    } else {
        AusLeeremJahr(+1);
    }
}

void Tam_Main::fotoBof() {
    // Deleting the last picture of a day asks the panel for position -1: the day stays
    // shown, empty. Paging back from an empty day (Backspace) still moves on.
    if (m_letztesBildGeloescht) return;
    const int i = cb_Tage->KeyIndex();
    if (i > 0) {
        cb_Tage->setKey(cb_Tage->KeyList()[i - 1]);
        TagAnzeigen([this] { foto->Last(); });
    } else if (cb_Tage->KeyList().isEmpty()) {
        AusLeeremJahr(-1);
    }
}

QStringList Tam_Main::TagNachbarn(bool vorwaerts) const {
    // Paging past the day's end goes on in the next non-empty day of the year: its first
    // picture (its last one backwards) is decoded ahead too.
    QStringList pfade;
    const int tag = cb_Tage->KeyIndex();
    if (tag < 0 || foto->Count() == 0) return pfade;
    const bool letztes = foto->Position() == foto->Count() - 1, erstes = foto->Position() == 0;
    if (!letztes && !erstes) return pfade;
    const QString grund = Grundpfad, jahr = cb_Jahr->ListenKey();
    const QStringList tage = cb_Tage->KeyList();
    const std::function<QStringList()> lesen = [=] {
        auto suchen = [&](int schritt) -> QString {
            for (int i = tag + schritt; i >= 0 && i < tage.size(); i += schritt) {
                const QString ordner = TagOrdner(grund, jahr, tage[i]);
                const QStringList bilder = FotoDateienLesen(ordner, true);
                if (!bilder.isEmpty()) return ordner + (schritt > 0 ? bilder.first() : bilder.last());
            }
            return {};
        };
        QStringList p;
        if (letztes && vorwaerts) p << suchen(+1);
        if (erstes && !vorwaerts) p << suchen(-1);
        if (letztes && !vorwaerts) p << suchen(+1);
        if (erstes && vorwaerts) p << suchen(-1);
        p.removeAll(QString());
        return p;
    };
    // Looked for in the background, waited for a moment (not at all while the picture shown
    // is still being read): on a drive that hangs nothing is decoded ahead, and the
    // listings read meanwhile are there for the next page.
    LesenBis<QStringList>(m_nachbarLeser, lesen, QDeadlineTimer(foto->LaedtNoch() ? 0 : kNachbarFristMs),
                          nullptr, {}, pfade);
    return pfade;
}

void Tam_Main::BildUnterschriftSetzen(bool mit) {
    MitBildUnterschrift = mit;
    re->setVisible(mit);
}

void Tam_Main::ax_MitBildUnterschriftExecute() {
    // The caption text is not read here: it appears with the next picture.
    const bool neu = !MitBildUnterschrift;
    Aktion("ax_MitBildUnterschrift")->setChecked(neu);
    BildUnterschriftSetzen(neu);
    FensterteileAnpassen();
}

void Tam_Main::FensterteileAnpassen() {
    pa_Andere->setVisible(cb_Andere->count() >= 1 && AndereDateienAnzeigen());
    const bool unten = !re->isHidden();
    pa_LinksUnten->setVisible(unten);
    if (unten) Splitter1->setSizes({qMax(0, Splitter1->height() - m_untenHoehe), m_untenHoehe});
    pa_Brennliste->setVisible(!BrennlisteDatei.isEmpty());
    pa_TopResize();
}

void Tam_Main::pa_TopResize() {
    int frei = pa_Top->width() - ll_Zur->width() - ll_Vor->width() - cb_Jahr->width();
    pa_Andere->setFixedWidth(cb_Andere->width() + bb_Andere->width());
    if (!pa_Andere->isHidden()) frei -= pa_Andere->width();
    ll_Zur->move(0, 0);
    cb_Jahr->move(ll_Zur->width(), 0);
    cb_Tage->setFixedWidth(qMax(0, frei));
    cb_Tage->move(cb_Jahr->x() + cb_Jahr->width(), 0);
    pa_Andere->move(cb_Tage->x() + cb_Tage->width(), 0);
    ll_Vor->move(pa_Top->width() - ll_Vor->width(), 0);
}

void Tam_Main::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        Befehl("ax_Vor");
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
        Befehl("ax_Zur");
        break;
    case Qt::Key_Home:
        Befehl("ax_Anf");
        break;
    case Qt::Key_End:
        Befehl("ax_End");
        break;
    default:
        break;
    }
    Tak_Form::keyPressEvent(e);
}

void Tam_Main::ax_TitelExecute() {
    const QString ordner = foto->Grundpfad();
    if (ordner.isEmpty()) {
        Piep(); // no day shown: no series to name
        return;
    }
    QString titel = TitelLesen(ordner, {});
    if (!EinzelDialog<Tam_Titel>().Ausfuehren(titel)) return;
    if (!TitelSchreiben(ordner, titel)) {
        FehlerAnzeigen(QStringLiteral("Der Titel konnte nicht gespeichert werden:\r") + ordner +
                       SperrZusatz());
        return;
    }
    SucheTagGeaendert(ordner);
    TTagTitel::Instanz().Merken(ordner, titel);
    TageLesen();
    FotoFokus();
}

void Tam_Main::ax_TextExecute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty()) {
        Piep(); // no picture shown: nothing to caption
        return;
    }
    if (EinzelDialog<Tam_Text>().Ausfuehren(datei)) {
        SucheTagGeaendert(foto->Grundpfad());
        fotoAfterPositionChanged();
    }
    FotoFokus();
}
