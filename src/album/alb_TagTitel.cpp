#include "album/alb_TagTitel.h"

#include "album/alb_Suche.h"
#include "album/alb_ini.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QStandardPaths>

#include <mutex>

struct TTagTitel::Warteschlange {
    std::mutex sperre;
    QStringList liste;
    bool laeuft = false;
};

TTagTitel::TTagTitel(QObject* parent) : QObject(parent), m_warteschlange(std::make_shared<Warteschlange>()) {}

TTagTitel::~TTagTitel() = default;

TTagTitel& TTagTitel::Instanz() {
    static TTagTitel titel;
    return titel;
}

QString TTagTitel::Titel(const QString& ordner, const QDeadlineTimer& frist, QStringList& offen,
                         bool bekanntGenuegt) {
    if (!frist.hasExpired() && !(bekanntGenuegt && m_titel.contains(ordner))) {
        const QString t = TitelLesen(ordner, {});
        m_titel.insert(ordner, t);
        return t;
    }
    offen << ordner;
    return m_titel.value(ordner);
}

bool TTagTitel::Bekannt(const QString& ordner, QString* titel) const {
    const auto i = m_titel.constFind(ordner);
    if (i == m_titel.cend()) return false;
    if (titel) *titel = *i;
    return true;
}

void TTagTitel::Merken(const QString& ordner, const QString& titel) {
    m_titel.insert(ordner, titel);
    m_gemerkt.insert(ordner, ++m_zaehler);
    std::lock_guard<std::mutex> l(m_warteschlange->sperre);
    m_warteschlange->liste.removeOne(ordner);
}

void TTagTitel::AusSuchCache(const QString& grundpfad) {
    if (m_cacheGelesen == grundpfad) return;
    m_cacheGelesen = grundpfad;
    // Naming an album's cache file asks the drive for the album's real path: not when
    // there is no cache file at all.
    const QString cacheOrdner =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Pixolud");
    if (QDir(cacheOrdner).entryList({QStringLiteral("suche-*.idx")}, QDir::Files).isEmpty()) return;
    const QString basis = AddBackslash(grundpfad);
    const auto titel = TSuchIndex::TitelImCache(TSuchIndex::CacheDateiFuer(grundpfad), grundpfad);
    for (auto i = titel.cbegin(); i != titel.cend(); ++i) {
        const QString ordner =
            basis + i.key().first + plattform::PfadTrenner + i.key().second + plattform::PfadTrenner;
        if (!m_titel.contains(ordner)) m_titel.insert(ordner, i.value());
    }
}

void TTagTitel::Nachlesen(const QStringList& ordner) {
    if (ordner.isEmpty()) return;
    std::lock_guard<std::mutex> l(m_warteschlange->sperre);
    QStringList& liste = m_warteschlange->liste;
    for (const QString& o : ordner) {
        liste.removeOne(o);
        m_angefragt.insert(o, ++m_zaehler);
    }
    liste = ordner + liste; // the list just shown first
    if (m_warteschlange->laeuft) return;
    m_warteschlange->laeuft = true;
    m_hintergrund.Auftrag([w = m_warteschlange, ich = QPointer<TTagTitel>(this)] {
        for (;;) {
            QString o;
            {
                std::lock_guard<std::mutex> l(w->sperre);
                if (w->liste.isEmpty()) {
                    w->laeuft = false;
                    return;
                }
                o = w->liste.takeFirst();
            }
            const QString t = TitelLesen(o, {});
            QCoreApplication* app = QCoreApplication::instance();
            if (!app) return;
            // Delivered on the GUI thread; the store may be gone by then.
            QMetaObject::invokeMethod(
                app,
                [ich, o, t] {
                    if (ich) ich->Eingetroffen(o, t);
                },
                Qt::QueuedConnection);
        }
    });
}

void TTagTitel::Eingetroffen(const QString& ordner, const QString& titel) {
    // Read before the user's title was saved, it may tell the old one: the user's stays.
    if (m_gemerkt.value(ordner) > m_angefragt.value(ordner)) return;
    const auto i = m_titel.constFind(ordner);
    if (i != m_titel.cend() && *i == titel) return;
    m_titel.insert(ordner, titel);
    emit Geaendert(ordner, titel);
}

void TTagTitel::Warten() {
    m_hintergrund.Warten();
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
}
