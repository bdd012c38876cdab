#include "display/alc_3x3.h"

#include "display/zpt_grafik.h"
#include "sys/zpt_Interaktion.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kBreite = 212;
constexpr int kHoehe = 160;
} // namespace

QRect Kachel(int n) {
    static const int x[3] = {0, 215, 432};
    static const int y[3] = {0, 161, 321};
    const int i = qBound(1, n, 9) - 1;
    return QRect(x[i % 3], y[i / 3], kBreite, kHoehe);
}

int NaechsteKachel(int n, bool vorwaerts) {
    if (vorwaerts) return n >= 9 ? 1 : n + 1;
    return n <= 1 ? 9 : n - 1;
}

Tam_3x3::Tam_3x3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tam_3x3"));
    resize(246, 286);
    auto* spalte = new QVBoxLayout(this);
    im_K = new QWidget(this);
    im_K->setObjectName(QStringLiteral("im_K"));
    im_K->setFixedSize(238, 185);
    im_K->installEventFilter(this);
    m_anzeige = QImage(238, 185, QImage::Format_RGB32);
    m_anzeige.fill(palette().color(QPalette::Window));
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 20);
    TrackBar1->setValue(2);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    cx_Vorwaerts = new QCheckBox(QStringLiteral("Vorwärts"), this);
    cx_Vorwaerts->setObjectName(QStringLiteral("cx_Vorwaerts"));
    cx_Vorwaerts->setChecked(true);
    spalte->addWidget(im_K);
    spalte->addWidget(TrackBar1);
    spalte->addWidget(cx_Vorwaerts);
    ti = new QTimer(this);
    ti->setObjectName(QStringLiteral("ti"));
    ti->setInterval(100);
    connect(ti, &QTimer::timeout, this, &Tam_3x3::im_GClick);
    connect(TrackBar1, &QSlider::valueChanged, this, &Tam_3x3::TrackBar1Change);
    auto* schliessen = new QAction(this);
    schliessen->setObjectName(QStringLiteral("ax_Close"));
    schliessen->setShortcut(Qt::Key_Escape);
    connect(schliessen, &QAction::triggered, this, &QDialog::reject);
    addAction(schliessen);
}

void Tam_3x3::Zeigen(const QString& datei) {
    DekodiertesBild bild;
    // The tiles cover the top-left 644 x 481 pixels: nothing beyond them is decoded.
    const QSize kacheln(Kachel(9).right() + 1, Kachel(9).bottom() + 1);
    m_geladen = BildTeilLaden(datei, kacheln, bild) ? bild.bild : QImage();
    // The working bitmap and the first tile, as every opening starts.
    m_arbeit = m_geladen;
    // Opens on the first tile of this picture, never on what the last opening left.
    KachelZeigen(1);
    if (ti->interval() > 0) ti->start();
    interaktion().ModalZeigen(*this);
    ti->stop();
    // A picture of many megapixels is not kept for the next opening.
    m_geladen = QImage();
    m_arbeit = QImage();
}

void Tam_3x3::im_GClick() {
    KachelZeigen(NaechsteKachel(KachelNummer, cx_Vorwaerts->isChecked()));
}

void Tam_3x3::KachelZeigen(int n) {
    KachelNummer = n;
    QPainter p(&m_anzeige);
    // The area is cleared first: where a small picture has no pixels, the tile stays empty.
    p.fillRect(QRect(0, 0, kBreite, kHoehe), palette().color(QPalette::Window));
    if (!m_arbeit.isNull()) p.drawImage(QPoint(0, 0), m_arbeit, Kachel(KachelNummer));
    p.end();
    setWindowTitle(QStringLiteral("Bild ") + QString::number(KachelNummer));
    im_K->update();
}

void Tam_3x3::TrackBar1Change() {
    // 0 stops the animation; clicks on the picture still step it.
    ti->setInterval(TrackBar1->value() * 50);
    if (ti->interval() == 0)
        ti->stop();
    else if (isVisible())
        ti->start();
}

bool Tam_3x3::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !m_geladen.isNull()) {
        m_arbeit = m_geladen;
        KachelZeigen(1);
    }
    return QDialog::event(e);
}

bool Tam_3x3::eventFilter(QObject* o, QEvent* e) {
    if (o == im_K && e->type() == QEvent::Paint) {
        QPainter p(im_K);
        p.drawImage(QPoint(0, 0), m_anzeige);
        return true;
    }
    if (o == im_K && e->type() == QEvent::MouseButtonPress) {
        im_GClick();
        return true;
    }
    return QDialog::eventFilter(o, e);
}
