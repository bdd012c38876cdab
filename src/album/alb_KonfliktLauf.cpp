#include "album/alb_KonfliktLauf.h"

#include <QFileInfo>
#include <QMutexLocker>

QString AbgleichMeldung(const TTagAbgleich& e) {
    QStringList teile;
    if (e.uebernommen > 0) {
        const QString aus =
            e.kopien > 1 ? QStringLiteral("aus Konfliktkopien") : QStringLiteral("aus einer Konfliktkopie");
        teile << (e.uebernommen == 1
                      ? QStringLiteral("1 Bildunterschrift %1 übernommen").arg(aus)
                      : QStringLiteral("%1 Bildunterschriften %2 übernommen").arg(e.uebernommen).arg(aus));
    }
    if (e.geloest > 0)
        teile << (e.geloest == 1 ? QStringLiteral("1 Konflikt gelöst")
                                 : QStringLiteral("%1 Konflikte gelöst").arg(e.geloest));
    const int offen = int(e.offen.fragen.size() + e.offen.bilder.size());
    if (offen > 0)
        teile << (offen == 1
                      ? QStringLiteral("1 offener Konflikt: Kontextmenü „Konflikte lösen…“")
                      : QStringLiteral("%1 offene Konflikte: Kontextmenü „Konflikte lösen…“").arg(offen));
    teile << e.fehler;
    return teile.join(QStringLiteral(" – "));
}

namespace {
void Offen(TTagAbgleich& e, const TAbgleichPlan& plan) {
    e.offen.fragen = plan.fragen;
    if (!plan.fehler.isEmpty()) e.fehler << plan.fehler;
    for (const QString& k : plan.unlesbar)
        e.fehler << QStringLiteral("Die Konfliktkopie %1 ist nicht lesbar.").arg(k);
    e.offen.bilder = BildKonflikteSuchen(e.ordner);
}
} // namespace

TTagAbgleich TagAbgleichen(const QString& ordner) {
    TTagAbgleich e;
    e.ordner = ordner;
    e.offen.ordner = ordner;
    TAbgleichPlan plan = AbgleichPruefen(ordner);
    e.kopien = int(plan.kopien.size());
    // Also with questions only: copies merged before (on this computer or another) go to
    // the trash, and the file is left untouched when nothing changes.
    if (!plan.kopien.isEmpty() && plan.fehler.isEmpty()) {
        const TAbgleichErgebnis r = AbgleichAnwenden(ordner);
        e.uebernommen = r.uebernommen;
        e.fehler << r.fehler;
        if (r.uebernommen > 0 || r.imPapierkorb > 0) plan = AbgleichPruefen(ordner);
    }
    Offen(e, plan);
    return e;
}

TKonfliktLauf::TKonfliktLauf(QObject* parent) : QObject(parent) {
    // One day after the other: the disk serves the pictures being paged first.
    m_pool.setMaxThreadCount(1);
}

TKonfliktLauf::~TKonfliktLauf() {
    {
        QMutexLocker l(&m_sperre);
        m_wartend.clear();
    }
    m_pool.clear();
    m_pool.waitForDone();
}

void TKonfliktLauf::Pruefen(const QString& ordner, bool vorrang) {
    if (ordner.isEmpty()) return;
    {
        QMutexLocker l(&m_sperre);
        // A day queued already is looked at once; the one the user opens goes first anyway.
        if (m_wartend.contains(ordner) && !vorrang) return;
        m_wartend.insert(ordner);
    }
    m_pool.start(
        [this, ordner] {
            {
                QMutexLocker l(&m_sperre);
                m_wartend.remove(ordner);
            }
            if (VorArbeit) VorArbeit();
            Melden(TagAbgleichen(ordner));
        },
        vorrang ? 1 : 0);
}

void TKonfliktLauf::Loesen(const QString& ordner, const QHash<QString, TWahl>& wahlen,
                           const QVector<std::pair<TBildKonflikt, TBildWahl>>& bilder) {
    m_pool.start(
        [this, ordner, wahlen, bilder] {
            if (VorArbeit) VorArbeit();
            TTagAbgleich e;
            QStringList fehler;
            int geloest = 0, uebernommen = 0;
            if (!wahlen.isEmpty()) {
                const TAbgleichErgebnis r = AbgleichAnwenden(ordner, wahlen);
                geloest += r.gefragt;
                uebernommen += r.uebernommen;
                fehler << r.fehler;
            }
            for (const auto& [bild, wahl] : bilder) {
                const TBildLoesung l = BildKonfliktLoesen(ordner, bild, wahl);
                if (l.erledigt) ++geloest;
                if (!l.fehler.isEmpty()) fehler << l.fehler;
            }
            e = TagAbgleichen(ordner);
            e.geloest = geloest;
            e.nachWahl = true;
            e.uebernommen += uebernommen;
            e.fehler = fehler + e.fehler;
            Melden(e);
        },
        2);
}

void TKonfliktLauf::Warten() {
    m_pool.waitForDone();
}

void TKonfliktLauf::Melden(TTagAbgleich ergebnis) {
    // Handed to the owner's thread; dropped when the owner is gone by then.
    QMetaObject::invokeMethod(
        this, [this, e = std::move(ergebnis)] { emit Fertig(e); }, Qt::QueuedConnection);
}
