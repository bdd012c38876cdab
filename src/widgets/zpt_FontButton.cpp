#include "widgets/zpt_FontButton.h"

#include "sys/zpt_Interaktion.h"

TzptFontButton::TzptFontButton(QWidget* parent) : QPushButton(parent) {
    resize(80, 25);
    connect(this, &QPushButton::clicked, this, &TzptFontButton::DialogAusfuehren, Qt::QueuedConnection);
}

void TzptFontButton::DialogAusfuehren() {
    QFont schrift = font();
    if (!interaktion().SchriftWaehlen(schrift)) return;
    setFont(schrift);
    if (OnFontChanged) OnFontChanged(this);
}
