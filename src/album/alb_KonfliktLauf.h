#pragma once
// Merges the conflict copies of day folders in the background, one day after the other,
// so that opening or paging through a day never waits for it. Each day's outcome comes
// back to the owner's thread as a queued signal.
#include "album/alb_KonfliktAuswahl.h"

#include <QMutex>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <functional>

// What one run on a day did and what it left for the user.
struct TTagAbgleich {
    QString ordner;
    int uebernommen = 0;   // entries taken over from conflict copies without a question
    int kopien = 0;        // caption conflict copies the day had
    int geloest = 0;       // entries and pictures the user decided on (a run after the window)
    TTagKonflikte offen;   // what still waits for the user
    QStringList fehler;    // what could not be done
    bool nachWahl = false; // the run carried out the user's choices
};

// The line the day shows about it ("2 Bildunterschriften aus einer Konfliktkopie
// übernommen"); empty when there is nothing to say.
QString AbgleichMeldung(const TTagAbgleich& ergebnis);

class TKonfliktLauf : public QObject {
    Q_OBJECT
public:
    explicit TKonfliktLauf(QObject* parent = nullptr);
    ~TKonfliktLauf() override;

    // Merges what merges by itself and finds what is left. `vorrang`: the day the user
    // looks at goes before the days queued at the start.
    void Pruefen(const QString& ordner, bool vorrang);
    // Carries out the user's choices of the conflict window, then looks at the day again.
    void Loesen(const QString& ordner, const QHash<QString, TWahl>& wahlen,
                const QVector<std::pair<TBildKonflikt, TBildWahl>>& bilder);
    // Waits until every queued day is done (the program's end, tests).
    void Warten();

    // Test seam: runs on the worker before each day (set before the first day is queued).
    static inline std::function<void()> VorArbeit;

signals:
    void Fertig(const TTagAbgleich& ergebnis);

private:
    void Melden(TTagAbgleich ergebnis);

    QThreadPool m_pool;
    QMutex m_sperre;
    QSet<QString> m_wartend; // queued and not yet started
};

// The work itself, in the caller's thread.
TTagAbgleich TagAbgleichen(const QString& ordner);
