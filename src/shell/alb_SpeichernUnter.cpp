#include "shell/alb_SpeichernUnter.h"

#include "settings/zpt_Parameter.h"
#include "shell/alb_Bearbeiten.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Shell.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_PfadEdit.h"
#include "widgets/zpt_SpeicherButtonPanel.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kStandardParameter = QStringLiteral("\"&BILDNAME&\"");

QString OrdnerVon(const QString& datei) {
    return datei.left(datei.lastIndexOf(plattform::PfadTrenner) + 1);
}
} // namespace

Tam_SpeichernUnter::Tam_SpeichernUnter(QWidget* parent) : Tak_FormF2(parent) {
    setObjectName(QStringLiteral("Tam_SpeichernUnter"));
    resize(560, 143);
    auto* spalte = new QVBoxLayout(Inhalt());
    spalte->setContentsMargins(8, 8, 8, 0);
    Panel1 = new QWidget(Inhalt());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* oben = new QVBoxLayout(Panel1);
    oben->setContentsMargins(0, 0, 0, 0);
    ed = new TzptDateinameEdit(Panel1);
    ed->setObjectName(QStringLiteral("ed"));
    ed->setText(QStringLiteral("(Ziel wählen)"));
    oben->addWidget(ed);
    oben->addStretch();
    Panel2 = new QWidget(Inhalt());
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setMinimumHeight(47);
    auto* unten = new QVBoxLayout(Panel2);
    unten->setContentsMargins(0, 0, 0, 0);
    Label1 =
        new QLabel(QStringLiteral("Parameter (&&BILDNAME&& oder &&PFADNAME&& als Parameter übergeben oder "
                                  "leerlassen)")
                       .replace(QStringLiteral("&&"), QStringLiteral("&")),
                   Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    ed_PAR = new QLineEdit(kStandardParameter, Panel2);
    ed_PAR->setObjectName(QStringLiteral("ed_PAR"));
    unten->addWidget(Label1);
    unten->addWidget(ed_PAR);
    spalte->addWidget(Panel1, 1);
    spalte->addWidget(Panel2);

    PAR = new TzptParameter(this);
    PAR->OnLaden = [this](QObject*) {
        BearbeitenMitProgramm = PAR->WertLesen(QStringLiteral("BEARBEITENMIT"));
        Zielverzeichnis = PAR->WertLesen(QStringLiteral("ZIELVERZEICHNIS"), TempVerzeichnis());
        Parameter = PAR->WertLesen(QStringLiteral("PARAMETER"), kStandardParameter);
    };
    PAR->OnSpeichern = [this](QObject*) {
        PAR->WertSchreiben(QStringLiteral("BEARBEITENMIT"), BearbeitenMitProgramm);
        PAR->WertSchreiben(QStringLiteral("ZIELVERZEICHNIS"), Zielverzeichnis);
    };
    PAR->Laden();
}

Tam_SpeichernUnter::~Tam_SpeichernUnter() {
    Geschuetzt([this] { PAR->Speichern(); });
}

void Tam_SpeichernUnter::showEvent(QShowEvent* e) {
    Tak_FormF2::showEvent(e);
    ed->setFocus();
}

void Tam_SpeichernUnter::SpeichernUnter(const QString& datei) {
    Panel2->hide();
    DateiMussVorhandenSein(datei);
    if (Zielverzeichnis.isEmpty()) Zielverzeichnis = TempVerzeichnis();
    ed->setText(AddBackslash(Zielverzeichnis) + datei.mid(datei.lastIndexOf(plattform::PfadTrenner) + 1));
    setWindowTitle(datei + QStringLiteral(" speichern unter "));
    bp->setbbSpeichernCaption(QStringLiteral("Speichern"));
    if (interaktion().ModalZeigen(*this) != mrOk) return;
    QString ziel = ed->Text().trimmed();
    // A file there in other case is the same file: it is the one replaced, in its spelling.
    const QFileInfo fi(ziel);
    const QString vorhanden = plattform::NameOhneGrossKlein(fi.absolutePath(), fi.fileName());
    if (!vorhanden.isEmpty()) ziel = ziel.left(ziel.size() - fi.fileName().size()) + vorhanden;
    if (UeberschreibenFrage(ziel)) {
        // "kopiert" only for a copy that happened.
        try {
            if (!VerzeichnisErzwingen(OrdnerVon(ziel)) || !DateiKopieren(datei, ziel))
                throw EFehler(
                    QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.").arg(datei, ziel));
            DateiInfo(QStringLiteral("%s\r%s kopiert."), ziel);
        } catch (const EFehler& e) {
            FehlerAnzeigen(e.meldung);
        }
    }
    // Also after "Nein": the folder the user went to is where the next copy starts.
    Zielverzeichnis = OrdnerVon(ziel);
}

bool Tam_SpeichernUnter::BearbeitenMit(const QString& datei) {
    Panel2->show();
    DateiMussVorhandenSein(datei);
    ed->setText(BearbeitenMitProgramm);
    ed_PAR->setText(Parameter);
    setWindowTitle(datei + QStringLiteral(" bearbeiten mit "));
    bp->setbbSpeichernCaption(QStringLiteral("Bearbeiten"));
    if (interaktion().ModalZeigen(*this) != mrOk) return false;
    BearbeitenMitProgramm = ed->Text().trimmed();
    Parameter = ed_PAR->text();
    return zptDateiStarten(ProgrammFinden(BearbeitenMitProgramm), BearbeitenArgumente(Parameter, datei),
                           OrdnerVon(datei), true);
}

Tam_SpeichernUnter& SpeichernUnterFenster() {
    static QPointer<Tam_SpeichernUnter> fenster;
    if (!fenster) fenster = new Tam_SpeichernUnter(qobject_cast<QWidget*>(Hauptfenster()));
    return *fenster;
}
