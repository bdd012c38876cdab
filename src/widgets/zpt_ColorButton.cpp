#include "widgets/zpt_ColorButton.h"

#include "sys/zpt_Farbe.h"
#include "sys/zpt_Interaktion.h"

#include <QPainter>

TzptColorButton::TzptColorButton(QWidget* parent) : QPushButton(parent) {
    resize(80, 25);
    m_farbe = palette().color(QPalette::Button);
    for (QColor& c : UserColor)
        c = Qt::white;
    // Connected after construction, so the owner's own click handlers run first.
    connect(this, &QPushButton::clicked, this, &TzptColorButton::DialogAusfuehren, Qt::QueuedConnection);
}

void TzptColorButton::setColor(const QColor& farbe) {
    if (farbe == m_farbe) return;
    m_farbe = farbe;
    update();
}

QStringList TzptColorButton::EigeneFarben() const {
    return EigeneFarbenText(UserColor);
}

void TzptColorButton::DialogAusfuehren() {
    if (OnBeforeDialog) OnBeforeDialog(this);
    QColor farbe = m_farbe;
    if (interaktion().FarbeWaehlen(farbe, EigeneFarben())) {
        setColor(farbe);
        if (OnColorChanged) OnColorChanged(this);
    }
    if (OnAfterDialog) OnAfterDialog(this);
}

void TzptColorButton::paintEvent(QPaintEvent* e) {
    QPushButton::paintEvent(e);
    // The face: the colour 4 pixels in, the caption centred on a box of the colour in
    // a colour that reads on it.
    QPainter p(this);
    const QRect r = rect().adjusted(2, 2, -2, -2);
    p.fillRect(r.adjusted(2, 2, -2, -2), m_farbe);
    const QFontMetrics fm(font());
    const int tw = fm.horizontalAdvance(text()) + 4, th = fm.height() + 4;
    const QRect box(r.left() + (r.width() - tw) / 2, r.top() + (r.height() - th) / 2, tw, th);
    p.setClipRect(box);
    p.fillRect(box, m_farbe);
    p.setPen(KontrastFarbe(m_farbe));
    p.drawText(box.left() + 2, box.top() + 2 + fm.ascent(), text());
}
