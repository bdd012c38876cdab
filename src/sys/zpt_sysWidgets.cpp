#include "sys/zpt_sysWidgets.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

void Zentrieren(QWidget* fenster) {
    if (!fenster) return;
    QScreen* bildschirm = fenster->screen() ? fenster->screen() : QGuiApplication::primaryScreen();
    if (!bildschirm) return;
    const QRect flaeche = bildschirm->geometry();
    fenster->move(flaeche.left() + (flaeche.width() - fenster->width()) / 2,
                  flaeche.top() + (flaeche.height() - fenster->height()) / 2);
}

void BisRechtsDehnen(QWidget* control, int rand) {
    if (!control || !control->parentWidget()) return;
    control->resize(control->parentWidget()->contentsRect().width() - control->x() - rand, control->height());
}
