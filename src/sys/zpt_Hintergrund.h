#pragma once
// A thread of its own for file-system calls that may hang on a network drive: jobs run
// one after the other, off the GUI thread. When the owner goes, jobs not yet started are
// dropped and the thread is left to end by itself (a call may block for a long time).
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class THintergrund {
public:
    THintergrund();
    ~THintergrund();
    THintergrund(const THintergrund&) = delete;
    THintergrund& operator=(const THintergrund&) = delete;

    // Appends a job.
    void Auftrag(std::function<void()> job);
    // Drops the jobs not started yet, then appends this one.
    void Ersetzen(std::function<void()> job);
    // Waits until no job is queued or running (tests, benchmarks).
    void Warten();

private:
    struct Zustand;
    std::shared_ptr<Zustand> m_zustand;
};

// Reads with `lesen` as the worker's next job (jobs not started yet are dropped) and waits
// for it until `frist`: true with the result in `ergebnis` when it came in time. Otherwise
// false, and `spaeter` (when given) gets the result on the GUI thread once it has come, unless
// `kontext` is gone by then.
template <class T>
bool LesenBis(THintergrund& h, std::function<T()> lesen, const QDeadlineTimer& frist, QObject* kontext,
              std::function<void(T)> spaeter, T& ergebnis) {
    struct Anfrage {
        std::mutex sperre;
        std::condition_variable ende;
        bool fertig = false, verspaetet = false;
        T wert{};
    };
    auto a = std::make_shared<Anfrage>();
    h.Ersetzen([a, lesen = std::move(lesen), ich = QPointer<QObject>(kontext), spaeter = std::move(spaeter)] {
        T wert = lesen();
        std::unique_lock<std::mutex> l(a->sperre);
        a->fertig = true;
        if (!a->verspaetet) {
            a->wert = std::move(wert);
            a->ende.notify_all();
            return;
        }
        l.unlock();
        if (!spaeter) return;
        // The QPointer is looked at on the GUI thread only.
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app,
                [ich, spaeter, wert = std::move(wert)] {
                    if (ich) spaeter(wert);
                },
                Qt::QueuedConnection);
    });
    std::unique_lock<std::mutex> l(a->sperre);
    if (!a->ende.wait_for(l, frist.remainingTimeAsDuration(), [&] { return a->fertig; })) {
        a->verspaetet = true;
        return false;
    }
    ergebnis = std::move(a->wert);
    return true;
}
