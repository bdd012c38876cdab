#include "burn/alb_Brennwizard.h"

#include "burn/alb_Brennliste.h"
#include "burn/alb_Export.h"
#include "burn/vrkWizard.h"
#include "burn/zpt_Tacho.h"
#include "settings/zpt_Markiert.h"
#include "settings/zpt_Parameter.h"
#include "sys/TStringlistBox.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_PfadEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {
// The progress window as the export routines see it.
class TachoFortschritt : public TFortschritt {
public:
    explicit TachoFortschritt(TzptTacho& t) : m_tacho(t) {}
    void Start(const QString& titel, int max) override { m_tacho.Start(titel, max); }
    void Schritt() override { m_tacho.Step(); }
    bool Abgebrochen() const override { return m_tacho.Aborted(); }
    void Stop() override { m_tacho.Stop(false); }

private:
    TzptTacho& m_tacho;
};

const QString kZielLabel = QStringLiteral(
    "Wählen Sie dass Verzeichnis, in das die Dateien für den Brennvorgang kopiert werden sollen.");

QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text) {
    auto* l = new QLabel(text, eltern);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

Tzpt_Groupbox* Gruppe(QWidget* eltern, const char* name, const QString& caption, int hoehe,
                      QVBoxLayout*& innen) {
    auto* g = Markieren(new Tzpt_Groupbox(eltern), name);
    g->setCaption(caption);
    g->setProperty("entwurfHoehe", hoehe);
    innen = new QVBoxLayout(g);
    innen->setContentsMargins(8, g->CheckBox()->height(), 8, 4);
    innen->setSpacing(2);
    return g;
}
} // namespace

Tam_Brennwizard::Tam_Brennwizard(QWidget* parent) : TKefForm(parent) {
    setObjectName(QStringLiteral("Tam_Brennwizard"));
    setWindowTitle(QStringLiteral("Brennwizard"));
    setProperty("HilfeKontext", 6);
    resize(469, 372);
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(0, 0, 0, 0);
    wz = new TvrkWizard(this);
    wz->setObjectName(QStringLiteral("wz"));
    fenster->addWidget(wz);
    wz_2 = new TvrkWizardPage(wz);
    wz_2->setObjectName(QStringLiteral("wz_2"));
    auto* seite = new QVBoxLayout(wz_2);
    seite->setContentsMargins(4, 4, 4, 4);
    seite->setSpacing(4);

    QVBoxLayout* innen = nullptr;
    rg_Zielpfad = Gruppe(wz_2, "rg_Zielpfad",
                         QStringLiteral("die Fotos in ein Verzeichnis zum Brennen kopieren"), 85, innen);
    Label1 = Beschriftung(rg_Zielpfad, "Label1", kZielLabel);
    ed_Zielpfad = Markieren(new TzptVerzeichnisEdit(rg_Zielpfad), "ed_Zielpfad");
    cx_ZielpfadLeer =
        Markieren(new QCheckBox(QStringLiteral("Kontrolle ob das Verzeichnis leer ist."), rg_Zielpfad),
                  "cx_ZielpfadLeer");
    cx_ZielpfadLeer->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(ed_Zielpfad),
                       static_cast<QWidget*>(cx_ZielpfadLeer)})
        innen->addWidget(w);

    rg_Einzeldatei = Gruppe(wz_2, "rg_Einzeldatei",
                            QStringLiteral("die Dateiliste in einer Textdatei speichern"), 61, innen);
    Label2 =
        Beschriftung(rg_Einzeldatei, "Label2",
                     QStringLiteral("Wählen Sie die Datei in der die Dateiliste gespeichert werden soll"));
    ed_Zieldatei = Markieren(new TzptDateinameEdit(rg_Einzeldatei), "ed_Zieldatei");
    ed_Zieldatei->Filter = QStringLiteral("*.txt|*.txt|*.*|*.*");
    ed_Zieldatei->Endung = QStringLiteral("txt");
    innen->addWidget(Label2);
    innen->addWidget(ed_Zieldatei);

    rg_Fotolabor =
        Gruppe(wz_2, "rg_Fotolabor",
               QStringLiteral("die Fotos in ein Verzeichnis für ein Fotolabor kopieren"), 85, innen);
    Label3 = Beschriftung(
        rg_Fotolabor, "Label3",
        QStringLiteral(
            "Wählen Sie dass Verzeichnis, in das die Dateien für das Fotolabor kopiert werden sollen."));
    ed_Fotolabor = Markieren(new TzptVerzeichnisEdit(rg_Fotolabor), "ed_Fotolabor");
    Label4 = Beschriftung(rg_Fotolabor, "Label4",
                          QStringLiteral("Die Fotos erhalten einen neuen Namen mit fortlaufender Nummer "));
    innen->addWidget(Label3);
    innen->addWidget(ed_Fotolabor);
    innen->addWidget(Label4);

    rg_jpegcd = Gruppe(wz_2, "rg_jpegcd",
                       QStringLiteral("die Fotos in eine Verzeichnisstruktur mit Namen kopieren"), 94, innen);
    Label5 = Beschriftung(rg_jpegcd, "Label5", kZielLabel);
    ed_jpegcd = Markieren(new TzptVerzeichnisEdit(rg_jpegcd), "ed_jpegcd");
    cx_Unterverz =
        Markieren(new QCheckBox(QStringLiteral("mit Unterverzeichnissen "), rg_jpegcd), "cx_Unterverz");
    innen->addWidget(Label5);
    innen->addWidget(ed_jpegcd);
    innen->addWidget(cx_Unterverz);
    for (QWidget* g : {static_cast<QWidget*>(rg_Zielpfad), static_cast<QWidget*>(rg_Einzeldatei),
                       static_cast<QWidget*>(rg_Fotolabor), static_cast<QWidget*>(rg_jpegcd)}) {
        // As high as designed, higher where the screen font needs it.
        g->setMinimumHeight(qMax(g->property("entwurfHoehe").toInt(), g->minimumSizeHint().height()));
        seite->addWidget(g);
    }
    cx_Bildtexte = Markieren(
        new QCheckBox(QStringLiteral("Bildunterschriften in die Bilder schreiben"), wz_2), "cx_Bildtexte");
    cx_Bildtexte->setChecked(true);
    seite->addWidget(cx_Bildtexte);
    // Off unless chosen: a day's videos can be many times the size of its pictures.
    cx_Videos = Markieren(new QCheckBox(QStringLiteral("Videos der Tage mitnehmen"), wz_2), "cx_Videos");
    seite->addWidget(cx_Videos);
    seite->addStretch();

    wz->BtnNext.setLast_Caption(QStringLiteral("Kopieren"));
    wz->BtnNext.setLast_TAction(true);
    wz->OnLastAction = [this](QObject*) { Geschuetzt([this] { wzLastAction(); }); };
    wz_2->OnChanging = [this](QObject*, bool& erlaubt) { wz_2Changing(erlaubt); };

    tacho = new TzptTacho(this);
    tacho->setObjectName(QStringLiteral("tacho"));
    sl_Fotos = new TStringlistBox(this);
    sl_Fotos->setObjectName(QStringLiteral("sl_Fotos"));
    PAR = new TzptParameter(this);
    PAR->TagInclusive = 99;
    PAR->OnBeforeLaden = [this](QObject*) { PARBeforeLaden(); };
    PAR->Laden();
}

void Tam_Brennwizard::PARBeforeLaden() {
    ed_Zielpfad->setText(EigeneDateienVerzeichnis() + QStringLiteral("Dorvanto"));
    ed_Zieldatei->setText(EigeneDateienVerzeichnis() + QStringLiteral("Dorvanto.txt"));
}

void Tam_Brennwizard::Ausfuehren(const QString& brennliste, const QString& grundpfad) {
    Grundpfad = AddBackslash(grundpfad);
    BrennlisteDatei = brennliste;
    sl_Fotos->setStrings(TBrennliste::DateiLesen(brennliste, Grundpfad));
    Fehlerzahl = 0;
    interaktion().ModalZeigen(*this);
}

void Tam_Brennwizard::wz_2Changing(bool& erlaubt) {
    const QString ziel = ed_Zielpfad->Text().trimmed();
    // A chosen mode without its target would write into the working folder: the user is
    // told which field is missing and finds the cursor there.
    const struct {
        Tzpt_Groupbox* gruppe;
        TzptPfadEdit* feld;
        const char* was;
    } felder[] = {{rg_Zielpfad, ed_Zielpfad, "das Verzeichnis zum Brennen"},
                  {rg_Einzeldatei, ed_Zieldatei, "die Datei für die Dateiliste"},
                  {rg_Fotolabor, ed_Fotolabor, "das Verzeichnis für das Fotolabor"},
                  {rg_jpegcd, ed_jpegcd, "das Verzeichnis für die Fotos mit Namen"}};
    // The file list alone needs the CD folder too: it receives the files the list names
    // that the export makes (index, album data of the browser page, JPEG renditions).
    auto gewaehlt = [this](const Tzpt_Groupbox* g) {
        return g->AllEnabled() || (g == rg_Zielpfad && rg_Einzeldatei->AllEnabled());
    };
    for (const auto& f : felder)
        if (gewaehlt(f.gruppe) && f.feld->Text().trimmed().isEmpty()) {
            InfoAnzeigen(QStringLiteral("Bitte wählen Sie %1.").arg(QString::fromUtf8(f.was)));
            f.feld->setFocus();
            erlaubt = false;
            return;
        }
    if (rg_Zielpfad->AllEnabled() && cx_ZielpfadLeer->isChecked() && !VerzeichnisLeer(ziel)) {
        InfoAnzeigen(QStringLiteral("Das Zielverzeichnis\r") + ziel + QStringLiteral("\rist nicht leer.\r") +
                     QStringLiteral("Bitte leeren Sie das Verzeichnis oder entfernen Sie den Haken."));
        cx_ZielpfadLeer->setFocus();
        erlaubt = false;
        return;
    }
    // Nothing is written before every target is known to stay clear of the album.
    TStillerFortschritt still;
    TExport pruefung(Grundpfad, sl_Fotos->Strings(), still);
    for (const auto& f : felder) {
        if (!gewaehlt(f.gruppe)) continue;
        const QString grund = f.feld == ed_Zieldatei ? pruefung.DateilisteVerweigert(f.feld->Text().trimmed())
                                                     : pruefung.ZielVerweigert(f.feld->Text().trimmed());
        if (grund.isEmpty()) continue;
        FehlerAnzeigen(grund);
        f.feld->setFocus();
        erlaubt = false;
        return;
    }
}

void Tam_Brennwizard::wzLastAction() {
    const bool cd = rg_Zielpfad->AllEnabled(), liste = rg_Einzeldatei->AllEnabled();
    const bool labor = rg_Fotolabor->AllEnabled(), namen = rg_jpegcd->AllEnabled();
    if (sl_Fotos->Count() == 0 || !(cd || liste || labor || namen)) {
        InfoAnzeigen(QStringLiteral("Es gibt nichts zu tun."));
        close();
        return;
    }
    bool erlaubt = true;
    wz_2Changing(erlaubt);
    if (!erlaubt) return;
    TachoFortschritt fortschritt(*tacho);
    TExport exp(Grundpfad, sl_Fotos->Strings(), fortschritt);
    exp.TexteSchreiben = cx_Bildtexte->isChecked();
    exp.VideosDerTage = cx_Videos->isChecked();
    if (cd || liste)
        exp.CDKopieren(ed_Zielpfad->Text().trimmed(), cd, liste ? ed_Zieldatei->Text().trimmed() : QString());
    if (labor) exp.FotolaborKopieren(ed_Fotolabor->Text().trimmed());
    if (namen) {
        if (cx_Unterverz->isChecked())
            exp.NamenKopierenMitUnterverzeichnissen(ed_jpegcd->Text().trimmed());
        else
            exp.NamenKopierenFortlaufend(ed_jpegcd->Text().trimmed());
    }
    Fehlerzahl = exp.Fehlerzahl;
    // Said only of what was copied: a cancel, a missing picture, an error or a caption
    // left out is named.
    if (exp.Vollstaendig())
        InfoAnzeigen(exp.Zusammenfassung());
    else
        FehlerAnzeigen(exp.Zusammenfassung());
    close();
}

void Tam_Brennwizard::done(int ergebnis) {
    // The settings are kept whichever way the window closes.
    Geschuetzt([this] { PAR->Speichern(); });
    TKefForm::done(ergebnis);
}

void Tam_Brennwizard::closeEvent(QCloseEvent* e) {
    // A shown dialog closes through done(); one never shown only through here.
    if (!isVisible()) Geschuetzt([this] { PAR->Speichern(); });
    TKefForm::closeEvent(e);
}

void BrennwizardAusfuehren(const QString& brennliste, const QString& grundpfad) {
    static QPointer<Tam_Brennwizard> wizard;
    if (!wizard) {
        wizard = new Tam_Brennwizard(qobject_cast<QWidget*>(Hauptfenster()));
        wizard->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    wizard->Ausfuehren(brennliste, grundpfad);
}
