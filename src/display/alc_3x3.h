#pragma once
// "3x3": one picture as nine tiles of 212 x 160 pixels, shown one at a time, forward
// or backward, at a speed set by the track bar.
#include <QDialog>
#include <QImage>

class QCheckBox;
class QSlider;
class QTimer;

// The tile n (1 to 9) of a picture: columns at x 0, 215, 432, rows at y 0, 161, 321.
QRect Kachel(int n);
// The tile after n, forward (9 back to 1) or backward (1 back to 9).
int NaechsteKachel(int n, bool vorwaerts);

class Tam_3x3 : public QDialog {
    Q_OBJECT
public:
    explicit Tam_3x3(QWidget* parent = nullptr);

    QWidget* im_K;
    QSlider* TrackBar1;
    QCheckBox* cx_Vorwaerts;
    QTimer* ti;
    int KachelNummer = 1;

    // Loads the picture and shows the window modally.
    void Zeigen(const QString& datei);
    // A timer tick or a click on the picture: the next tile.
    void im_GClick();
    void TrackBar1Change();
    // What the picture control shows now.
    const QImage& Anzeige() const { return m_anzeige; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Draws tile `n` into the picture control.
    void KachelZeigen(int n);
    QImage m_geladen; // the picture as loaded
    QImage m_arbeit;  // the working bitmap of this opening
    QImage m_anzeige; // the picture control's content
};
