// Tam_Main: the burn list in its side panel.
#include "app/alb_Main.h"

#include "album/alb_ini.h"

#include "burn/alb_Brennwizard.h"
#include "display/zpt_FotoPanel.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

void Tam_Main::BrennlisteAufbauen() {
    auto* spalte = new QVBoxLayout(pa_Brennliste);
    spalte->setContentsMargins(2, 2, 2, 2);
    spalte->setSpacing(2);

    pa_BrennlisteTop = new QWidget(pa_Brennliste);
    pa_BrennlisteTop->setObjectName(QStringLiteral("pa_BrennlisteTop"));
    auto* oben = new QVBoxLayout(pa_BrennlisteTop);
    oben->setContentsMargins(0, 0, 0, 0);
    auto* knoepfe = new QHBoxLayout;
    bb_Brennen = new QPushButton(QStringLiteral("Brennliste kopieren"), pa_BrennlisteTop);
    bb_Brennen->setObjectName(QStringLiteral("bb_Brennen"));
    bb_Close = new QToolButton(pa_BrennlisteTop);
    bb_Close->setObjectName(QStringLiteral("bb_Close"));
    bb_Close->setText(QStringLiteral("X"));
    knoepfe->addWidget(bb_Brennen, 1);
    knoepfe->addWidget(bb_Close);
    la_Anz = new QLabel(pa_BrennlisteTop);
    la_Anz->setObjectName(QStringLiteral("la_Anz"));
    la_Anz->setAlignment(Qt::AlignCenter);
    oben->addLayout(knoepfe);
    oben->addWidget(la_Anz);
    spalte->addWidget(pa_BrennlisteTop);

    lb_Brennliste = new QListWidget(pa_Brennliste);
    lb_Brennliste->setObjectName(QStringLiteral("lb_Brennliste"));
    lb_Brennliste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lb_Brennliste->setAcceptDrops(false);
    spalte->addWidget(lb_Brennliste, 1);

    Panel1 = new QWidget(pa_Brennliste);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* unten = new QHBoxLayout(Panel1);
    unten->setContentsMargins(0, 0, 0, 0);
    bb_BrennlisteDel = new QPushButton(QStringLiteral("Löschen"), Panel1);
    bb_BrennlisteDel->setObjectName(QStringLiteral("bb_BrennlisteDel"));
    bb_BrennlisteClear = new QPushButton(QStringLiteral("alles Löschen"), Panel1);
    bb_BrennlisteClear->setObjectName(QStringLiteral("bb_BrennlisteClear"));
    unten->addWidget(bb_BrennlisteDel);
    unten->addWidget(bb_BrennlisteClear);
    spalte->addWidget(Panel1);

    // The preview: shrunk to fit, never enlarged, no info line, no paging of its own.
    foto2 = new TzptFotoPanel(pa_Brennliste);
    foto2->setObjectName(QStringLiteral("foto2"));
    foto2->setStatusbarVisible(false);
    foto2->setGrossanpassen(true);
    foto2->setFocusPolicy(Qt::NoFocus);
    foto2->setFixedHeight(140);
    spalte->addWidget(foto2);

    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(bb_Brennen), static_cast<QAbstractButton*>(bb_Close),
          static_cast<QAbstractButton*>(bb_BrennlisteDel), static_cast<QAbstractButton*>(bb_BrennlisteClear)})
        b->setFocusPolicy(Qt::NoFocus);
    connect(bb_Close, &QToolButton::clicked, this,
            [this] { Geschuetzt([this] { BrennlisteSchliessen(); }); });
    connect(bb_BrennlisteDel, &QPushButton::clicked, this,
            [this] { Geschuetzt([this] { bb_BrennlisteDelClick(); }); });
    connect(bb_BrennlisteClear, &QPushButton::clicked, this,
            [this] { Geschuetzt([this] { bb_BrennlisteClearClick(); }); });
    connect(bb_Brennen, &QPushButton::clicked, this, [this] { Geschuetzt([this] { bb_BrennenClick(); }); });
    connect(lb_Brennliste, &QListWidget::currentRowChanged, this, [this] { BrennlisteAnzeigen(); });
}

void Tam_Main::BrennlisteZeigen(int aktuell) {
    // The list box shows the entries of the list; the current one has the focus mark.
    lb_Brennliste->blockSignals(true);
    lb_Brennliste->clear();
    lb_Brennliste->addItems(Brennliste.Eintraege());
    lb_Brennliste->setCurrentRow(aktuell);
    lb_Brennliste->blockSignals(false);
}

bool Tam_Main::BrennlisteOeffnen() {
    const QString ordner = EigeneDateienVerzeichnis() + QStringLiteral("Pixolud") + plattform::PfadTrenner;
    VerzeichnisErzwingen(ordner);
    QString datei = ordner + QStringLiteral("Brennliste.Pixolud");
    if (!DateiWaehlen(QStringLiteral("Bestehende Brennliste öffnen"), datei, QStringLiteral("*.Pixolud"))) {
        // The list that was open is saved before it is forgotten.
        if (!BrennlisteDatei.isEmpty()) Brennliste.Speichern(BrennlisteDatei);
        BrennlisteDatei.clear();
        return false;
    }
    // What a sync program put aside as a conflict copy of the list comes in first.
    const TBrennliste::TAbgleich abgleich = TBrennliste::KonfliktkopienAbgleichen(datei, Grundpfad);
    if (!abgleich.fehler.isEmpty()) FehlerAnzeigen(abgleich.fehler.join(u'\r'));
    QStringList eintraege;
    try {
        eintraege = TBrennliste::DateiLesen(datei, Grundpfad);
    } catch (const EFehler& e) {
        FehlerAnzeigen(e.meldung); // the list and the panel stay as they were
        return false;
    }
    if (!BrennlisteDatei.isEmpty() && BrennlisteDatei != datei) Brennliste.Speichern(BrennlisteDatei);
    BrennlisteDatei = datei;
    Brennliste.Setzen(eintraege, datei);
    BrennlisteZeigen(Brennliste.Anzahl() > 0 ? 0 : -1);
    pa_Brennliste->show();
    BrennlisteAnzeigen();
    return true;
}

void Tam_Main::BrennlisteAnzeigen() {
    la_Anz->setText(AnzahlText(Brennliste.Anzahl(), QStringLiteral("Bild"), QStringLiteral("Bilder")) +
                    QStringLiteral(" in der Brennliste."));
    const int aktuell = lb_Brennliste->currentRow();
    if (aktuell >= 0 && aktuell < Brennliste.Anzahl()) {
        foto2->setGrundpfad({});
        foto2->ShowFile(Brennliste.PfadVon(Brennliste.Eintraege()[aktuell]));
    } else {
        foto2->setGrundpfad({});
        foto2->ReadFolder(true);
    }
}

void Tam_Main::BrennlisteSchliessen() {
    if (BrennlisteDatei.isEmpty()) return;
    Brennliste.Speichern(BrennlisteDatei); // an error ends here: the list stays open
    BrennlisteDatei.clear();
    pa_Brennliste->hide();
}

bool Tam_Main::BrennlisteBereit() {
    Brennliste.Grundpfad = Grundpfad;
    if (BrennlisteDatei.isEmpty()) BrennlisteOeffnen();
    return !BrennlisteDatei.isEmpty();
}

void Tam_Main::ax_BildinBrennlisteExecute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty() || !BrennlisteBereit()) {
        Piep();
        return;
    }
    // A list holds one name a line: a name with a line break would come back as two.
    if (!BildnameSpeicherbar(datei)) {
        FehlerAnzeigen(QStringLiteral("Der Dateiname\r") + datei +
                       QStringLiteral("\renthält einen Zeilenumbruch. Das Bild kann nicht in die Brennliste "
                                      "aufgenommen werden."));
        return;
    }
    bool neu = false;
    const int index = Brennliste.Hinzufuegen(Brennliste.EintragVon(datei), &neu);
    BrennlisteZeigen(index);
    BrennlisteAnzeigen();
    if (!neu) {
        Piep(); // already there: it becomes the current entry, the picture stays
        return;
    }
    pa_Brennliste->show();
    Befehl("ax_Vor");
    FotoFokus();
}

void Tam_Main::ax_AlleInBrennlisteExecute() {
    if (foto->Count() == 0 || !BrennlisteBereit()) {
        Piep();
        return;
    }
    const int vorher = lb_Brennliste->currentRow();
    QString aktuell =
        vorher >= 0 && vorher < Brennliste.Anzahl() ? Brennliste.Eintraege()[vorher] : QString();
    QStringList abgewiesen;
    for (const QString& name : foto->Files()) {
        if (!BildnameSpeicherbar(name)) {
            abgewiesen << name;
            continue;
        }
        const QString eintrag = Brennliste.EintragVon(foto->Grundpfad() + name);
        bool neu = false;
        Brennliste.Hinzufuegen(eintrag, &neu);
        if (neu)
            aktuell = eintrag; // the last one added becomes the current entry
        else
            Piep(); // once for every picture already in the list
    }
    BrennlisteZeigen(Brennliste.Index(aktuell));
    BrennlisteAnzeigen();
    pa_Brennliste->show();
    if (!abgewiesen.isEmpty())
        FehlerAnzeigen(
            QString::number(abgewiesen.size()) +
            QStringLiteral(" Bilder mit einem Zeilenumbruch im Namen wurden nicht in die Brennliste "
                           "aufgenommen."));
    FotoFokus();
}

void Tam_Main::ax_BrennlisteExecute() {
    Brennliste.Grundpfad = Grundpfad;
    if (Brennliste.Anzahl() == 0) BrennlisteOeffnen();
}

void Tam_Main::bb_BrennlisteDelClick() {
    const int vorher = lb_Brennliste->currentRow();
    const QString aktuell =
        vorher >= 0 && vorher < Brennliste.Anzahl() ? Brennliste.Eintraege()[vorher] : QString();
    QList<int> gewaehlt;
    for (const QListWidgetItem* i : lb_Brennliste->selectedItems())
        gewaehlt << lb_Brennliste->row(i);
    Brennliste.Entfernen(gewaehlt);
    // The current entry stays current unless it went; then the one now at its place.
    const int bleibt = Brennliste.Index(aktuell);
    BrennlisteZeigen(bleibt >= 0 ? bleibt : qMin(vorher, Brennliste.Anzahl() - 1));
    BrennlisteAnzeigen();
}

void Tam_Main::bb_BrennlisteClearClick() {
    Brennliste.Leeren();
    BrennlisteZeigen(-1);
    BrennlisteAnzeigen();
}

void Tam_Main::bb_BrennenClick() {
    const QString datei = BrennlisteDatei;
    BrennlisteSchliessen();
    BrennwizardAusfuehren(datei, Grundpfad);
}
