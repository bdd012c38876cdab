#include "display/zpt_Musterbild.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

QImage Musterbild(int breite, int hoehe, quint32 saat) {
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    QRandomGenerator zufall(saat);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor himmel = QColor::fromHsv(int(190 + zufall.bounded(40)), 120 + int(zufall.bounded(80)), 230);
    QLinearGradient verlauf(0, 0, 0, hoehe);
    verlauf.setColorAt(0, himmel.darker(130));
    verlauf.setColorAt(0.6, himmel.lighter(120));
    verlauf.setColorAt(1, QColor(60, 90, 40));
    p.fillRect(bild.rect(), verlauf);
    // Hills
    for (int h = 0; h < 3; ++h) {
        QPainterPath huegel;
        const double basis = hoehe * (0.55 + 0.12 * h);
        huegel.moveTo(0, hoehe);
        huegel.lineTo(0, basis);
        for (int x = 0; x <= breite; x += qMax(1, breite / 12))
            huegel.lineTo(x, basis - zufall.bounded(hoehe / 8 + 1));
        huegel.lineTo(breite, hoehe);
        p.fillPath(huegel, QColor::fromHsv(int(80 + zufall.bounded(60)), 140, 150 - 30 * h));
    }
    // Shapes
    const int n = 12 + int(zufall.bounded(12));
    for (int i = 0; i < n; ++i) {
        p.setBrush(QColor::fromHsv(int(zufall.bounded(360)), 150 + int(zufall.bounded(100)),
                                   120 + int(zufall.bounded(130))));
        p.setPen(Qt::NoPen);
        const int r = qMax(2, int(zufall.bounded(qMax(1, qMin(breite, hoehe) / 6))));
        p.drawEllipse(QPoint(int(zufall.bounded(breite)), int(zufall.bounded(hoehe))), r, r);
    }
    p.end();
    // Grain, as a sensor leaves it.
    for (int y = 0; y < hoehe; ++y) {
        auto* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
        for (int x = 0; x < breite; ++x) {
            const int d = int(zufall.bounded(17)) - 8;
            const QRgb c = zeile[x];
            zeile[x] = qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255),
                            qBound(0, qBlue(c) + d, 255));
        }
    }
    return bild;
}
