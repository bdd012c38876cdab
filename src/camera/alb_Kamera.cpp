#include "camera/alb_Kamera.h"

#include "camera/alb_DatumKorrektur.h"
#include "camera/alb_Import.h"
#include "display/zpt_FotoPanel.h"
#include "settings/zpt_Markiert.h"
#include "settings/zpt_Parameter.h"
#include "sys/TStringlistBox.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_Dialoge.h"
#include "widgets/zpt_PfadEdit.h"
#include "widgets/zpt_RadioGroup.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

Tam_Kamera::Tam_Kamera(QWidget* parent) : Tak_Form(parent) {
    setObjectName(QStringLiteral("Tam_Kamera"));
    setWindowTitle(QStringLiteral("Digitalkamera als Wechselplatte"));
    setProperty("HilfeKontext", 5);
    resize(640, 560);
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(0, 0, 0, 0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setMinimumHeight(201);
    auto* raster = new QGridLayout(Panel1);
    raster->setContentsMargins(8, 8, 5, 8);
    ed_Kamera = Markieren(new TzptVerzeichnisEdit(Panel1), "ed_Kamera");
    ed_Kamera->setText(QStringLiteral("(Bitte Pfad zur Kamera wählen)"));
    cx_Del = Markieren(
        new QCheckBox(QStringLiteral("Bilder nach dem herunterladen von der Kamera löschen"), Panel1),
        "cx_Del");
    bb_Download = new QPushButton(QStringLiteral("Bilder herunterladen"), Panel1);
    bb_Download->setObjectName(QStringLiteral("bb_Download"));
    tacho = new QProgressBar(Panel1);
    tacho->setObjectName(QStringLiteral("tacho"));
    tacho->setRange(0, 100);
    tacho->setValue(0);
    bb_Refresh = new QPushButton(QStringLiteral("Refresh"), Panel1);
    bb_Refresh->setObjectName(QStringLiteral("bb_Refresh"));
    rg_modus = Markieren(new TzptRadioGroup(Panel1), "rg_modus");
    rg_modus->setTitle(QStringLiteral("Ziel Ordner"));
    rg_modus->setItems({QStringLiteral("JJJJMMTT  (Olympus)"), QStringLiteral("JJJJ_MM_TT (Canon IXUS 40)"),
                        QStringLiteral("JJJJ-MM-TT (digiKam)")});
    rg_modus->setItemIndex(0);
    cx_DatumUeberpruefen = Markieren(
        new QCheckBox(QStringLiteral("Datum überprüfen (nur für ältere \"vergessliche\" Kameras nötig)"),
                      Panel1),
        "cx_DatumUeberpruefen");
    raster->addWidget(ed_Kamera, 0, 0, 1, 2);
    raster->addWidget(rg_modus, 1, 0, 3, 1);
    raster->addWidget(cx_Del, 1, 1);
    raster->addWidget(cx_DatumUeberpruefen, 2, 1);
    raster->addWidget(bb_Refresh, 3, 1, Qt::AlignLeft);
    raster->addWidget(bb_Download, 4, 0, 1, 2);
    raster->addWidget(tacho, 5, 0, 1, 2);
    lb_Dcim = new QLabel(Panel1);
    lb_Dcim->setObjectName(QStringLiteral("lb_Dcim"));
    lb_Dcim->setVisible(false);
    raster->addWidget(lb_Dcim, 6, 0, 1, 2);
    fenster->addWidget(Panel1);

    foto = new TzptFotoPanel(this);
    foto->setObjectName(QStringLiteral("foto"));
    foto->setStretch(false);
    foto->setGrossanpassen(true);
    foto->ObenEinpassen = true;
    foto->setAnzeigeEnabled(false);
    foto->setStatusbarVisible(true);
    fenster->addWidget(foto, 1);

    sl = new TStringlistBox(this);
    sl->setObjectName(QStringLiteral("sl"));

    connect(ed_Kamera, &TzptVerzeichnisEdit::textChanged, this, [this] { ListeAktualisieren(); });
    connect(bb_Refresh, &QPushButton::clicked, this, [this] { ListeAktualisieren(); });
    connect(bb_Download, &QPushButton::clicked, this, [this] { Geschuetzt([this] { bb_DownloadClick(); }); });

    par = new TzptParameter(this);
    par->TagInclusive = 99;
    par->FormPosSizeSave = true;
    par->OnAfterLaden = [this](QObject*) {
        foto->setAnzeigeEnabled(true);
        ListeAktualisieren();
    };
    par->Laden();
}

Tam_Kamera::~Tam_Kamera() {
    Geschuetzt([this] { par->Speichern(); });
}

bool Tam_Kamera::Ausfuehren(const QString& grundpfad) {
    Initializing = true;
    Zielordner = AddBackslash(grundpfad);
    rg_modus->setTitle(QStringLiteral("Zielordner ") + Zielordner);
    ListeAktualisieren();
    interaktion().ModalZeigen(*this);
    return true;
}

void Tam_Kamera::ListeAktualisieren() {
    foto->setGrundpfad(ed_Kamera->Text().trimmed());
    // The designed prompt text is no folder: nothing listed, nothing to download.
    if (!VerzeichnisExistiert(foto->Grundpfad())) foto->setGrundpfad({});
    foto->ReadFolderFirst(true);
    // A card or phone chosen at its top: its pictures are in DCIM's subfolders.
    const QString dcim = foto->Grundpfad().isEmpty() ? QString() : DcimOrdner(foto->Grundpfad());
    lb_Dcim->setText(dcim.isEmpty()
                         ? QString()
                         : QStringLiteral("Im Kameraordner liegen keine Bilder, aber ein Ordner %1 "
                                          "mit Unterordnern.")
                               .arg(dcim));
    lb_Dcim->setVisible(!dcim.isEmpty());
    bb_Download->setEnabled(foto->Count() > 0 || !dcim.isEmpty());
}

bool Tam_Kamera::Importieren() {
    TKameraImport imp;
    imp.Quelle = AddBackslash(foto->Grundpfad());
    imp.Zielordner = Zielordner;
    imp.Modus = rg_modus->ItemIndex();
    imp.Loeschen = cx_Del->isChecked();
    const QString verweigert = imp.QuelleVerweigert();
    if (!verweigert.isEmpty()) {
        FehlerAnzeigen(verweigert);
        return false;
    }
    if (foto->Count() == 0) {
        const QString dcim = DcimOrdner(imp.Quelle);
        if (dcim.isEmpty()) return false;
        if (!JaNeinFrage(QStringLiteral("Im Kameraordner liegen keine Bilder, aber ein Ordner %1.\r"
                                        "Sollen die Bilder aller Unterordner von %1 heruntergeladen werden?")
                             .arg(dcim)))
            return false;
        imp.MitDcim = true;
    }
    sl->setStrings(imp.Dateien());
    tacho->setRange(0, 2 * sl->Count()); // every file's day first, then the copies
    tacho->setValue(0);
    if (cx_DatumUeberpruefen->isChecked()) {
        // The times the files are filed by: capture times where the pictures carry them.
        const QDateTime erstes = sl->Count() ? imp.Zeit((*sl)[0]) : QDateTime();
        const QDateTime letztes = sl->Count() ? imp.Zeit((*sl)[sl->Count() - 1]) : QDateTime();
        if (!JaNeinFrage(DatumFrage(erstes, letztes))) {
            QDateTime richtig = erstes;
            if (!EinzelDialog<Tam_Datumskorrektur>().DatumKorrigieren(richtig)) return false;
            imp.Versatz = WanduhrAbstand(erstes, richtig);
        }
    }
    imp.Schritt = [this] {
        tacho->setValue(tacho->value() + 1);
        QCoreApplication::processEvents();
    };
    if (!imp.Ausfuehren(sl->Strings())) return false;
    ListeAktualisieren();
    InfoAnzeigen(imp.Meldung());
    tacho->setValue(0);
    return true;
}

void Tam_Kamera::bb_DownloadClick() {
    bb_Download->setEnabled(false);
    Importieren();
    ListeAktualisieren();
    setModalResult(mrOk);
}

bool Tam_Kamera::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        if (VerzeichnisExistiert(ed_Kamera->Text().trimmed()))
            bb_Download->setFocus();
        else
            ed_Kamera->setFocus();
        Initializing = false;
    }
    return Tak_Form::event(e);
}

Tam_Kamera& KameraFenster() {
    static QPointer<Tam_Kamera> fenster;
    if (!fenster) fenster = new Tam_Kamera(qobject_cast<QWidget*>(Hauptfenster()));
    return *fenster;
}
