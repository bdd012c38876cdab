#pragma once
// Plays one video through Qt Multimedia and keeps its newest frame as a picture, for a
// widget to paint fitted like a photo. Opening waits a bounded time for the back end:
// a file it cannot play ends in a message, never in a hang.
#include <QImage>
#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QVideoFrame;
class QVideoSink;

// Chooses the FFmpeg back end of Qt Multimedia unless the user chose one; must run
// before the application object is made.
void VideoBackendWaehlen();

class TVideoSpieler : public QObject {
    Q_OBJECT
public:
    // Without sound the audio is not even decoded (the stills of the list).
    explicit TVideoSpieler(QObject* parent = nullptr, bool mitTon = true);
    ~TVideoSpieler() override;

    // Opens the file and waits at most `wartenMs` for the back end to load it. False
    // (and Fehler() says why) when it cannot be played; false with no reason when it was
    // closed or another file opened while this one loaded.
    bool Oeffnen(const QString& pfad, int wartenMs = 5000);
    void Schliessen();
    QString Datei() const { return m_datei; }
    QString Fehler() const { return m_fehler; }

    void Abspielen();
    void Anhalten();
    // Pauses a playing video, plays a paused or ended one.
    void Umschalten();
    bool Spielt() const;
    // Moves by `ms` (negative: back), kept within the video.
    void Springen(qint64 ms);
    void setPosition(qint64 ms);
    qint64 Position() const;
    qint64 Dauer() const;
    bool Stumm() const { return m_stumm; }
    void setStumm(bool an);

    // The newest frame (null before the first one) and its count since opening.
    const QImage& Bild() const;
    // The newest frame as the back end delivered it.
    QVideoFrame Frame() const;
    int BildNummer() const { return m_bildNummer; }
    QMediaPlayer* Player() const { return m_player; }
    QVideoSink* Senke() const { return m_senke; }

signals:
    void bildNeu();
    void positionGeaendert(qint64 ms);
    void zustandGeaendert();
    // The video ended (played to its end).
    void beendet();
    // The back end gave up while playing; Fehler() says why.
    void fehlgeschlagen();
    // Schliessen was called (it also ends the wait of an Oeffnen under way).
    void geschlossen();

private:
    void FrameAngekommen(const QVideoFrame& frame);

    QMediaPlayer* m_player;
    QAudioOutput* m_ton;
    QVideoSink* m_senke;
    QString m_datei, m_fehler;
    QVideoFrame* m_frame;
    mutable QImage m_bild; // m_frame converted, when asked for
    int m_bildNummer = 0;
    int m_oeffnung = 0; // counts the calls of Schliessen
    bool m_stumm = false;
};

// The frame reduced to `breite` pixels wide (its sides kept), read straight from the
// decoder's planes where they are YUV: a 4K frame is never converted whole for a still.
QImage VerkleinertesBild(const QVideoFrame& frame, int breite);

// The German message for a video that cannot be played, naming the file.
QString VideoFehlerText(const QString& pfad, const QString& grund);
