#include "display/zpt_VideoFenster.h"

#include "display/zpt_VideoSpieler.h"
#include "display/zpt_grafik.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr qint64 kSprungMs = 5000;
} // namespace

QString VideoZeitText(qint64 ms) {
    const qint64 s = qMax<qint64>(0, ms) / 1000;
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(s / 3600)
            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

TVideoFlaeche::TVideoFlaeche(TVideoSpieler* spieler, QWidget* parent) : QWidget(parent), m_spieler(spieler) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(spieler, &TVideoSpieler::bildNeu, this, qOverload<>(&QWidget::update));
}

QRect TVideoFlaeche::BildRechteck() const {
    const QImage& bild = m_spieler->Bild();
    if (bild.isNull()) return {};
    // Videos fill the area, small ones too: they are watched, not inspected pixel by pixel.
    return BildEinpassen(bild.size(), size(), 0);
}

void TVideoFlaeche::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_hintergrund);
    const QImage& bild = m_spieler->Bild();
    if (bild.isNull()) return;
    // Smooth scaling of every frame of a 4K video costs more than a frame's time; the
    // paused picture, looked at, is scaled smoothly.
    p.setRenderHint(QPainter::SmoothPixmapTransform, !m_spieler->Spielt());
    p.drawImage(BildRechteck(), bild);
}

void TVideoFlaeche::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
    emit doppelklick();
}

TVideoFenster::TVideoFenster(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("VideoFenster"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setFocusPolicy(Qt::StrongFocus);
    resize(800, 520);
    m_spieler = new TVideoSpieler(this);
    m_flaeche = new TVideoFlaeche(m_spieler, this);
    m_flaeche->setMinimumSize(160, 90);
    m_knopf = new QToolButton(this);
    m_zeit = new QSlider(Qt::Horizontal, this);
    m_zeitText = new QLabel(this);
    m_tonText = new QLabel(this);
    // The keys belong to the window: nothing in it takes the focus.
    for (QWidget* w : std::initializer_list<QWidget*>{m_flaeche, m_knopf, m_zeit, m_zeitText, m_tonText})
        w->setFocusPolicy(Qt::NoFocus);
    m_knopf->setToolTip(QStringLiteral("Abspielen / Pause (Leertaste)"));
    m_zeit->setToolTip(QStringLiteral("Zeit (Pfeiltasten: 5 Sekunden zurück / vor)"));

    auto* leiste = new QHBoxLayout;
    leiste->setContentsMargins(4, 2, 4, 2);
    leiste->addWidget(m_knopf);
    leiste->addWidget(m_zeit, 1);
    leiste->addWidget(m_zeitText);
    leiste->addWidget(m_tonText);
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    haupt->addWidget(m_flaeche, 1);
    haupt->addLayout(leiste);

    connect(m_knopf, &QToolButton::clicked, m_spieler, &TVideoSpieler::Umschalten);
    connect(m_flaeche, &TVideoFlaeche::doppelklick, this, &TVideoFenster::VollbildUmschalten);
    connect(m_zeit, &QSlider::sliderMoved, m_spieler, [this](int ms) { m_spieler->setPosition(ms); });
    connect(m_spieler, &TVideoSpieler::positionGeaendert, this, &TVideoFenster::ZeitAnzeigen);
    connect(m_spieler, &TVideoSpieler::zustandGeaendert, this, &TVideoFenster::ZeitAnzeigen);
    ZeitAnzeigen();
}

bool TVideoFenster::Oeffnen(const QString& pfad) {
    setWindowTitle(pfad);
    const bool ok = m_spieler->Oeffnen(pfad);
    ZeitAnzeigen();
    return ok;
}

void TVideoFenster::ZeitAnzeigen() {
    const qint64 dauer = m_spieler->Dauer(), position = m_spieler->Position();
    if (!m_zeit->isSliderDown()) {
        m_zeit->setRange(0, int(qMin<qint64>(dauer, INT_MAX)));
        m_zeit->setValue(int(qMin<qint64>(position, INT_MAX)));
    }
    m_zeitText->setText(VideoZeitText(position) + QStringLiteral(" / ") + VideoZeitText(dauer));
    m_tonText->setText(m_spieler->Stumm() ? QStringLiteral("Ton aus") : QString());
    m_knopf->setIcon(
        style()->standardIcon(m_spieler->Spielt() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void TVideoFenster::VollbildUmschalten() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void TVideoFenster::keyPressEvent(QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return QWidget::keyPressEvent(e);
    switch (e->key()) {
    case Qt::Key_Space:
        m_spieler->Umschalten();
        break;
    case Qt::Key_Left:
        m_spieler->Springen(-kSprungMs);
        break;
    case Qt::Key_Right:
        m_spieler->Springen(kSprungMs);
        break;
    case Qt::Key_F:
        VollbildUmschalten();
        break;
    case Qt::Key_M:
        m_spieler->setStumm(!m_spieler->Stumm());
        ZeitAnzeigen();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        return QWidget::keyPressEvent(e);
    }
    e->accept();
}

void TVideoFenster::closeEvent(QCloseEvent* e) {
    // Stopped at once: the sound must not run on while the window goes.
    m_spieler->Schliessen();
    QWidget::closeEvent(e);
    emit geschlossen();
}
