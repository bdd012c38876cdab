// Tam_Main: base folder, background colour, the settings read at start and written at close.
#include "app/alb_Main.h"

#include "display/zpt_FotoPanel.h"
#include "settings/BigIni.h"
#include "settings/zpt_Parameter.h"
#include "settings/zpt_ParameterSpeicher.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Farbe.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/alb_Directory.h"
#include "widgets/zpt_Dialoge.h"
#include "widgets/zpt_KeyComboBox.h"
#include "widgets/zpt_PfadEdit.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

namespace {
constexpr quint32 kHintergrundOhneZahl = 12632256; // silver, for a stored value that is no number
const QString kStandardMasken = QStringLiteral("*.mov;*.avi;*.wav;");
} // namespace

void Tam_Main::GrundpfadSetzen(const QString& ordner) {
    QString pfad = AddBackslash(ordner);
    if (!pfad.isEmpty())
        pfad = AddBackslash(QDir::toNativeSeparators(QDir::cleanPath(QDir(pfad).absolutePath())));
    if (pfad == Grundpfad) return;
    Grundpfad = pfad;
    m_suchIndex.reset(); // another album, another index
}

void Tam_Main::HintergrundSetzen(quint32 farbe) {
    Hintergrundfarbe = farbe;
    foto->setColor(FarbeAusColorRef(farbe));
}

void Tam_Main::AlbumIndexOeffnen() {
    AlbumIndexDatei = Grundpfad + QStringLiteral("Pixolud.dat");
    const QString vorhanden = plattform::NameOhneGrossKlein(Grundpfad, QStringLiteral("Pixolud.dat"));
    AlbumIndexVorhanden = !vorhanden.isEmpty() && QFileInfo(Grundpfad + vorhanden).isFile();
    if (AlbumIndexVorhanden) AlbumIndexDatei = Grundpfad + vorhanden;
    AlbumIndex.reset(); // flushes the old index before the new one is read
    try {
        AlbumIndex = std::make_unique<TBigIniFile>(AlbumIndexDatei);
    } catch (const EFehler& e) {
        // An index that cannot be read: years and days come from the folders, and
        // the file is left alone (an index without a name is never written).
        FehlerAnzeigen(e.meldung);
        AlbumIndexVorhanden = false;
        AlbumIndex = std::make_unique<TBigIniFile>();
    }
}

void Tam_Main::EinstellungenLesen() {
    foto->setStretch(TextIstJa(PAR->WertLesen(QStringLiteral("Stretch"), QStringLiteral("Nein"))));
    foto->setGrossanpassen(TextIstJa(PAR->WertLesen(QStringLiteral("GrossStretch"), QStringLiteral("Ja"))));
    foto->setStatusbarVisible(TextIstJa(PAR->WertLesen(QStringLiteral("Info"), QStringLiteral("Ja"))));
    int farbe = 0;
    if (!ZahlAusText(PAR->WertLesen(QStringLiteral("Hintergrund"), QStringLiteral("0")), farbe))
        farbe = int(kHintergrundOhneZahl);
    HintergrundSetzen(quint32(farbe));
    AndereDateienMaske = PAR->WertLesen(QStringLiteral("AndereDateien"), kStandardMasken);
    m_andereAnzeigen =
        TextIstJa(PAR->WertLesen(QStringLiteral("AndereDateienAnzeigen"), QStringLiteral("Ja")));
    Aktion("ax_AndereDateienAnzeigen")->setChecked(m_andereAnzeigen);
    m_untenHoehe = PAR->ZahlLesen(QStringLiteral("AndereDateienHoehe"), 46);
}

void Tam_Main::BeschriftungSetzen() {
    QString titel = windowTitle();
    const QString ini = DateinameOhneEndung(StandardIniDateiName());
    if (!ini.isEmpty()) titel += QStringLiteral(" [") + ini + u']';
    if (Grundpfad.trimmed().compare(ProgrammVerzeichnis().trimmed(), Qt::CaseInsensitive) != 0)
        titel += QStringLiteral(" [") + Grundpfad + u']';
    setWindowTitle(titel);
}

void Tam_Main::EinstellungenSchreiben() {
    if (!NurAnzeige) {
        PAR->WertSchreiben(QStringLiteral("Grundpfad"), Grundpfad);
        PAR->WertSchreiben(QStringLiteral("cb_Jahr"), cb_Jahr->Text());
        PAR->WertSchreiben(QStringLiteral("cb_Tage"), cb_Tage->Key());
    }
    PAR->WertSchreiben(QStringLiteral("Stretch"), JaNeinText(foto->Stretch()));
    PAR->WertSchreiben(QStringLiteral("GrossStretch"), JaNeinText(foto->Grossanpassen()));
    PAR->WertSchreiben(QStringLiteral("Info"), JaNeinText(foto->StatusbarVisible()));
    PAR->WertSchreiben(QStringLiteral("Hintergrund"), QString::number(Hintergrundfarbe));
    PAR->WertSchreiben(QStringLiteral("AndereDateien"), AndereDateienMaske);
    PAR->WertSchreiben(QStringLiteral("AndereDateienHoehe"), QString::number(AndereDateienHoehe()));
    PAR->WertSchreiben(QStringLiteral("AndereDateienAnzeigen"), JaNeinText(AndereDateienAnzeigen()));
}

void Tam_Main::closeEvent(QCloseEvent* e) {
    try {
        EinstellungenSchreiben();
    } catch (const std::exception&) {
        FehlerAnzeigen(QStringLiteral("Sie haben keine Schreibrechte für \r") + PAR->EinstellungsDateiName());
    }
    // The burn list is saved also when the settings could not be written.
    Geschuetzt([this] { BrennlisteSchliessen(); });
    // Closing is never refused.
    e->accept();
}

void Tam_Main::ax_GrundpfadExecute() {
    auto& dlg = EinzelDialog<Tak_Directory>();
    dlg.ed->setText(Grundpfad);
    if (interaktion().ModalZeigen(dlg) != mrOk) return;
    // An emptied field or a folder that is not there would resolve against the
    // working folder: the album stays where it is.
    const QString gewaehlt = dlg.ed->Text().trimmed();
    if (!VerzeichnisExistiert(gewaehlt)) {
        Piep();
        return;
    }
    GrundpfadSetzen(gewaehlt);
    AlbumIndexOeffnen();
    JahreLesen();
    if (cb_Jahr->KeyList().isEmpty()) return;
    cb_Jahr->setKey(cb_Jahr->KeyList().last());
    TageLesen();
    if (cb_Tage->KeyList().isEmpty()) return;
    cb_Tage->setKey(cb_Tage->KeyList().first());
    TagAnzeigen([this] { foto->First(); });
}

void Tam_Main::ax_HintergrundExecute() {
    QColor farbe = FarbeAusColorRef(Hintergrundfarbe);
    if (interaktion().FarbeWaehlen(farbe)) HintergrundSetzen(ColorRefAusFarbe(farbe));
}
