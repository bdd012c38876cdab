#pragma once
// "10 Bilder": up to ten pictures of the day from the current one, shown one after the
// other in a loop, each copied 1:1 without scaling.
#include "widgets/alb_Form.h"

#include <QImage>
#include <QVector>

class QSlider;
class QTimer;

// How many pictures the view takes from `start` of a list of `anzahl`: at most ten, and
// none when there is no current picture (never reading outside the list).
int ZehnBilderAnzahl(int anzahl, int start);

class Tam_10Bilder : public Tak_Form {
    Q_OBJECT
public:
    explicit Tam_10Bilder(QWidget* parent = nullptr);

    QWidget* pb;
    QWidget* Panel1;
    QSlider* TrackBar1;
    QTimer* Timer;
    int Anzahl = 0;
    int Aktuell = 0;
    // The files loaded, for tests.
    QStringList Geladen;

    void Zeigen(const QString& ordner, const QStringList& dateien, int start);
    void TrackBar1Change();
    void TimerTimer();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QVector<QImage> m_bilder;
    int m_gezeigt = -1;
};

Tam_10Bilder& ZehnBilderFenster();
