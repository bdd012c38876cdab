#include "display/zpt_Bildflaeche.h"

#include "display/zpt_grafik.h"
#include <QMouseEvent>
#include <QPainter>

TBildflaeche::TBildflaeche(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TBildflaeche::setBild(const QImage& bild) {
    m_bild = bild;
    m_pixmap = QPixmap();
}

void TBildflaeche::Leeren() {
    m_bild = QImage();
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

// Scaling happens once per placement, not on every paint.
void TBildflaeche::PixmapVorbereiten() {
    if (m_bild.isNull()) {
        m_pixmap = QPixmap();
    } else if (m_gestreckt) {
        if (width() <= 0 || height() <= 0)
            m_pixmap = QPixmap();
        else if (m_bild.size() == size())
            m_pixmap = QPixmap::fromImage(m_bild);
        else
            m_pixmap =
                QPixmap::fromImage(m_bild.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else if (m_pixmap.isNull() || m_pixmap.size() != m_bild.size()) {
        m_pixmap = QPixmap::fromImage(m_bild);
    }
    update();
}

void TBildflaeche::paintEvent(QPaintEvent*) {
    if (m_pixmap.isNull()) return;
    QPainter p(this);
    if (m_gestreckt) {
        p.drawPixmap(0, 0, m_pixmap);
    } else {
        p.drawPixmap((width() - m_pixmap.width()) / 2, (height() - m_pixmap.height()) / 2, m_pixmap);
    }
}

void TBildflaeche::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    if (e->button() == Qt::LeftButton) emit geklickt();
}
