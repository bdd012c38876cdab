// Tam_Main: conflict copies a sync program left in the album. The editor merges the
// caption files' copies in the background when a day opens (and for the year shown at
// the start), shows what it did in a line above the picture, and keeps the days with
// questions or picture copies for the command "Konflikte lösen…".
#include "app/alb_Main.h"

#include "app/alb_KonfliktFenster.h"
#include "app/alb_Tagesindex.h"
#include "display/zpt_FotoPanel.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_Dialoge.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QLabel>

void Tam_Main::KonflikteStarten() {
    if (NurAnzeige || KonfliktLauf) return;
    KonfliktLauf = new TKonfliktLauf(this);
    connect(KonfliktLauf, &TKonfliktLauf::Fertig, this,
            [this](const TTagAbgleich& e) { Geschuetzt([&] { KonfliktErgebnis(e); }); });
    // The days of the year shown at the start; the day the user opens goes before them.
    for (const QString& tag : cb_Tage->KeyList())
        KonfliktLauf->Pruefen(TagOrdner(Grundpfad, cb_Jahr->ListenKey(), tag), false);
}

void Tam_Main::KonfliktErgebnis(const TTagAbgleich& e) {
    TTagAbgleich& stand = KonfliktStand[e.ordner];
    stand.ordner = e.ordner;
    stand.uebernommen += e.uebernommen;
    stand.kopien = qMax(stand.kopien, e.kopien);
    stand.geloest += e.geloest;
    stand.fehler = e.fehler;
    stand.offen = e.offen;
    if (e.uebernommen > 0 || e.geloest > 0) {
        SucheTagGeaendert(e.ordner);
        // A merged title changes the day's label in the list (the choice stays).
        if (e.ordner.startsWith(AddBackslash(AddBackslash(Grundpfad) + cb_Jahr->ListenKey()))) TageLesen();
        // Only the day shown is read anew: its pictures when the user chose between two
        // (the picture under the name may be another now), else its caption.
        if (foto->Grundpfad() == e.ordner) {
            if (e.geloest > 0) foto->ReadFolderAt(true, foto->CurrentFileName());
            fotoAfterPositionChanged();
        }
    }
    KonfliktHinweisZeigen();
    // The user waits for the choices just made: what failed is said, not only shown.
    if (e.nachWahl && !e.fehler.isEmpty()) FehlerAnzeigen(e.fehler.join(u'\r'));
}

void Tam_Main::KonfliktHinweisZeigen() {
    const QString ordner = TagOrdnerAktuell();
    const QString text = ordner.isEmpty() ? QString() : AbgleichMeldung(KonfliktStand.value(ordner));
    la_Konflikt->setText(text);
    la_Konflikt->setToolTip(text);
    la_Konflikt->setVisible(!text.isEmpty());
}

QVector<TTagKonflikte> Tam_Main::OffeneKonflikte() const {
    QVector<TTagKonflikte> tage;
    const QString aktuell = TagOrdnerAktuell();
    for (auto it = KonfliktStand.cbegin(); it != KonfliktStand.cend(); ++it) {
        if (it->offen.Leer()) continue;
        if (it.key() == aktuell)
            tage.prepend(it->offen);
        else
            tage.append(it->offen);
    }
    return tage;
}

void Tam_Main::ax_KonflikteExecute() {
    if (!KonfliktLauf) return;
    const QVector<TTagKonflikte> tage = OffeneKonflikte();
    if (tage.isEmpty()) {
        InfoAnzeigen(QStringLiteral("Es gibt keine offenen Konflikte."));
        return;
    }
    Tam_Konflikte& fenster = EinzelDialog<Tam_Konflikte>();
    if (fenster.Ausfuehren(tage)) {
        KonfliktLauf->Loesen(fenster.Tag(), fenster.Auswahl().Wahlen(), fenster.BildWahlen());
        // Until the run reports back, the day counts as decided.
        KonfliktStand[fenster.Tag()].offen = TTagKonflikte{fenster.Tag(), {}, {}};
    }
    FotoFokus();
}
