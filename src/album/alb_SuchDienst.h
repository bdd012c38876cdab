#pragma once
// The search as a window uses it: the album is checked in a thread of its own (on a
// network drive each caption file and picture costs a round trip). A search waits a
// moment for its checked hits; when they take longer it gives the hits of the index in
// memory at once, and Nachgeprueft brings the checked ones when they have come.
#include "album/alb_Suche.h"
#include "sys/zpt_Hintergrund.h"

#include <QObject>
#include <atomic>
#include <memory>

class TSuchDienst : public QObject {
    Q_OBJECT
public:
    TSuchDienst(const QString& grundpfad, const QString& cacheDatei, bool nurZahlJahre = true);
    ~TSuchDienst() override;

    // How long a search waits for its checked hits.
    static constexpr int kFristMs = 20;

    // The hits; `geprueft` tells whether the album was checked for them.
    QList<TSuchTreffer> Suchen(const QString& text, int hoechstens, int fristMs = kFristMs,
                               bool* geprueft = nullptr);
    // As the index has them (see TSuchIndex).
    void AllesPruefen();
    void AllesNeuLesen();
    void TagGeaendert(const QString& tagOrdner);
    int Unlesbar() const { return m_speicher.Unlesbar(); }
    // Waits until the checks have ended and their reports are delivered (tests).
    void Warten();

signals:
    // The checked hits of a search that had to do without them.
    void Nachgeprueft(const QString& text, const QList<TSuchTreffer>& treffer);

private:
    struct Ergebnis;
    void Eingetroffen(const std::shared_ptr<Ergebnis>& e);
    std::shared_ptr<TSuchIndex> m_pruefer; // used in the background thread only
    TSuchIndex m_speicher;                 // what the GUI searches in at once
    std::shared_ptr<std::atomic<int>> m_neueste = std::make_shared<std::atomic<int>>(0);
    THintergrund m_hintergrund;
};
