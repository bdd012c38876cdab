#pragma once
// Small stills of videos for the list of a day's other files: the frame after one second,
// made in a thread of its own and kept in the user's cache folder, so that each video is
// decoded once.
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <atomic>

class QThread;

// Width of a still in pixels.
constexpr int kStandbildBreite = 160;

// Where the still of the video at `pfad` is kept: named by path, size and times of change,
// so that a changed or replaced video gets a new one. Empty when the file is gone.
QString StandbildDatei(const QString& pfad);

class TStandbilder : public QObject {
    Q_OBJECT
public:
    explicit TStandbilder(QObject* parent = nullptr);
    ~TStandbilder() override;

    // Asks for the stills of these videos; those still waiting from an earlier call are
    // dropped (the user moved on to another day). Each arrives through `fertig`.
    void Anfordern(const QStringList& pfade);
    // How many stills were decoded from videos (not taken from the cache) so far.
    int Erzeugt() const { return m_erzeugt; }

signals:
    // The still of the video; null when the video cannot be decoded.
    void fertig(const QString& pfad, const QImage& bild);

private:
    // In the worker thread: the next waiting video.
    void Weiter();
    QImage Machen(const QString& pfad);

    QThread* m_thread;
    QObject* m_arbeiter; // lives in m_thread
    QMutex m_mutex;
    QStringList m_warteschlange;
    QSet<QString> m_unlesbar; // videos that gave no still this session (worker thread only)
    std::atomic<int> m_erzeugt{0};
};
