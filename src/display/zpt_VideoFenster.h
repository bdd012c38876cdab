#pragma once
// The program's own player window for a video of the day: the picture fitted like a
// photo, a time bar below it. Space plays and pauses, Left and Right move 5 s, F or a
// double click switches full screen, M the sound, Esc closes.
#include <QColor>
#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;
class TVideoSpieler;

// Paints the newest frame of a player, fitted into the widget as photos are.
class TVideoFlaeche : public QWidget {
    Q_OBJECT
public:
    explicit TVideoFlaeche(TVideoSpieler* spieler, QWidget* parent = nullptr);
    // Where the frame goes (empty before the first one).
    QRect BildRechteck() const;
    void setHintergrund(const QColor& farbe) { m_hintergrund = farbe; }

signals:
    void doppelklick();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    TVideoSpieler* m_spieler;
    QColor m_hintergrund = Qt::black;
};

class TVideoFenster : public QWidget {
    Q_OBJECT
public:
    explicit TVideoFenster(QWidget* parent = nullptr);

    // Opens the video; false (Spieler()->Fehler() says why) when it cannot be played.
    bool Oeffnen(const QString& pfad);
    TVideoSpieler* Spieler() const { return m_spieler; }
    TVideoFlaeche* Flaeche() const { return m_flaeche; }
    QSlider* Zeitleiste() const { return m_zeit; }
    void VollbildUmschalten();

signals:
    // The user closed the window (Esc or the window's frame).
    void geschlossen();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ZeitAnzeigen();

    TVideoSpieler* m_spieler;
    TVideoFlaeche* m_flaeche;
    QToolButton* m_knopf;
    QSlider* m_zeit;
    QLabel* m_zeitText;
    QLabel* m_tonText;
};

// "1:05" for 65 s; "1:02:03" from an hour on.
QString VideoZeitText(qint64 ms);
