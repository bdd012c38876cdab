#pragma once
// The picture control of a photo panel: paints one decoded picture either at natural
// size centred in its area, or scaled into the rectangle it was given.
#include <QImage>
#include <QPixmap>
#include <QWidget>

class TBildflaeche : public QWidget {
    Q_OBJECT
public:
    explicit TBildflaeche(QWidget* parent = nullptr);

    // `angepasst`: the picture already scaled to some placement's pixels (may be null).
    void setBild(const QImage& bild, const QImage& angepasst = {});
    void Leeren();
    bool Leer() const { return m_bild.isNull(); }
    const QImage& Bild() const { return m_bild; }
    // What is painted, in device pixels.
    const QPixmap& Pixmap() const { return m_pixmap; }

    // Natural size, centred in `bereich` (cut at its edges when larger).
    void Zentriert(const QRect& bereich);
    // Scaled to fill exactly `rechteck`.
    void Gestreckt(const QRect& rechteck);
    bool IstGestreckt() const { return m_gestreckt; }
    // Where the picture is painted, in the control's coordinates.
    QRect BildRechteck() const;

signals:
    void geklickt();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void PixmapVorbereiten();
    QImage m_bild;
    QImage m_angepasst;
    QPixmap m_pixmap;       // ready to paint at the control's size
    qint64 m_pixmapVon = 0; // cache key of the picture m_pixmap was made from
    bool m_gestreckt = false;
};
