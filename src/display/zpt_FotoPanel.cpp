#include "display/zpt_FotoPanel.h"

#include "sys/zpt_Papierkorb.h"

#include "album/alb_Videos.h"
#include "display/zpt_VideoFenster.h"
#include "display/zpt_VideoSpieler.h"

#include "display/zpt_BildLader.h"
#include "display/zpt_Bildflaeche.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_Heif.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Text.h"
#include "sys/zpt_Warten.h"
#include "sys/zpt_sys.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPointer>

namespace {
constexpr int kInfoHoehe = 19;
constexpr int kInfoBreite1 = 80;
constexpr int kInfoBreite2 = 70;
// How long paging waits for a picture before it says that it is being loaded.
constexpr int kLadeFristMs = 250;
} // namespace

TzptFotoPanel::TzptFotoPanel(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Window); // the background colour, whatever the owner's role
    setAutoFillBackground(true);

    m_bild = new TBildflaeche(this);
    connect(m_bild, &TBildflaeche::geklickt, this, [this] {
        if (OnClick) OnClick(this);
    });

    m_ladeText = new QLabel(QStringLiteral("Bild wird geladen …"), this);
    m_ladeText->setObjectName(QStringLiteral("Ladetext"));
    m_ladeText->setAlignment(Qt::AlignCenter);
    m_ladeText->hide();

    m_info = new QWidget(this);
    m_info->setObjectName(QStringLiteral("Infozeile"));
    m_info->setAutoFillBackground(true);
    m_info->setBackgroundRole(QPalette::Button);
    for (int i = 0; i < 3; ++i) {
        m_infoFeld[i] = new QLabel(m_info);
        m_infoFeld[i]->setFrameShape(QFrame::Panel);
        m_infoFeld[i]->setFrameShadow(QFrame::Sunken);
        m_infoFeld[i]->setIndent(2);
    }
    m_live = new QLabel(QStringLiteral("Live"), m_info);
    m_live->setObjectName(QStringLiteral("LiveMarke"));
    m_live->setFrameShape(QFrame::Panel);
    m_live->setFrameShadow(QFrame::Sunken);
    m_live->setAlignment(Qt::AlignCenter);
    m_live->hide();

    m_menu = new QMenu(this);
    AddMenuItem(QStringLiteral("Bild vor"), Qt::Key_Space, [this] { Next(); });
    AddMenuItem(QStringLiteral("Bild Zurück "), Qt::Key_Backspace, [this] { Prior(); });
    AddMenuItem(QStringLiteral("Album Anfang"), Qt::Key_Home, [this] { First(); });
    AddMenuItem(QStringLiteral("Album Ende"), Qt::Key_End, [this] { Last(); });
    m_axStretch = AddMenuItem(QStringLiteral("Alle Bilder anpassen"), Qt::Key_X, [this] {
        setStretch(!m_stretch);
        if (m_stretch) setGrossanpassen(false);
    });
    m_axGross = AddMenuItem(QStringLiteral("Zu große Bilder anpassen"), Qt::Key_Y, [this] {
        setGrossanpassen(!m_grossanpassen);
        if (m_grossanpassen) setStretch(false);
    });
    m_axInfo = AddMenuItem(QStringLiteral("Infozeile anzeigen"), Qt::Key_I,
                           [this] { setStatusbarVisible(!StatusbarVisible()); });
    // Not among the panel's own entries: the owner places it in its menu (P works anyway).
    m_axBewegung = new QAction(QStringLiteral("Bewegung abspielen"), this);
    m_axBewegung->setShortcut(QKeySequence(Qt::Key_P));
    m_axBewegung->setShortcutContext(Qt::WidgetShortcut);
    m_axBewegung->setEnabled(false);
    connect(m_axBewegung, &QAction::triggered, this, [this] { Geschuetzt([this] { BewegungAbspielen(); }); });
    for (QAction* a : {m_axStretch, m_axGross, m_axInfo})
        a->setCheckable(true);
    // The check marks follow the flags, not the clicks.
    for (QAction* a : {m_axStretch, m_axGross, m_axInfo})
        a->setChecked(false);
}

void TzptFotoPanel::setGrundpfad(const QString& pfad) {
    m_grundpfad = AddBackslash(pfad);
}

void TzptFotoPanel::setStretch(bool an) {
    if (an == m_stretch) return;
    m_stretch = an;
    m_axStretch->setChecked(an);
    Platzieren();
}

void TzptFotoPanel::setGrossanpassen(bool an) {
    if (an == m_grossanpassen) return;
    m_grossanpassen = an;
    m_axGross->setChecked(an);
    Platzieren();
}

bool TzptFotoPanel::StatusbarVisible() const {
    return !m_info->isHidden();
}

void TzptFotoPanel::setStatusbarVisible(bool an) {
    m_info->setVisible(an);
    m_axInfo->setChecked(an);
    Anordnen();
    if (!m_bild->IstGestreckt()) Platzieren();
}

QColor TzptFotoPanel::Color() const {
    return palette().color(QPalette::Window);
}

void TzptFotoPanel::setColor(const QColor& farbe) {
    QPalette p = palette();
    p.setColor(QPalette::Window, farbe);
    setPalette(p);
    m_info->setPalette(QPalette()); // the info line keeps the usual colours
}

QString TzptFotoPanel::CurrentFileName() const {
    if (m_files.isEmpty() || m_position < 0 || m_position >= Count()) return {};
    return m_grundpfad + m_files[m_position];
}

QString TzptFotoPanel::InfoText(int feld) const {
    return m_infoFeld[feld]->text();
}

void TzptFotoPanel::InfoSetzen(int feld, const QString& text) {
    m_infoFeld[feld]->setText(text);
}

void TzptFotoPanel::SetPosition(int index) {
    if (index == m_position || m_ordnerLaedt) return;
    if (index >= Count()) {
        if (OnEof) OnEof(this);
    } else if (index >= 0) {
        m_vorwaerts = index > m_position;
        m_position = index;
        ShowCurrent();
        if (AfterPositionChanged) AfterPositionChanged(this);
        Vorladen();
    } else if (OnBof) {
        OnBof(this);
    }
}

QRect TzptFotoPanel::Einpassbereich() const {
    QRect c = contentsRect();
    if (ObenEinpassen && StatusbarVisible()) c.setBottom(c.bottom() - kInfoHoehe);
    return c;
}

ZielGroesse TzptFotoPanel::Ziel() const {
    const bool stretch = m_stretch, gross = m_grossanpassen;
    const QSize client = Einpassbereich().size();
    const qreal dpr = devicePixelRatioF();
    return [=](QSize gezeigt) -> QSize {
        const QSize geraet = (QSizeF(client) * dpr).toSize();
        if (!EinpassenNoetig(stretch, gross, gezeigt, geraet)) return {}; // natural size: every pixel
        return (QSizeF(BildEinpassen(gezeigt, client, kFotoRand).size()) * dpr).toSize();
    };
}

bool TzptFotoPanel::ZuKleinDekodiert() const {
    return m_nenner > BenoetigterNenner(m_bildGroesse, Ziel()(m_bildGroesse));
}

void TzptFotoPanel::Vorladen() {
    if (!m_anzeige || m_files.isEmpty() || m_position < 0) return;
    // Ahead first, then behind, then where the owner's neighbouring days begin.
    // Two ahead, so that a held key keeps both cores decoding; four when the next is a
    // HEIC, which takes several times as long as a JPEG of its size.
    QStringList pfade;
    const int schritt = m_vorwaerts ? 1 : -1;
    const int weiter = m_position + schritt;
    const bool heic = weiter >= 0 && weiter < Count() && IstHeifName(m_files[weiter]);
    QList<int> reihe{weiter, m_position - schritt};
    for (int k = 2; k <= (heic ? 4 : 2); ++k)
        reihe << m_position + k * schritt;
    for (int i : reihe)
        if (i >= 0 && i < Count()) pfade << m_grundpfad + m_files[i];
    if (WeitereNachbarn) pfade << WeitereNachbarn(m_vorwaerts);
    TBildLader::Instanz().Vorladen(pfade, Ziel());
}

void TzptFotoPanel::ShowCurrent() {
    BewegungBeenden();
    // Set first: every way out below leaves the mark right for the position shown.
    LiveAnzeigen();
    if (m_ordnerLaedt) return; // shown when the list has come
    if (m_files.isEmpty()) {
        m_bild->hide();
        m_ladeText->hide();
        InfoSetzen(0, QStringLiteral("0/0"));
        InfoSetzen(1, {});
        InfoSetzen(2, m_grundpfad);
        return;
    }
    if (m_position < 0) m_position = 0;
    m_bild->show();
    m_ladeText->hide();
    const QString datei = CurrentFileName();
    if (!m_anzeige) {
        if (!QFileInfo(datei).isFile()) {
            // Gone since the folder was read: the line names it, nothing else is shown.
            NichtsGeladen(datei);
            return;
        }
        InfoSetzen(0, PositionsText());
        InfoSetzen(1, QStringLiteral("???"));
        InfoSetzen(2, datei);
        return;
    }
    WarteBlock warten(QStringLiteral("Laden ") + datei);
    // The wait indication lets queued input run: a key pressed meanwhile may have
    // moved on and shown a later picture already.
    if (CurrentFileName() != datei) return;
    try {
        DekodiertesBild geladen;
        // From the cache when it was decoded ahead; else decoded now, as large as needed,
        // in another thread: a drive that hangs must not freeze the window.
        const QPointer<TzptFotoPanel> ich(this);
        const auto stand = TBildLader::Instanz().HolenBis(
            datei, Ziel(), geladen, QDeadlineTimer(kLadeFristMs), [ich, datei] {
                if (QCoreApplication* app = QCoreApplication::instance())
                    QMetaObject::invokeMethod(
                        app,
                        [ich, datei] {
                            if (ich && ich->m_anzeige && ich->m_geladen.isEmpty() &&
                                ich->CurrentFileName() == datei)
                                ich->ShowCurrent();
                        },
                        Qt::QueuedConnection);
            });
        if (stand == TBildLader::Stand::Laeuft) {
            NichtsGeladen(datei);
            InfoSetzen(1, {});
            m_ladeText->setGeometry(Einpassbereich());
            m_ladeText->show();
            m_ladeText->raise();
            return;
        }
        if (stand == TBildLader::Stand::Unlesbar) {
            // Gone, or an unreadable picture: the area stays empty, without a message.
            NichtsGeladen(datei);
            return;
        }
        m_bild->setBild(geladen.bild, geladen.angepasst);
        m_geladen = datei;
        m_bildGroesse = geladen.originalGroesse;
        m_nenner = geladen.nenner;
        Platzieren();
    } catch (const std::exception&) {
        NichtsGeladen(datei); // out of memory, say: the same as an unreadable picture
        return;
    }
    InfoSetzen(1, QStringLiteral("%1x%2").arg(m_bildGroesse.width()).arg(m_bildGroesse.height()));
    InfoSetzen(0, PositionsText());
    InfoSetzen(2, datei);
}

bool TzptFotoPanel::LaedtNoch() const {
    return !m_ladeText->isHidden();
}

QString TzptFotoPanel::PositionsText() const {
    return QStringLiteral("%1/%2").arg(m_position + 1).arg(Count());
}

void TzptFotoPanel::NichtsGeladen(const QString& datei) {
    m_bild->Leeren();
    m_geladen.clear();
    m_bildGroesse = {};
    // The line always names the position the commands act on, never the last picture.
    InfoSetzen(0, PositionsText());
    InfoSetzen(1, QStringLiteral("???"));
    InfoSetzen(2, datei);
}

void TzptFotoPanel::Platzieren() {
    if (m_bild->Leer() || m_geladen.isEmpty()) return;
    // A larger placement than the picture was decoded for: decoded again, larger.
    if (m_anzeige && ZuKleinDekodiert() && m_geladen == CurrentFileName()) {
        m_geladen.clear();
        ShowCurrent();
        return;
    }
    const QRect client = Einpassbereich();
    // Picture pixels are screen pixels: on a scaled display the panel holds more of
    // them than its size in logical units says.
    const QSize geraet = (QSizeF(client.size()) * devicePixelRatioF()).toSize();
    if (EinpassenNoetig(m_stretch, m_grossanpassen, m_bildGroesse, geraet)) {
        m_bild->Gestreckt(
            BildEinpassen(m_bildGroesse, client.size(), kFotoRand).translated(client.topLeft()));
    } else {
        QRect frei = contentsRect();
        if (StatusbarVisible()) frei.setBottom(frei.bottom() - kInfoHoehe);
        m_bild->Zentriert(frei);
    }
    if (BewegungLaeuft()) m_bewegungFlaeche->setGeometry(BewegungsOrt());
    m_info->raise();
}

void TzptFotoPanel::Anordnen() {
    const QRect c = contentsRect();
    m_info->setGeometry(c.left(), c.bottom() + 1 - kInfoHoehe, c.width(), kInfoHoehe);
    // 80 and 70 pixels, wider only where the screen font would cut "9999/9999" or "10000x10000".
    const QFontMetrics fm(m_infoFeld[0]->font());
    const int b1 = qMax(kInfoBreite1, fm.horizontalAdvance(QStringLiteral("9999/9999")) + 8);
    const int b2 = qMax(kInfoBreite2, fm.horizontalAdvance(QStringLiteral("10000x10000")) + 8);
    m_infoFeld[0]->setGeometry(0, 0, b1, kInfoHoehe);
    m_infoFeld[1]->setGeometry(b1, 0, b2, kInfoHoehe);
    const int b3 = m_live->isHidden() ? 0 : fm.horizontalAdvance(m_live->text()) + 12;
    m_live->setGeometry(b1 + b2, 0, b3, kInfoHoehe);
    m_infoFeld[2]->setGeometry(b1 + b2 + b3, 0, qMax(0, c.width() - b1 - b2 - b3), kInfoHoehe);
}

void TzptFotoPanel::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    Anordnen();
    // The picture is placed anew for the new size; it was decoded already.
    if (!m_anzeige) return;
    if (LaedtNoch()) {
        m_ladeText->setGeometry(Einpassbereich()); // it is shown when it has come
        return;
    }
    if (m_geladen.isEmpty() || m_geladen != CurrentFileName()) {
        ShowCurrent();
        return;
    }
    try {
        Platzieren();
    } catch (const std::exception&) {
        NichtsGeladen(CurrentFileName());
    }
}

void TzptFotoPanel::ReadFolder(bool sortieren) {
    DateienSetzen(FotoDateienLesen(m_grundpfad, sortieren), LiveVideos(m_grundpfad));
}

void TzptFotoPanel::OrdnerLaedt() {
    BewegungBeenden();
    m_ordnerLaedt = true;
    m_liveVideos.clear();
    m_files.clear();
    m_position = -1;
    m_bild->hide();
    m_bild->Leeren();
    m_geladen.clear();
    m_bildGroesse = {};
    InfoSetzen(0, {});
    InfoSetzen(1, {});
    InfoSetzen(2, m_grundpfad);
    m_ladeText->setGeometry(Einpassbereich());
    m_ladeText->show();
    m_ladeText->raise();
    LiveAnzeigen();
}

void TzptFotoPanel::DateienSetzen(const QStringList& dateien, const QHash<QString, QString>& live) {
    BewegungBeenden();
    if (m_ordnerLaedt) m_ladeText->hide();
    m_ordnerLaedt = false;
    m_files = dateien;
    m_liveVideos = live;
    m_position = -1;
    LiveAnzeigen();
    if (m_files.isEmpty()) {
        // An empty folder also clears the info line, so it does not tell of the last one.
        m_bild->hide();
        m_ladeText->hide();
        InfoSetzen(0, QStringLiteral("0/0"));
        InfoSetzen(1, {});
        InfoSetzen(2, m_grundpfad);
    }
}

void TzptFotoPanel::ReadFolderAt(bool sortieren, const QString& dateiname) {
    ReadFolder(sortieren);
    const int index = FotoIndex(m_files, m_grundpfad, dateiname);
    if (index == m_position) {
        ShowCurrent();
        if (AfterPositionChanged) AfterPositionChanged(this);
    } else {
        SetPosition(index);
    }
}

void TzptFotoPanel::ShowFile(const QString& dateiname) {
    m_files = QStringList{dateiname};
    m_liveVideos.clear();
    m_anzeige = true;
    if (m_position == 0) {
        ShowCurrent();
        if (AfterPositionChanged) AfterPositionChanged(this);
    } else {
        SetPosition(0);
    }
}

bool TzptFotoPanel::DeleteCurrent() {
    const QString datei = CurrentFileName();
    if (datei.isEmpty()) return false;
    // A picture that cannot be deleted stays, entry and all; one the user keeps, too.
    if (QFileInfo::exists(datei)) {
        const Entsorgung e = text::IstSchreibgeschuetzt(datei) ? Entsorgung::Fehler : BildEntsorgen(datei);
        if (e == Entsorgung::Behalten) return false;
        if (e == Entsorgung::Fehler) {
            FehlerAnzeigen(QStringLiteral("Das Bild\r") + datei +
                           QStringLiteral("\rkann nicht gelöscht werden."));
            return false;
        }
    }
    m_files.removeAt(m_position);
    if (Count() - 1 < m_position) SetPosition(Count() - 1);
    ShowCurrent();
    if (AfterPositionChanged) AfterPositionChanged(this);
    return true;
}

QAction* TzptFotoPanel::AddMenuItem(const QString& caption, int taste, std::function<void()> klick,
                                    Qt::KeyboardModifiers modifikatoren) {
    auto* a = new QAction(caption, m_menu);
    if (taste) a->setShortcut(QKeySequence(QKeyCombination(modifikatoren, Qt::Key(taste))));
    if (klick) connect(a, &QAction::triggered, this, [klick] { Geschuetzt(klick); });
    m_menu->addAction(a);
    return a;
}

QAction* TzptFotoPanel::AddAction(QAction* aktion) {
    m_menu->addAction(aktion);
    return aktion;
}

QAction* TzptFotoPanel::AddAction(QAction* aktion, int taste) {
    // An entry of its own that mirrors the action, so its shortcut can differ.
    auto* eintrag = new QAction(aktion->text(), m_menu);
    eintrag->setShortcut(QKeySequence(taste));
    auto angleichen = [eintrag, aktion] {
        eintrag->setText(aktion->text());
        eintrag->setEnabled(aktion->isEnabled());
        eintrag->setVisible(aktion->isVisible());
        eintrag->setCheckable(aktion->isCheckable());
        eintrag->setChecked(aktion->isChecked());
        eintrag->setIcon(aktion->icon());
    };
    angleichen();
    connect(aktion, &QAction::changed, eintrag, angleichen);
    connect(eintrag, &QAction::triggered, aktion, [aktion] { aktion->trigger(); });
    m_menu->addAction(eintrag);
    return eintrag;
}

QAction* TzptFotoPanel::MenuEintrag(const QKeySequence& taste) const {
    for (QAction* a : m_menu->actions())
        if (a->isEnabled() && a->isVisible() && !a->shortcut().isEmpty() && a->shortcut() == taste) return a;
    return nullptr;
}

// The menu's shortcuts work while the panel has the focus, before the window's own.
bool TzptFotoPanel::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        // While the motion plays, M is its sound and Esc ends it (not the window).
        if (BewegungLaeuft() && k->modifiers() == Qt::NoModifier &&
            (k->key() == Qt::Key_M || k->key() == Qt::Key_Escape)) {
            e->accept();
            return true;
        }
        if (MenuEintrag(QKeySequence(k->keyCombination()))) {
            e->accept();
            return true;
        }
    }
    return QFrame::event(e);
}

void TzptFotoPanel::keyPressEvent(QKeyEvent* e) {
    if (BewegungLaeuft() && e->modifiers() == Qt::NoModifier) {
        if (e->key() == Qt::Key_M) {
            m_bewegung->setStumm(!m_bewegung->Stumm());
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Escape) {
            BewegungBeenden();
            e->accept();
            return;
        }
    }
    if (QAction* a = MenuEintrag(QKeySequence(e->keyCombination()))) {
        a->trigger();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_P && e->modifiers() == Qt::NoModifier && m_axBewegung->isEnabled()) {
        m_axBewegung->trigger();
        e->accept();
        return;
    }
    QFrame::keyPressEvent(e);
}

void TzptFotoPanel::contextMenuEvent(QContextMenuEvent* e) {
    m_menu->exec(e->globalPos());
}

QString TzptFotoPanel::LiveVideo() const {
    if (m_files.isEmpty() || m_position < 0 || m_position >= Count()) return {};
    const QString video = m_liveVideos.value(LiveSchluessel(m_files[m_position]));
    return video.isEmpty() ? QString() : m_grundpfad + video;
}

bool TzptFotoPanel::LiveMarke() const {
    return !m_live->isHidden();
}

void TzptFotoPanel::LiveAnzeigen() {
    const bool live = m_anzeige && !LiveVideo().isEmpty();
    m_axBewegung->setEnabled(live);
    if (live == !m_live->isHidden()) return;
    m_live->setVisible(live);
    Anordnen();
}

QRect TzptFotoPanel::BewegungsOrt() const {
    // Over the picture where it is painted, over the whole area when none could be shown.
    if (!m_bild->isVisible() || m_bild->Leer()) return Einpassbereich();
    return m_bild->BildRechteck().translated(m_bild->pos()).intersected(Einpassbereich());
}

bool TzptFotoPanel::BewegungLaeuft() const {
    return m_bewegungLaedt || (m_bewegungFlaeche && !m_bewegungFlaeche->isHidden());
}

void TzptFotoPanel::BewegungAbspielen() {
    const QString video = LiveVideo();
    if (video.isEmpty()) return;
    if (!m_bewegung) {
        m_bewegung = new TVideoSpieler(this);
        m_bewegungFlaeche = new TVideoFlaeche(m_bewegung, this);
        m_bewegungFlaeche->hide();
        // Ended or broken off: the picture again, never a frozen last frame.
        connect(m_bewegung, &TVideoSpieler::beendet, this, &TzptFotoPanel::BewegungBeenden);
        connect(m_bewegung, &TVideoSpieler::fehlgeschlagen, this, &TzptFotoPanel::BewegungBeenden);
        connect(m_bewegungFlaeche, &TVideoFlaeche::doppelklick, this, &TzptFotoPanel::BewegungBeenden);
    }
    BewegungBeenden();
    // While it loads, keys go on being handled: Esc, paging or P again break it off.
    m_bewegungLaedt = true;
    const bool offen = m_bewegung->Oeffnen(video);
    m_bewegungLaedt = false;
    if (!offen) {
        if (!m_bewegung->Fehler().isEmpty()) FehlerAnzeigen(VideoFehlerText(video, m_bewegung->Fehler()));
        return;
    }
    m_bewegung->setStumm(true);
    m_bewegungFlaeche->setHintergrund(Color());
    const QRect ort = BewegungsOrt();
    m_bewegungFlaeche->setGeometry(ort);
    m_bewegungFlaeche->show();
    m_bewegungFlaeche->raise();
    m_info->raise();
    m_bewegung->Abspielen();
}

void TzptFotoPanel::BewegungBeenden() {
    if (!m_bewegung) return;
    m_bewegungFlaeche->hide();
    m_bewegung->Schliessen();
}
