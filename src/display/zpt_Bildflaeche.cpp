#include "display/zpt_Bildflaeche.h"

#include "display/zpt_grafik.h"
#include <QMouseEvent>
#include <QPainter>

TBildflaeche::TBildflaeche(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TBildflaeche::setBild(const QImage& bild, const QImage& angepasst) {
    m_bild = bild;
    m_angepasst = angepasst;
    m_pixmap = QPixmap();
}

void TBildflaeche::Leeren() {
    m_bild = QImage();
    m_angepasst = QImage();
    m_pixmap = QPixmap();
    update();
}

void TBildflaeche::Zentriert(const QRect& bereich) {
    m_gestreckt = false;
    setGeometry(bereich);
    PixmapVorbereiten();
}

void TBildflaeche::Gestreckt(const QRect& rechteck) {
    m_gestreckt = true;
    setGeometry(rechteck);
    PixmapVorbereiten();
}

// Scaling happens once per placement, not on every paint, and to device pixels:
// on a scaled display a fitted picture is as sharp as the screen, and natural size
// is one picture pixel per screen pixel.
void TBildflaeche::PixmapVorbereiten() {
    const qreal dpr = devicePixelRatioF();
    if (m_bild.isNull()) {
        m_pixmap = QPixmap();
    } else if (m_gestreckt) {
        const QSize ziel = (QSizeF(size()) * dpr).toSize();
        if (ziel.width() <= 0 || ziel.height() <= 0)
            m_pixmap = QPixmap();
        else if (m_pixmapVon == m_bild.cacheKey() && m_pixmap.size() == ziel)
            ; // placed again at the same size: the scaled picture is there already
        else if (m_bild.size() == ziel)
            m_pixmap = QPixmap::fromImage(m_bild);
        else if (m_angepasst.size() == ziel)
            m_pixmap = QPixmap::fromImage(m_angepasst);
        else
            m_pixmap =
                QPixmap::fromImage(m_bild.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else if (m_pixmap.isNull() || m_pixmap.size() != m_bild.size() || m_pixmap.devicePixelRatio() != dpr) {
        m_pixmap = QPixmap::fromImage(m_bild);
    }
    if (!m_pixmap.isNull()) m_pixmap.setDevicePixelRatio(dpr);
    m_pixmapVon = m_bild.cacheKey();
    update();
}

QRect TBildflaeche::BildRechteck() const {
    if (m_pixmap.isNull()) return {};
    if (m_gestreckt) return rect();
    const QSize logisch = m_pixmap.deviceIndependentSize().toSize();
    return QRect(QPoint((width() - logisch.width()) / 2, (height() - logisch.height()) / 2), logisch);
}

void TBildflaeche::paintEvent(QPaintEvent*) {
    if (m_pixmap.isNull()) return;
    QPainter p(this);
    p.drawPixmap(BildRechteck().topLeft(), m_pixmap);
}

void TBildflaeche::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    // The control spans the free area; only a click on the picture itself counts.
    if (e->button() == Qt::LeftButton && BildRechteck().contains(e->position().toPoint())) emit geklickt();
}
