#include "burn/vrkWizard.h"

#include <QFrame>
#include <QLabel>

namespace {
constexpr int kKnopfBreite = 90;
constexpr int kKnopfHoehe = 25;
constexpr int kLeiste = 42;
constexpr int kRechts[3] = {200, 110, 5}; // right edges from the wizard's right edge
} // namespace

TvrkWizardPage::TvrkWizardPage(TvrkWizard* wizard) : QWidget(wizard), m_wizard(wizard) {
    hide();
    if (m_wizard) {
        m_wizard->m_seiten.append(this);
        m_wizard->Arrange();
    }
}

TvrkWizardPage::~TvrkWizardPage() {
    if (!m_wizard) return;
    m_wizard->m_seiten.removeOne(this);
    if (m_wizard->m_aktiv == this) m_wizard->m_aktiv = nullptr;
    m_wizard->Arrange();
}

int TvrkWizardPage::Index() const {
    return m_wizard ? int(m_wizard->m_seiten.indexOf(const_cast<TvrkWizardPage*>(this))) : -1;
}

void TvrkWizardPage::setIndex(int index) {
    if (!m_wizard) return;
    m_wizard->m_seiten.removeOne(this);
    m_wizard->m_seiten.insert(qBound(0, index, int(m_wizard->m_seiten.size())), this);
    m_wizard->Arrange();
}

void TvrkWizardPage::setEnableBack(bool an) {
    m_enableBack = an;
    if (m_wizard) m_wizard->Arrange();
}

void TvrkWizardPage::setRuntimeVisible(bool an) {
    m_runtimeVisible = an;
    if (!m_wizard) return;
    if (!an && m_wizard->m_aktiv == this) {
        // Hiding the page shown moves on to the next one (none at the end).
        TWizardNavigation n = m_wizard->Navigation();
        m_wizard->SeiteZeigen(m_wizard->Page(n.Naechste()));
    }
    m_wizard->Arrange();
}

TvrkWizardBtn::TvrkWizardBtn(TvrkWizard* wizard, int art)
    : m_wizard(wizard), m_caption(StandardCaption(art)) {}

QString TvrkWizardBtn::StandardCaption(int art) {
    switch (art) {
    case 0:
        return QStringLiteral("< &Zurück");
    case 1:
        return QStringLiteral("&Weiter >");
    default:
        return QStringLiteral("Abbrechen");
    }
}

void TvrkWizardBtn::setCaption(const QString& text) {
    m_caption = text;
    m_wizard->Arrange();
}

void TvrkWizardBtnNext::setLast_Caption(const QString& text) {
    m_lastCaption = text;
    m_wizard->Arrange();
}

void TvrkWizardBtnNext::setLast_TAction(bool an) {
    m_lastTAction = an;
    m_wizard->Arrange();
}

TvrkWizard::TvrkWizard(QWidget* parent) : QWidget(parent) {
    for (int art = 0; art < 3; ++art) {
        m_knopf[art] = new TvrkWzBtn(art, this);
        m_knopf[art]->resize(kKnopfBreite, kKnopfHoehe);
        m_knopf[art]->setAutoDefault(false);
    }
    m_knopf[0]->setObjectName(QStringLiteral("bb_Zurueck"));
    m_knopf[1]->setObjectName(QStringLiteral("bb_Weiter"));
    m_knopf[2]->setObjectName(QStringLiteral("bb_Abbrechen"));
    connect(m_knopf[0], &QPushButton::clicked, this, &TvrkWizard::Zurueck);
    connect(m_knopf[1], &QPushButton::clicked, this, &TvrkWizard::Weiter);
    connect(m_knopf[2], &QPushButton::clicked, this, &TvrkWizard::Abbrechen);
    setTabOrder(m_knopf[1], m_knopf[2]);
    setTabOrder(m_knopf[2], m_knopf[0]);
    m_linie = new QFrame(this);
    m_linie->setFrameShape(QFrame::HLine);
    m_linie->setFrameShadow(QFrame::Sunken);
    m_status = new QLabel(this);
    Arrange();
}

TvrkWizard::~TvrkWizard() {
    m_abbau = true;
    // The pages are destroyed with the wizard; they must not report to it any more.
    for (TvrkWizardPage* s : m_seiten)
        s->m_wizard = nullptr;
}

TWizardNavigation TvrkWizard::Navigation() const {
    TWizardNavigation n;
    for (const TvrkWizardPage* s : m_seiten)
        n.seiten.append({s->RuntimeVisible(), s->EnableBack()});
    n.aktiv = ActivePageIndex();
    return n;
}

void TvrkWizard::setStatusText(bool an) {
    m_statusText = an;
    Arrange();
}

void TvrkWizard::Arrange() {
    if (m_abbau || !m_status) return;
    const TWizardNavigation n = Navigation();
    const int oben = height() - 28;
    for (int art = 0; art < 3; ++art)
        m_knopf[art]->setGeometry(width() - kRechts[art] - kKnopfBreite, oben, kKnopfBreite,
                                  m_knopf[art]->height());
    m_knopf[0]->setText(BtnBack.Caption());
    m_knopf[0]->setEnabled(n.ZurueckAktiv());
    m_knopf[1]->setText(n.WeiterCaption(BtnNext.Caption(), BtnNext.Last_Caption()));
    m_knopf[1]->setEnabled(n.WeiterAktiv(BtnNext.Last_TAction()));
    m_knopf[2]->setText(BtnCancel.Caption());
    m_status->setVisible(m_statusText);
    m_status->setEnabled(m_statusText);
    m_status->setText(n.StatusText());
    m_status->adjustSize();
    m_status->move(20, oben + 5);
    m_linie->setGeometry(3, oben - 8, qMax(0, width() - 6), 3);
    for (TvrkWizardPage* s : m_seiten)
        s->setGeometry(0, 0, width(), qMax(0, height() - kLeiste));
}

void TvrkWizard::setActivePage(TvrkWizardPage* seite) {
    if (seite && !m_seiten.contains(seite)) return;
    if (seite == m_aktiv) return;
    SeiteZeigen(seite);
}

void TvrkWizard::SeiteZeigen(TvrkWizardPage* seite) {
    TvrkWizardPage* alt = m_aktiv;
    QWidget* fenster = window();
    if (alt && fenster->focusWidget() && alt->isAncestorOf(fenster->focusWidget())) alt->setFocus();
    if (alt) alt->hide();
    m_aktiv = seite;
    Arrange();
    if (!seite) return;
    seite->raise();
    seite->show();
    if (seite->focusPolicy() != Qt::NoFocus)
        seite->setFocus();
    else
        setFocus();
    // The first control of the page in tab order gets the focus.
    for (QWidget* w = seite->nextInFocusChain(); w && w != seite; w = w->nextInFocusChain()) {
        if (!seite->isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(seite)) {
            w->setFocus();
            break;
        }
    }
}

void TvrkWizard::Zurueck() {
    const int vorher = ActivePageIndex();
    const int ziel = Navigation().Vorherige();
    if (ziel < 0) return;
    SeiteZeigen(m_seiten[ziel]);
    if (ActivePageIndex() != vorher && OnChangePage) OnChangePage(this);
}

void TvrkWizard::Weiter() {
    const int vorher = ActivePageIndex();
    const TWizardNavigation n = Navigation();
    const int ziel = n.Naechste();
    if (ziel < 0 && !BtnNext.Last_TAction()) return;
    bool erlaubt = true;
    if (m_aktiv && m_aktiv->OnChanging) m_aktiv->OnChanging(m_aktiv, erlaubt);
    if (!erlaubt) return;
    if (ziel >= 0)
        SeiteZeigen(m_seiten[ziel]);
    else if (OnLastAction)
        OnLastAction(this);
    if (ActivePageIndex() != vorher && OnChangePage) OnChangePage(this);
}

void TvrkWizard::Abbrechen() {
    window()->close();
}

QSize TvrkWizard::minimumSizeHint() const {
    QSize groesste(3 * kKnopfBreite + 200, 0);
    for (const TvrkWizardPage* s : m_seiten)
        groesste = groesste.expandedTo(s->minimumSizeHint());
    return groesste + QSize(0, kLeiste);
}

void TvrkWizard::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Arrange();
}

void TvrkWizard::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Once the pages are in place the first visible one is shown.
    if (!m_aktiv) SeiteZeigen(Page(Navigation().ErsteSichtbare()));
}
