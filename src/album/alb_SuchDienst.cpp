#include "album/alb_SuchDienst.h"

#include <QCoreApplication>
#include <QPointer>

#include <condition_variable>
#include <mutex>

struct TSuchDienst::Ergebnis {
    std::mutex sperre;
    std::condition_variable fertig;
    bool da = false;
    bool abgeholt = false; // the search waited for it and took it
    QString text;
    int hoechstens = 0;
    QList<TSuchTreffer> treffer;
    std::shared_ptr<TSuchIndex> stand; // the checked index, for the searches in memory
};

TSuchDienst::TSuchDienst(const QString& grundpfad, const QString& cacheDatei, bool nurZahlJahre)
    : m_pruefer(std::make_shared<TSuchIndex>(grundpfad, cacheDatei, nurZahlJahre)),
      m_speicher(grundpfad, cacheDatei, nurZahlJahre) {}

TSuchDienst::~TSuchDienst() = default;

QList<TSuchTreffer> TSuchDienst::Suchen(const QString& text, int hoechstens, int fristMs, bool* geprueft) {
    auto e = std::make_shared<Ergebnis>();
    e->text = text;
    e->hoechstens = hoechstens;
    const int nummer = ++*m_neueste;
    m_hintergrund.Auftrag(
        [e, nummer, neueste = m_neueste, pruefer = m_pruefer, ich = QPointer<TSuchDienst>(this)] {
            // A search typed over meanwhile is not checked: the next one checks the album.
            if (*neueste != nummer) return;
            auto treffer = pruefer->Suchen(e->text, e->hoechstens);
            auto stand = std::make_shared<TSuchIndex>(*pruefer);
            {
                std::lock_guard<std::mutex> l(e->sperre);
                e->treffer = std::move(treffer);
                e->stand = std::move(stand);
                e->da = true;
                e->fertig.notify_all();
                if (e->abgeholt) return;
            }
            if (QCoreApplication* app = QCoreApplication::instance())
                QMetaObject::invokeMethod(
                    app,
                    [ich, e] {
                        if (ich) ich->Eingetroffen(e);
                    },
                    Qt::QueuedConnection);
        });
    {
        std::unique_lock<std::mutex> l(e->sperre);
        if (e->fertig.wait_for(l, std::chrono::milliseconds(fristMs), [&] { return e->da; })) {
            e->abgeholt = true;
            m_speicher = *e->stand;
            if (geprueft) *geprueft = true;
            return e->treffer;
        }
    }
    if (geprueft) *geprueft = false;
    return m_speicher.SuchenImSpeicher(text, hoechstens);
}

void TSuchDienst::Eingetroffen(const std::shared_ptr<Ergebnis>& e) {
    m_speicher = *e->stand;
    emit Nachgeprueft(e->text, e->treffer);
}

void TSuchDienst::AllesPruefen() {
    m_hintergrund.Auftrag([p = m_pruefer] { p->AllesPruefen(); });
}

void TSuchDienst::AllesNeuLesen() {
    m_hintergrund.Auftrag([p = m_pruefer] { p->AllesNeuLesen(); });
}

void TSuchDienst::TagGeaendert(const QString& tagOrdner) {
    m_hintergrund.Auftrag([p = m_pruefer, tagOrdner] { p->TagGeaendert(tagOrdner); });
}

void TSuchDienst::Warten() {
    m_hintergrund.Warten();
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
}
