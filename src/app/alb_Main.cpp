#include "app/alb_Main.h"

#include "album/alb_Loeschen.h"
#include "album/alb_TagTitel.h"
#include "app/zpt_Hilfe.h"
#include "display/alc_3x3.h"
#include "display/zpt_FotoPanel.h"
#include "settings/BigIni.h"
#include "settings/zpt_Parameter.h"
#include "settings/zpt_StandardIni.h"
#include "sys/TStringlistBox.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kTopHoehe = 23;
constexpr int kBrennlisteBreite = 185;
constexpr int kUntenHoehe = 46;
constexpr int kReHoehe = 36;
} // namespace

Tam_Main::Tam_Main(QWidget* parent) : Tak_Form(parent) {
    setObjectName(QStringLiteral("Tam_Main"));
    setProperty(kHilfeKontext, 2);
    setWindowFlags(Qt::Window);
    resize(819, 494);
    HauptfensterSetzen(this);
    FensterAufbauen();

    HilfeDatei = QFileInfo(plattform::ProgrammDatei()).path() + plattform::PfadTrenner +
                 QFileInfo(plattform::ProgrammDatei()).completeBaseName() + QStringLiteral(".hlp");
    setWindowTitle(QStringLiteral("Pixoluda 2.42"));
    NurAnzeige = !SchalterVorhanden(QStringLiteral("/Edit"));
    BildtexteZurueckgeben(!NurAnzeige);
    NurZahlJahre = !SchalterVorhanden(QStringLiteral("/Alles"));
    JpegtranDatei = ProgrammVerzeichnis() + QString::fromLatin1(plattform::JpegtranName);

    // The 3x3 view is created with the main window.
    dreiMalDrei = new Tam_3x3(this);
    AktionenAufbauen();
    // The rotate commands need the lossless tool next to the program.
    const bool mitJpegtran = QFileInfo(JpegtranDatei).isFile();
    for (const char* name : {"ax_Rotate_R", "ax_Rotate_L"})
        Aktion(name)->setVisible(mitJpegtran);
    KontextmenuAufbauen();
    // Editing commands are disabled in viewer mode; nothing else is.
    for (const char* name : {"ax_Titel", "ax_Text", "ax_BildDel", "ax_Konflikte"})
        Aktion(name)->setEnabled(!NurAnzeige);

    // The settings file: "/Ini=" without folder lies in the program's data folder.
    const QString ini = SchalterWert(QStringLiteral("/Ini="));
    if (!ini.isEmpty()) {
        QString name = ini;
        if (!name.contains(plattform::PfadTrenner))
            name = AnwendungsDatenVerzeichnis(QStringLiteral("Pixolud")) + DateinameOhneEndung(name) +
                   QStringLiteral(".ini");
        StandardIniDateiNameSetzen(name);
    }

    const QString grund = SchalterWert(QStringLiteral("/Grundpfad="));
    if (!grund.isEmpty() && VerzeichnisExistiert(grund))
        GrundpfadSetzen(grund);
    else if (NurAnzeige)
        GrundpfadSetzen(ProgrammVerzeichnis());
    else
        GrundpfadSetzen(PAR->WertLesen(QStringLiteral("Grundpfad"), ProgrammVerzeichnis()));

    connect(&TTagTitel::Instanz(), &TTagTitel::Geaendert, this,
            [this](const QString& ordner, const QString& titel) { TitelNachgelesen(ordner, titel); });
    AlbumIndexOeffnen();
    JahreLesen();
    // The first start in edit mode (no year stored at all, not even an empty one)
    // opens the newest year at its first day instead of an empty window.
    const bool ersterStart = !NurAnzeige && !PAR->Speicher().SchluesselVorhanden(QStringLiteral("cb_Jahr"));
    if (NurAnzeige || ersterStart) {
        if (!cb_Jahr->KeyList().isEmpty()) cb_Jahr->setKey(cb_Jahr->KeyList().last());
    } else {
        cb_Jahr->setKey(PAR->WertLesen(QStringLiteral("cb_Jahr")));
    }
    TageLesen();
    if (NurAnzeige) {
        if (!cb_Tage->KeyList().isEmpty()) cb_Tage->setKey(cb_Tage->KeyList().last());
    } else if (ersterStart) {
        if (!cb_Tage->KeyList().isEmpty()) cb_Tage->setKey(cb_Tage->KeyList().first());
    } else {
        cb_Tage->setKey(PAR->WertLesen(QStringLiteral("cb_Tage")));
    }
    EinstellungenLesen();
    BeschriftungSetzen();
    BildUnterschriftSetzen(false);
    KonflikteStarten();
    TagAnzeigen([this] { foto->First(); });
}

Tam_Main::~Tam_Main() {
    if (Hauptfenster() == this) HauptfensterSetzen(nullptr);
}

void Tam_Main::FensterAufbauen() {
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);

    pa_Top = new QWidget(this);
    pa_Top->setObjectName(QStringLiteral("pa_Top"));
    pa_Top->setFixedHeight(kTopHoehe);
    pa_Top->installEventFilter(this);
    ll_Zur = new QPushButton(QStringLiteral("<<"), pa_Top);
    ll_Zur->setObjectName(QStringLiteral("ll_Zur"));
    ll_Vor = new QPushButton(QStringLiteral(">>"), pa_Top);
    ll_Vor->setObjectName(QStringLiteral("ll_Vor"));
    for (QPushButton* b : {ll_Zur, ll_Vor}) {
        b->setFixedSize(75, kTopHoehe);
        b->setFocusPolicy(Qt::NoFocus);
    }
    cb_Jahr = new TzptKeyComboBox(pa_Top);
    cb_Jahr->setObjectName(QStringLiteral("cb_Jahr"));
    cb_Jahr->setFixedSize(161, kTopHoehe);
    cb_Jahr->setMaxVisibleItems(20);
    cb_Tage = new TzptKeyComboBox(pa_Top);
    cb_Tage->setObjectName(QStringLiteral("cb_Tage"));
    cb_Tage->setFixedHeight(kTopHoehe);
    cb_Tage->setMaxVisibleItems(40);
    pa_Andere = new QWidget(pa_Top);
    pa_Andere->setObjectName(QStringLiteral("pa_Andere"));
    cb_Andere = new TzptKeyComboBox(pa_Andere);
    cb_Andere->setObjectName(QStringLiteral("cb_Andere"));
    cb_Andere->setGeometry(0, 0, kAndereBreite, kTopHoehe);
    bb_Andere = new QToolButton(pa_Andere);
    bb_Andere->setObjectName(QStringLiteral("bb_Andere"));
    bb_Andere->setGeometry(kAndereBreite, 0, 23, kTopHoehe);
    bb_Andere->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    bb_Andere->setToolTip(QStringLiteral("Datei öffnen"));
    bb_Andere->setFocusPolicy(Qt::NoFocus);
    bb_Andere->setEnabled(false);
    pa_Andere->setFixedSize(kAndereBreite + 23, kTopHoehe);
    cb_Andere->OnChange = [this](QObject*) { Geschuetzt([this] { cb_AndereChange(); }); };
    cb_Andere->setProperty("EnterSelbst", true); // Enter plays or opens the file, moves on to nothing
    cb_Andere->installEventFilter(this);
    cb_Andere->lineEdit()->installEventFilter(this);
    connect(bb_Andere, &QToolButton::clicked, this, [this] { Geschuetzt([this] { bb_AndereClick(); }); });
    cb_Jahr->OnChange = [this](QObject*) { Geschuetzt([this] { cb_JahrChange(); }); };
    cb_Tage->OnChange = [this](QObject*) { Geschuetzt([this] { cb_TageChange(); }); };
    connect(ll_Zur, &QPushButton::clicked, this, [this] {
        Befehl("ax_Zur");
        FotoFokus();
    });
    connect(ll_Vor, &QPushButton::clicked, this, [this] {
        Befehl("ax_Vor");
        FotoFokus();
    });
    haupt->addWidget(pa_Top);

    auto* mitte = new QHBoxLayout;
    mitte->setSpacing(0);
    haupt->addLayout(mitte, 1);

    pa_Links = new QWidget(this);
    pa_Links->setObjectName(QStringLiteral("pa_Links"));
    auto* links = new QVBoxLayout(pa_Links);
    links->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, pa_Links);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    la_Konflikt = new QLabel(pa_Links);
    la_Konflikt->setObjectName(QStringLiteral("la_Konflikt"));
    la_Konflikt->setTextFormat(Qt::PlainText);
    la_Konflikt->setMargin(3);
    la_Konflikt->setAutoFillBackground(true);
    la_Konflikt->setStyleSheet(QStringLiteral("QLabel { background: #fff3c4; color: black; }"));
    la_Konflikt->hide();
    links->addWidget(la_Konflikt);
    links->addWidget(Splitter1);

    foto = new TzptFotoPanel(Splitter1);
    foto->setObjectName(QStringLiteral("foto"));
    foto->setStretch(false);
    foto->setGrossanpassen(false);
    foto->setStatusbarVisible(true);
    foto->setAnzeigeEnabled(false);
    foto->AfterPositionChanged = [this](QObject*) { fotoAfterPositionChanged(); };
    foto->OnEof = [this](QObject*) { fotoEof(); };
    foto->OnBof = [this](QObject*) { fotoBof(); };
    foto->WeitereNachbarn = [this](bool vorwaerts) { return TagNachbarn(vorwaerts); };
    Splitter1->addWidget(foto);

    pa_LinksUnten = new QWidget(Splitter1);
    pa_LinksUnten->setObjectName(QStringLiteral("pa_LinksUnten"));
    auto* unten = new QVBoxLayout(pa_LinksUnten);
    unten->setContentsMargins(0, (kUntenHoehe - kReHoehe) / 2, 0, (kUntenHoehe - kReHoehe) / 2);
    re = new QTextEdit(pa_LinksUnten);
    re->setObjectName(QStringLiteral("re"));
    re->setReadOnly(true);
    re->setFrameShape(QFrame::NoFrame);
    re->setFocusPolicy(Qt::NoFocus);
    re->setMinimumHeight(kReHoehe);
    QPalette p = re->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Button));
    re->setPalette(p);
    unten->addWidget(re);
    Splitter1->addWidget(pa_LinksUnten);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] {
        if (pa_LinksUnten->isVisible()) m_untenHoehe = pa_LinksUnten->height();
    });
    mitte->addWidget(pa_Links, 1);

    pa_Brennliste = new QWidget(this);
    pa_Brennliste->setObjectName(QStringLiteral("pa_Brennliste"));
    pa_Brennliste->setFixedWidth(kBrennlisteBreite);
    pa_Brennliste->hide();
    BrennlisteAufbauen();
    mitte->addWidget(pa_Brennliste);

    PAR = new TzptParameter(this);
    sl_Jahr = new TStringlistBox(this);
    sl_Jahr->setObjectName(QStringLiteral("sl_Jahr"));
    sl_Jahr->setSorted(true);
    sl_Tage = new TStringlistBox(this);
    sl_Tage->setObjectName(QStringLiteral("sl_Tage"));
    sl_Tage->setSorted(true);
}

void Tam_Main::AktionenAufbauen() {
    const QList<AktionsEintrag> tabelle = {
        {"ax_Anf", QStringLiteral("<<"), QKeySequence(Qt::Key_A), [this] { foto->First(); }},
        {"ax_Zur", QStringLiteral("<"), QKeySequence(Qt::Key_Z), [this] { foto->Prior(); }},
        {"ax_Vor", QStringLiteral(">"), QKeySequence(), [this] { foto->Next(); }},
        {"ax_End", QStringLiteral(">>"), QKeySequence(Qt::Key_E), [this] { foto->Last(); }},
        {"ax_Info", QStringLiteral("i"), QKeySequence(Qt::Key_I),
         [this] { foto->setStatusbarVisible(!foto->StatusbarVisible()); }},
        {"ax_Stretch", QStringLiteral("Xx"), QKeySequence(Qt::Key_X),
         [this] { foto->setStretch(!foto->Stretch()); }},
        {"ax_minmax", QStringLiteral("ax_minmax"), QKeySequence(Qt::Key_F5), [this] { ax_minmaxExecute(); }},
        {"ax_Close", QStringLiteral("ax_Close"), QKeySequence(Qt::Key_Escape), [this] { close(); }},
        {"ax_MitBildUnterschrift", QStringLiteral("Bildunterschrift anzeigen"), QKeySequence(Qt::Key_F6),
         [this] { ax_MitBildUnterschriftExecute(); }},
        {"ax_Titel", QStringLiteral("Titel der Fotoserie"), QKeySequence(Qt::Key_F4),
         [this] { ax_TitelExecute(); }},
        {"ax_Text", QStringLiteral("Bildtext"), QKeySequence(Qt::Key_F3), [this] { ax_TextExecute(); }},
        {"ax_Hintergrund", QStringLiteral("Hintergrundfarbe"), QKeySequence(Qt::Key_H),
         [this] { ax_HintergrundExecute(); }},
        {"ax_Grundpfad", QStringLiteral("Grundpfad"), QKeySequence(Qt::CTRL | Qt::Key_G),
         [this] { ax_GrundpfadExecute(); }},
        {"ax_NextDay", QStringLiteral("Nächster Tag"), QKeySequence(Qt::Key_N),
         [this] { ax_NextDayExecute(); }},
        {"ax_PrevDay", QStringLiteral("voriger Tag"), QKeySequence(Qt::Key_V),
         [this] { ax_PrevDayExecute(); }},
        {"ax_Status", QStringLiteral("Programminformation"), QKeySequence(Qt::ALT | Qt::Key_F1),
         [this] { ax_StatusExecute(); }},
        {"ax_3x3", QStringLiteral("3x3 Bilder anzeigen"), QKeySequence(Qt::Key_3),
         [this] { ax_3x3Execute(); }},
        {"ax_10Bilder", QStringLiteral("10 Bilder anzeigen"), QKeySequence(Qt::Key_1),
         [this] { ax_10BilderExecute(); }},
        {"ax_SpeichernUnter", QStringLiteral("Speichern unter ..."), QKeySequence(Qt::CTRL | Qt::Key_S),
         [this] { ax_SpeichernUnterExecute(); }},
        {"ax_BearbeitenMit", QStringLiteral("Bearbeiten mit"), QKeySequence(Qt::ALT | Qt::Key_F9),
         [this] { ax_BearbeitenMitExecute(); }},
        {"ax_Kalender", QStringLiteral("Kalender"), QKeySequence(Qt::CTRL | Qt::Key_K),
         [this] { ax_KalenderExecute(); }},
        {"ax_Suchen", QStringLiteral("Suchen"), QKeySequence(Qt::CTRL | Qt::Key_F),
         [this] { ax_SuchenExecute(); }, QStringLiteral("In allen Titeln und Bildunterschriften suchen")},
        {"ax_Kamera", QStringLiteral("Kamera"), QKeySequence(Qt::Key_F9), [this] { ax_KameraExecute(); },
         QStringLiteral("Kamera an USB-Schnitttstelle ")},
        {"ax_DateiStarten", QStringLiteral("Das angezeigte Bild zur Bearbeitung öffnen"),
         QKeySequence(Qt::CTRL | Qt::Key_F9), [this] { ax_DateiStartenExecute(); }},
        {"ax_Refresh", QStringLiteral("Refresh"), QKeySequence(Qt::CTRL | Qt::Key_R),
         [this] { ax_RefreshExecute(); }, QStringLiteral("Bilder neu laden")},
        {"ax_BildDel", QStringLiteral("Angezeigtes Bild löschen"), QKeySequence(Qt::Key_Delete),
         [this] { ax_BildDelExecute(); }, QStringLiteral("Angezeigtes Bild in den Papierkorb verschieben")},
        {"ax_AndereDateien", QStringLiteral("Andere Dateien ..."), QKeySequence(),
         [this] { ax_AndereDateienExecute(); },
         QStringLiteral("Welche anderen Dateien sollen angezeigt werden ?")},
        {"ax_AndereDateienAnzeigen", QStringLiteral("Andere Dateien anzeigen"), QKeySequence(),
         [this] { ax_AndereDateienAnzeigenExecute(); }},
        {"ax_Rotate_R", QStringLiteral("Bild nach rechts drehen"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), [this] { Drehen(90); },
         QStringLiteral("Bild wird im Uhrzeigersinn um 90° gedreht")},
        {"ax_Rotate_L", QStringLiteral("Bild nach links drehen"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L), [this] { Drehen(270); },
         QStringLiteral("Bild wird entgegen dem Uhrzeigersinn um 90° gedreht")},
        {"ax_DateiNameInsClipBoard", QStringLiteral("Dateiname in die Zwischenablage"),
         QKeySequence(Qt::CTRL | Qt::Key_C), [this] { ax_DateiNameInsClipBoardExecute(); }},
        {"ax_BildinBrennliste", QStringLiteral("Bild in die Brennliste aufnehmen"),
         QKeySequence(Qt::Key_Insert), [this] { ax_BildinBrennlisteExecute(); }},
        {"ax_AlleInBrennliste", QStringLiteral("Alle Bilder des Tages in  die Brennliste übernehmen"),
         QKeySequence(), [this] { ax_AlleInBrennlisteExecute(); }},
        {"ax_Brennliste", QStringLiteral("Brennliste bearbeiten"), QKeySequence(),
         [this] { ax_BrennlisteExecute(); }},
        {"ax_Konflikte", QStringLiteral("Konflikte lösen…"), QKeySequence(),
         [this] { ax_KonflikteExecute(); },
         QStringLiteral("Was ein Synchronisationsprogramm als Konflikt beiseitegelegt hat")},
    };
    AktionenAnlegen(this, tabelle);
    for (const AktionsEintrag& e : tabelle)
        m_befehle.insert(QString::fromLatin1(e.name), e.ausfuehren);
    Aktion("ax_MitBildUnterschrift")->setCheckable(true);
    Aktion("ax_AndereDateienAnzeigen")->setCheckable(true);
}

void Tam_Main::KontextmenuAufbauen() {
    // Linked entries follow their action; copied ones take caption and key now and
    // run the command. Editing entries are left out in viewer mode.
    enum Art { Verknuepft, Kopiert };
    struct Eintrag {
        const char* aktion;
        Art art;
        bool nurBearbeiten;
        int eigeneTaste = 0;
    };
    static const Eintrag eintraege[] = {
        {"ax_PrevDay", Verknuepft, false, Qt::Key_PageUp},
        {"ax_NextDay", Verknuepft, false, Qt::Key_PageDown},
        {"ax_Refresh", Verknuepft, false},
        {"ax_3x3", Kopiert, false},
        {"ax_10Bilder", Kopiert, false},
        {"ax_MitBildUnterschrift", Kopiert, false},
        {"ax_Hintergrund", Kopiert, false},
        {"ax_Text", Kopiert, true},
        {"ax_Titel", Kopiert, true},
        {"ax_Kamera", Kopiert, true},
        {"ax_DateiStarten", Verknuepft, true},
        {"ax_BearbeitenMit", Verknuepft, true},
        {"ax_BildDel", Verknuepft, true},
        {"ax_Rotate_R", Verknuepft, true},
        {"ax_Rotate_L", Verknuepft, true},
        {"ax_DateiNameInsClipBoard", Verknuepft, false},
        {"ax_AndereDateien", Verknuepft, false},
        {"ax_AndereDateienAnzeigen", Verknuepft, false},
        {"ax_Grundpfad", Kopiert, false},
        {"ax_SpeichernUnter", Kopiert, false},
        {"ax_BildinBrennliste", Verknuepft, false},
        {"ax_AlleInBrennliste", Verknuepft, false},
        {"ax_Brennliste", Verknuepft, false},
        {"ax_Kalender", Verknuepft, false},
        {"ax_Suchen", Verknuepft, false},
        {"ax_Status", Verknuepft, false},
        {"ax_Konflikte", Verknuepft, true},
    };
    for (const Eintrag& e : eintraege) {
        if (e.nurBearbeiten && NurAnzeige) continue;
        QAction* a = Aktion(e.aktion);
        if (e.art == Verknuepft) {
            if (e.eigeneTaste)
                foto->AddAction(a, e.eigeneTaste);
            else
                foto->AddAction(a);
        } else {
            const QKeyCombination taste = a->shortcut().isEmpty() ? QKeyCombination() : a->shortcut()[0];
            const char* name = e.aktion;
            foto->AddMenuItem(
                a->text(), taste.key(), [this, name] { Befehl(name); }, taste.keyboardModifiers());
        }
    }
    // The motion of a Live Photo, a command of the panel itself.
    foto->AddAction(foto->BewegungsAktion());
}

QAction* Tam_Main::Aktion(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void Tam_Main::Befehl(const char* name) {
    const auto befehl = m_befehle.value(QString::fromLatin1(name));
    if (befehl) Geschuetzt(befehl);
}

void Tam_Main::FotoFokus() {
    foto->setFocus();
}

void Tam_Main::ax_minmaxExecute() {
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

int Tam_Main::AndereDateienHoehe() const {
    return m_untenHoehe;
}

bool Tam_Main::eventFilter(QObject* o, QEvent* e) {
    if (o == pa_Top && e->type() == QEvent::Resize) pa_TopResize();
    if (cb_Andere && (o == cb_Andere || o == cb_Andere->lineEdit()) && AndereDateienTaste(e)) return true;
    return Tak_Form::eventFilter(o, e);
}

bool Tam_Main::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        FotoFokus();
        // "/KAMERA" offers the import once, at the first activation; later activations
        // (a dialog closing) must not open it again and again.
        if (!m_kameraAngeboten && SchalterVorhanden(QStringLiteral("/KAMERA"))) {
            m_kameraAngeboten = true;
            QTimer::singleShot(0, this, [this] { Befehl("ax_Kamera"); });
        }
    }
    return Tak_Form::event(e);
}

void Tam_Main::reject() {
    close();
}
