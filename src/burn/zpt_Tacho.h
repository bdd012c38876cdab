#pragma once
// Progress of a long job in the window thread: a small window with the count and
// percentage, the remaining time, a bar and an "Abbruch" button. One window serves
// the whole program; nested jobs share it. Pending events run at every step, and the
// job polls Aborted().
#include <QObject>
#include <QString>
#include <functional>

enum TzptTachoOption : int {
    doCancel = 1,
    doLabel = 2,
    doModal = 4,
    doSmooth = 8,
    doAutomatic = 16,
    doZeit = 32,
};

class QDialog;

class TzptTacho : public QObject {
    Q_OBJECT
public:
    explicit TzptTacho(QObject* besitzer = nullptr);
    ~TzptTacho() override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& text);
    int Options() const { return m_optionen; }
    // Only while inactive.
    void setOptions(int optionen);
    int Interval() const { return m_intervall; }
    void setInterval(int ms);
    int Max() const { return m_max; }
    void setMax(int max);
    int Position() const { return m_position; }
    void setPosition(int position);
    QString FormCaption() const { return m_formCaption; }
    void setFormCaption(const QString& titel);

    bool Active() const { return m_aktiv; }
    void setActive(bool an);
    // True once the user confirmed the abort.
    bool Aborted() const { return m_abgebrochen; }

    void Start(const QString& formCaption, int max);
    void Step() { StepBy(1); }
    void StepBy(int n);
    // Ends the progress; with `melden` the elapsed time is reported first.
    void Stop(bool melden);

    // The clock, replaceable for tests (milliseconds).
    std::function<qint64()> Jetzt;

    // The one progress window while any progress is active, and how many are nested
    // (-1: no window, 0: one progress).
    static QDialog* Fenster();
    static int Verschachtelung();
    // What the "Abbruch" button does: asks, and on Ja sets Aborted.
    void AbbruchFragen();

private:
    void FensterBauen();
    void FensterEntfernen();
    QString m_caption;
    int m_optionen = doCancel | doLabel | doModal | doSmooth | doZeit;
    int m_intervall = 1000;
    int m_max = 100;
    int m_position = 0;
    QString m_formCaption;
    bool m_aktiv = false;
    bool m_abgebrochen = false;
    qint64 m_start = 0;
    qint64 m_letzteAnzeige = 0;
};
