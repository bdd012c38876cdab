#include "display/zpt_BildLader.h"

#include <QFileInfo>
#include <QRunnable>
#include <QSet>
#include <QThread>
#include <memory>

namespace {
qint64 Bytes(const DekodiertesBild& b) {
    return b.bild.sizeInBytes() + b.angepasst.sizeInBytes();
}
} // namespace

TBildLader::TBildLader() {
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    m_anfragen.setMaxThreadCount(2);
}

TBildLader::~TBildLader() {
    {
        QMutexLocker l(&m_sperre);
        ++m_generation; // what has not started yet is dropped
    }
    m_pool.waitForDone();
    m_anfragen.waitForDone();
}

TBildLader& TBildLader::Instanz() {
    static TBildLader lader;
    return lader;
}

qint64 TBildLader::Belegt() const {
    QMutexLocker l(&m_sperre);
    return m_belegt;
}

bool TBildLader::Suchen(const QString& pfad, qint64 groesse, const QDateTime& geaendert,
                        const ZielGroesse& ziel, DekodiertesBild* bild) {
    for (auto it = m_eintraege.begin(); it != m_eintraege.end(); ++it) {
        if (it->pfad != pfad) continue;
        if (it->groesse != groesse || it->geaendert != geaendert) return false; // changed since
        const QSize benoetigt = ziel ? ziel(it->bild.originalGroesse) : QSize();
        if (it->bild.nenner > BenoetigterNenner(it->bild.originalGroesse, benoetigt))
            return false; // too small
        m_eintraege.splice(m_eintraege.begin(), m_eintraege, it);
        if (bild) *bild = m_eintraege.front().bild;
        return true;
    }
    return false;
}

void TBildLader::Ablegen(Eintrag eintrag) {
    for (auto it = m_eintraege.begin(); it != m_eintraege.end(); ++it)
        if (it->pfad == eintrag.pfad) {
            m_belegt -= Bytes(it->bild);
            m_eintraege.erase(it);
            break;
        }
    m_belegt += Bytes(eintrag.bild);
    m_eintraege.push_front(std::move(eintrag));
    // The oldest go first; the newest stays even when it alone exceeds the bound.
    while (m_belegt > Grenze && m_eintraege.size() > 1) {
        m_belegt -= Bytes(m_eintraege.back().bild);
        m_eintraege.pop_back();
    }
}

bool TBildLader::Dekodieren(const QString& pfad, const ZielGroesse& ziel, DekodiertesBild& bild,
                            bool warten) {
    const QFileInfo fi(pfad);
    // Gone, or no picture file at all (a pipe would block the reading).
    if (!fi.isFile()) return false;
    const qint64 groesse = fi.size();
    const QDateTime geaendert = fi.lastModified();
    {
        QMutexLocker l(&m_sperre);
        // A worker on the same picture: its result is waited for, not made twice. A worker
        // itself does not wait: it leaves the picture to the other and is free for the next.
        if (!warten && m_inArbeit.contains(pfad)) return false;
        while (m_inArbeit.contains(pfad))
            m_fertig.wait(&m_sperre);
        if (Suchen(pfad, groesse, geaendert, ziel, &bild)) return true;
        m_inArbeit.insert(pfad);
    }
    DekodiertesBild neu;
    const bool ok = BildLaden(pfad, neu, nullptr, ziel);
    if (ok && ziel) {
        const QSize passend = ziel(neu.originalGroesse);
        if (!passend.isEmpty() && passend != neu.bild.size())
            neu.angepasst = neu.bild.scaled(passend, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QMutexLocker l(&m_sperre);
    m_inArbeit.remove(pfad);
    if (ok) Ablegen({pfad, groesse, geaendert, neu});
    m_fertig.wakeAll();
    bild = neu;
    return ok;
}

bool TBildLader::Holen(const QString& pfad, const ZielGroesse& ziel, DekodiertesBild& bild) {
    bild = {};
    return Dekodieren(pfad, ziel, bild, true);
}

TBildLader::Stand TBildLader::HolenBis(const QString& pfad, const ZielGroesse& ziel, DekodiertesBild& bild,
                                       const QDeadlineTimer& frist, std::function<void()> fertig) {
    struct Anfrage {
        QMutex sperre;
        QWaitCondition ende;
        bool fertig = false, ok = false;
        DekodiertesBild bild;
        std::function<void()> melden;
    };
    auto a = std::make_shared<Anfrage>();
    m_anfragen.start([this, a, pfad, ziel] {
        DekodiertesBild b;
        const bool ok = Dekodieren(pfad, ziel, b, true);
        std::function<void()> melden;
        {
            QMutexLocker l(&a->sperre);
            a->fertig = true;
            a->ok = ok;
            a->bild = b;
            melden = std::move(a->melden);
            a->ende.wakeAll();
        }
        if (melden) melden();
    });
    QMutexLocker l(&a->sperre);
    while (!a->fertig)
        if (!a->ende.wait(&a->sperre, frist)) break;
    if (!a->fertig) {
        a->melden = std::move(fertig);
        return Stand::Laeuft;
    }
    bild = a->bild;
    return a->ok ? Stand::Da : Stand::Unlesbar;
}

bool TBildLader::Vorhanden(const QString& pfad, const ZielGroesse& ziel) {
    const QFileInfo fi(pfad);
    QMutexLocker l(&m_sperre);
    return Suchen(pfad, fi.size(), fi.lastModified(), ziel, nullptr);
}

void TBildLader::Vorladen(const QStringList& pfade, const ZielGroesse& ziel) {
    quint64 generation = 0;
    {
        QMutexLocker l(&m_sperre);
        generation = ++m_generation;
    }
    for (const QString& pfad : pfade) {
        if (pfad.isEmpty()) continue;
        m_pool.start([this, pfad, ziel, generation] {
            {
                QMutexLocker l(&m_sperre);
                if (generation != m_generation) return; // the user has moved on
            }
            DekodiertesBild bild;
            Dekodieren(pfad, ziel, bild, false);
        });
    }
}

void TBildLader::Warten() {
    m_pool.waitForDone();
}

void TBildLader::Leeren() {
    QMutexLocker l(&m_sperre);
    m_eintraege.clear();
    m_belegt = 0;
}
