#include "app/alb_Main.h"

#include "display/zpt_FotoPanel.h"
#include "settings/BigIni.h"
#include "settings/zpt_Parameter.h"
#include "settings/zpt_StandardIni.h"
#include "sys/TStringlistBox.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTopHoehe = 23;
constexpr int kBrennlisteBreite = 185;
constexpr int kUntenHoehe = 46;
constexpr int kReHoehe = 36;
} // namespace

Tam_Main::Tam_Main(QWidget* parent) : Tak_Form(parent) {
    setObjectName(QStringLiteral("Tam_Main"));
    setWindowFlags(Qt::Window);
    resize(819, 494);
    HauptfensterSetzen(this);
    FensterAufbauen();
    AktionenAufbauen();

    HilfeDatei = QFileInfo(plattform::ProgrammDatei()).path() + plattform::PfadTrenner +
                 QFileInfo(plattform::ProgrammDatei()).completeBaseName() + QStringLiteral(".hlp");
    setWindowTitle(QStringLiteral("Pixoluda 2.42"));
    NurAnzeige = !SchalterVorhanden(QStringLiteral("/Edit"));
    NurZahlJahre = !SchalterVorhanden(QStringLiteral("/Alles"));
    JpegtranDatei = ProgrammVerzeichnis() + QStringLiteral("jpegtran.exe");

    // The settings file: "/Ini=" without folder lies in the program's data folder.
    const QString ini = SchalterWert(QStringLiteral("/Ini="));
    if (!ini.isEmpty()) {
        QString name = ini;
        if (!name.contains(plattform::PfadTrenner)) {
            name = AnwendungsDatenVerzeichnis(QStringLiteral("Pixolud")) + DateinameOhneEndung(name) +
                   QStringLiteral(".ini");
        }
        StandardIniDateiNameSetzen(name);
    }

    const QString grund = SchalterWert(QStringLiteral("/Grundpfad="));
    if (!grund.isEmpty() && VerzeichnisExistiert(grund))
        GrundpfadSetzen(grund);
    else if (NurAnzeige)
        GrundpfadSetzen(ProgrammVerzeichnis());
    else
        GrundpfadSetzen(PAR->WertLesen(QStringLiteral("Grundpfad"), ProgrammVerzeichnis()));

    AlbumIndexOeffnen();
    EinstellungenLesen();
    BeschriftungSetzen();
    BildUnterschriftSetzen(false);
    FensterteileAnpassen();
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
    links->addWidget(Splitter1);

    foto = new TzptFotoPanel(Splitter1);
    foto->setObjectName(QStringLiteral("foto"));
    foto->setStretch(false);
    foto->setGrossanpassen(false);
    foto->setStatusbarVisible(true);
    foto->setAnzeigeEnabled(false);
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
    re->setAlignment(Qt::AlignCenter);
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
    mitte->addWidget(pa_Brennliste);

    PAR = new TzptParameter(this);
    sl_Jahr = new TStringlistBox(this);
    sl_Jahr->setObjectName(QStringLiteral("sl_Jahr"));
    sl_Tage = new TStringlistBox(this);
    sl_Tage->setObjectName(QStringLiteral("sl_Tage"));
}

void Tam_Main::AktionenAufbauen() {
    AktionenAnlegen(
        this, {
                  {"ax_minmax", QStringLiteral("ax_minmax"), QKeySequence(Qt::Key_F5),
                   [this] { ax_minmaxExecute(); }},
                  {"ax_Close", QStringLiteral("ax_Close"), QKeySequence(Qt::Key_Escape), [this] { close(); }},
                  {"ax_Hintergrund", QStringLiteral("Hintergrundfarbe"), QKeySequence(Qt::Key_H),
                   [this] { ax_HintergrundExecute(); }},
                  {"ax_Grundpfad", QStringLiteral("Grundpfad"), QKeySequence(Qt::CTRL | Qt::Key_G),
                   [this] { ax_GrundpfadExecute(); }},
              });
}

QAction* Tam_Main::Aktion(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void Tam_Main::ax_minmaxExecute() {
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void Tam_Main::BildUnterschriftSetzen(bool mit) {
    MitBildUnterschrift = mit;
    re->setVisible(mit);
}

void Tam_Main::FensterteileAnpassen() {
    const bool unten = !re->isHidden();
    pa_LinksUnten->setVisible(unten);
    if (unten) Splitter1->setSizes({qMax(0, Splitter1->height() - m_untenHoehe), m_untenHoehe});
    pa_Brennliste->setVisible(!BrennlisteDatei.isEmpty());
    pa_TopResize();
}

int Tam_Main::AndereDateienHoehe() const {
    return m_untenHoehe;
}

void Tam_Main::pa_TopResize() {
    ll_Zur->move(0, 0);
    ll_Vor->move(pa_Top->width() - ll_Vor->width(), 0);
}

bool Tam_Main::eventFilter(QObject* o, QEvent* e) {
    if (o == pa_Top && e->type() == QEvent::Resize) pa_TopResize();
    return Tak_Form::eventFilter(o, e);
}

void Tam_Main::reject() {
    close();
}
