#include "widgets/zpt_MultiButtonPanel.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFile>
#include <QToolButton>

namespace {
constexpr int kButtonBreite = 80;
constexpr int kButtonHoehe = 22;
} // namespace

TzptMultiButtonPanel::TzptMultiButtonPanel(QWidget* parent) : QFrame(parent) {
    setFixedHeight(kButtonReiheHoehe);
    setFocusPolicy(Qt::TabFocus);
}

void TzptMultiButtonPanel::setFlat(bool flat) {
    m_flat = flat;
    for (QToolButton* b : m_buttons)
        b->setAutoRaise(flat);
}

void TzptMultiButtonPanel::setButtonAlignment(ButtonAusrichtung a) {
    m_ausrichtung = a;
    Anordnen();
}

QToolButton* TzptMultiButtonPanel::AddButton(const QString& caption, const QString& hint,
                                             std::function<void()> klick, bool allowAllUp, int groupIndex,
                                             const QString& glyph) {
    auto* b = new QToolButton(this);
    b->setText(caption);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(m_flat);
    b->setFixedSize(kButtonBreite, kButtonHoehe);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QString bild = QStringLiteral(":/glyphs/") + glyph + QStringLiteral(".png");
    if (!glyph.isEmpty() && QFile::exists(bild)) b->setIcon(QIcon(bild));
    if (groupIndex != 0) {
        b->setCheckable(true);
        QButtonGroup*& gruppe = m_gruppen[groupIndex];
        if (!gruppe) {
            gruppe = new QButtonGroup(this);
            gruppe->setExclusive(!allowAllUp);
        }
        gruppe->addButton(b);
    }
    if (klick) connect(b, &QToolButton::clicked, this, [klick] { klick(); });
    b->installEventFilter(this); // showing or hiding a button changes the row
    m_buttons.append(b);
    Anordnen();
    return b;
}

void TzptMultiButtonPanel::Anordnen() {
    if (m_creating) return;
    QVector<int> breiten;
    QList<QToolButton*> sichtbar;
    for (QToolButton* b : m_buttons)
        if (!b->isHidden()) {
            sichtbar << b;
            breiten << b->width();
        }
    const QVector<int> links = ButtonReiheLayout(m_ausrichtung, width(), breiten);
    for (int i = 0; i < sichtbar.size(); ++i)
        sichtbar[i]->move(links[i], kButtonReiheOben);
}

void TzptMultiButtonPanel::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    Anordnen();
}

void TzptMultiButtonPanel::showEvent(QShowEvent* e) {
    m_creating = false;
    QFrame::showEvent(e);
    Anordnen();
}

bool TzptMultiButtonPanel::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent) Anordnen();
    return QFrame::eventFilter(o, e);
}
