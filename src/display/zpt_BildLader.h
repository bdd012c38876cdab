#pragma once
// Pictures decoded ahead of time: a pool of workers decodes the pictures the user will
// likely want next into a cache bounded in bytes (least recently used out first),
// keyed by path, size and modification time, so an edited or rotated file is decoded
// anew. What is asked for and not there yet is decoded at once, in the caller's thread.
#include "display/zpt_grafik.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThreadPool>
#include <QWaitCondition>
#include <functional>
#include <list>

class TBildLader {
public:
    TBildLader();
    ~TBildLader();
    // The program's one loader.
    static TBildLader& Instanz();

    // The picture, at least as large as `ziel` asks for; false when it cannot be read.
    bool Holen(const QString& pfad, const ZielGroesse& ziel, DekodiertesBild& bild);
    enum class Stand { Da, Unlesbar, Laeuft };
    // As Holen, read in a thread of its own and waited for until `frist` (a network drive
    // may hang): Laeuft when it is still being read; `fertig` is then called, on that
    // thread, when it is done.
    Stand HolenBis(const QString& pfad, const ZielGroesse& ziel, DekodiertesBild& bild,
                   const QDeadlineTimer& frist, std::function<void()> fertig);
    // Decodes these in the background, in this order; requests of earlier calls that
    // have not started yet are dropped.
    void Vorladen(const QStringList& pfade, const ZielGroesse& ziel);
    // True when the picture lies in the cache large enough (for tests and benchmarks).
    bool Vorhanden(const QString& pfad, const ZielGroesse& ziel);
    // Waits until the background work has ended.
    void Warten();
    void Leeren();

    qint64 Grenze = qint64(192) << 20;
    qint64 Belegt() const;

private:
    struct Eintrag {
        QString pfad;
        qint64 groesse = 0;
        QDateTime geaendert;
        DekodiertesBild bild;
    };
    // Under the lock: the entry when it is there and large enough.
    bool Suchen(const QString& pfad, qint64 groesse, const QDateTime& geaendert, const ZielGroesse& ziel,
                DekodiertesBild* bild);
    void Ablegen(Eintrag eintrag);
    bool Dekodieren(const QString& pfad, const ZielGroesse& ziel, DekodiertesBild& bild, bool warten);

    mutable QMutex m_sperre;
    QWaitCondition m_fertig;
    std::list<Eintrag> m_eintraege; // most recently used first
    qint64 m_belegt = 0;
    QSet<QString> m_inArbeit;
    quint64 m_generation = 0;
    QThreadPool m_pool;
    QThreadPool m_anfragen; // the picture asked for now, never behind those read ahead
};
