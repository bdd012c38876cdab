#pragma once
// The titles of day folders as the program last saw them. A list of days is labelled at
// once from what is read within a short time and what is known; the rest is read off the
// GUI thread and reported as it comes (on a network drive each file costs a round trip).
#include "sys/zpt_Hintergrund.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QStringList>

#include <memory>

class TTagTitel : public QObject {
    Q_OBJECT
public:
    explicit TTagTitel(QObject* parent = nullptr);
    ~TTagTitel() override;
    // The program's one store.
    static TTagTitel& Instanz();

    // How long one list may read titles on the GUI thread.
    static constexpr int kFristMs = 25;

    // The title of a day folder (as TagOrdner forms it): read now while `frist` lasts, else
    // the known one (empty when none) with the folder added to `offen`, to be read later.
    // `bekanntGenuegt`: a known title is taken as it is and read again later too.
    QString Titel(const QString& ordner, const QDeadlineTimer& frist, QStringList& offen,
                  bool bekanntGenuegt = false);
    bool Bekannt(const QString& ordner, QString* titel = nullptr) const;
    // What the program wrote or read itself.
    void Merken(const QString& ordner, const QString& titel);
    // Takes the titles of days not known yet from the album's search cache file (once an album).
    void AusSuchCache(const QString& grundpfad);
    // Reads these folders' titles in the background, before those queued earlier;
    // Geaendert for each one that differs from the title known.
    void Nachlesen(const QStringList& ordner);
    // Waits until the background reading has ended and its reports are delivered.
    void Warten();

signals:
    void Geaendert(const QString& ordner, const QString& titel);

private:
    void Eingetroffen(const QString& ordner, const QString& titel);
    QHash<QString, QString> m_titel;
    // When a folder was last asked for and last told by the program (one running count):
    // a reading asked for before the program's own title is older than it.
    QHash<QString, quint64> m_angefragt, m_gemerkt;
    quint64 m_zaehler = 0;
    QString m_cacheGelesen; // base folder whose search cache was taken
    struct Warteschlange;
    std::shared_ptr<Warteschlange> m_warteschlange;
    THintergrund m_hintergrund;
};
