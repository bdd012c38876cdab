// Tam_Main: commands on the current picture.
#include "app/alb_Main.h"

#include "album/alb_Loeschen.h"
#include "album/alb_ini.h"
#include "app/alb_SuchFenster.h"
#include "app/alb_Tagesindex.h"
#include "calendar/alb_Kalender.h"
#include "camera/alb_Kamera.h"
#include "display/alb_10Bilder.h"
#include "display/alc_3x3.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_grafik.h"
#include "settings/zpt_Parameter.h"
#include "shell/alb_SpeichernUnter.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Papierkorb.h"
#include "sys/zpt_Shell.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QFileInfo>

void Tam_Main::ax_BildDelExecute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty()) {
        Piep();
        return;
    }
    if (!JaNeinFrage(QStringLiteral("Soll das Bild \r") + datei +
                     QStringLiteral("\rin den Papierkorb verschoben werden?")))
        return;
    // A phone's Live Photo is a picture and a video of one name; both answers come before
    // anything moves.
    QStringList videos = ZugehoerigeVideos(datei);
    if (!videos.isEmpty() &&
        MeldungsDialog((videos.size() == 1 ? QStringLiteral("Soll auch das Video \r")
                                           : QStringLiteral("Sollen auch die Videos \r")) +
                           videos.join(u'\r') + QStringLiteral("\rin den Papierkorb verschoben werden?"),
                       MeldungsArt::Bestaetigung, mbJa | mbNein, mrYes) != mrYes)
        videos.clear();
    // A day's listing or a merge that came while the user was asked may have moved the
    // panel on: only the picture named in the question goes.
    if (foto->CurrentFileName() != datei) {
        Piep();
        return;
    }
    // The caption is set aside under the picture's identity, taken while it is still here.
    QStringList zeilen;
    BildtextLesen(datei, zeilen);
    const QString kennung = zeilen.isEmpty() ? QString() : BildKennung(datei);
    // Only the deletion of a day's last picture ends in the panel's begin-of-list
    // report; that path loads no picture, so no queued key runs while this is set.
    m_letztesBildGeloescht = foto->Count() == 1;
    bool geloescht = false;
    Geschuetzt([&] { geloescht = foto->DeleteCurrent(); });
    m_letztesBildGeloescht = false;
    if (!geloescht || QFileInfo::exists(datei)) return;
    if (!kennung.isEmpty()) {
        const QFileInfo fi(datei);
        // Left under the picture's name, the caption would pass to the next picture of that
        // name: the user has to know.
        if (!BildtextBeiseitelegen(fi.path(), fi.fileName(), kennung))
            FehlerAnzeigen(
                QStringLiteral("Die Bildunterschrift von\r") + datei +
                QStringLiteral("\rkonnte nicht beiseitegelegt werden. Ein neues Bild dieses Namens "
                               "zeigt sie, bis sie geändert wird.") +
                SperrZusatz());
    }
    for (const QString& video : videos) {
        const Entsorgung e = BildEntsorgen(video, QStringLiteral("Video"));
        if (e == Entsorgung::Fehler)
            FehlerAnzeigen(QStringLiteral("Das Video\r") + video +
                           QStringLiteral("\rkann nicht gelöscht werden."));
    }
}

void Tam_Main::Drehen(int grad) {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty()) {
        Piep();
        return;
    }
    // Only a JPEG turns without loss; a phone's HEIC picture stays as it is.
    if (!IstJpegName(datei)) {
        FehlerAnzeigen(QStringLiteral("Dieses Bild kann nicht verlustfrei gedreht werden."));
        return;
    }
    // A picture back from the trash whose caption was not shown yet: the caption goes into
    // its own section first, while the picture's bytes still prove it is the same picture.
    QStringList zeilen;
    BildtextLesen(datei, zeilen);
    // The tool reads and writes the same file; it replaces it only when it succeeded.
    ProgrammStartenUndWarten(JpegtranDatei,
                             QStringList{QStringLiteral("-rotate"), QString::number(grad), datei, datei},
                             ProgrammVerzeichnis(), true);
    foto->ReadFolderAt(true, datei);
    FotoFokus();
}

void Tam_Main::ax_DateiStartenExecute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty())
        Piep();
    else
        zptDateiStarten(datei, true);
    FotoFokus();
}

void Tam_Main::ax_DateiNameInsClipBoardExecute() {
    const QString datei = foto->CurrentFileName();
    if (!datei.isEmpty()) TextInZwischenablage(datei);
    Piep();
}

void Tam_Main::ax_SuchenExecute() {
    // One index per base folder; its cache file lives in the user's cache folder.
    if (!m_suchIndex)
        m_suchIndex =
            std::make_unique<TSuchDienst>(Grundpfad, TSuchIndex::CacheDateiFuer(Grundpfad), NurZahlJahre);
    if (!m_suchFenster) {
        m_suchFenster = new Tam_Suche(this);
        m_suchFenster->OnZeigen = [this](const TSuchTreffer& t) { SuchTrefferZeigen(t); };
    }
    m_suchFenster->Oeffnen(m_suchIndex.get());
}

void Tam_Main::SuchTrefferZeigen(const TSuchTreffer& t) {
    if (t.jahr.compare(cb_Jahr->Key(), Qt::CaseInsensitive) != 0) {
        cb_Jahr->setKey(t.jahr);
        TageLesen();
    }
    // A day still being read is read again: the hit's picture is placed when it has come.
    if (t.tag.compare(cb_Tage->Key(), Qt::CaseInsensitive) != 0 || foto->Grundpfad() != TagOrdnerAktuell() ||
        foto->OrdnerLaedtNoch()) {
        cb_Tage->setKey(t.tag);
        TagAnzeigen([this, bild = t.bild] { BildZeigen(bild); });
        return;
    }
    BildZeigen(t.bild);
}

void Tam_Main::BildZeigen(const QString& name) {
    const QStringList bilder = foto->Files();
    int stelle = 0;
    for (int i = 0; i < bilder.size(); ++i)
        if (bilder[i].compare(name, Qt::CaseInsensitive) == 0) stelle = i;
    foto->SetPosition(stelle);
}

void Tam_Main::SucheTagGeaendert(const QString& ordner) {
    if (m_suchIndex) m_suchIndex->TagGeaendert(ordner);
}

void Tam_Main::ax_RefreshExecute() {
    // Caption files another program changed are read at the next search, every one of
    // them: a change within the second of the last reading leaves no trace in the file's time.
    if (m_suchIndex) m_suchIndex->AllesNeuLesen();
    // So are the day folders: a drive's clock may not tell a change in the folder's time.
    FotoListenVergessen();
    const QString tag = cb_Tage->Key();
    const QString datei = foto->CurrentFileName();
    TageLesen();
    if (!cb_Tage->KeyList().isEmpty()) {
        cb_Tage->setKey(tag);
        foto->ReadFolderAt(true, datei);
    }
    FotoFokus();
}

void Tam_Main::ax_KameraExecute() {
    const QString tag = cb_Tage->Key();
    KameraFenster().Ausfuehren(Grundpfad);
    if (m_suchIndex) m_suchIndex->AllesPruefen(); // new days
    JahreLesen();
    TageLesen();
    if (!cb_Tage->KeyList().isEmpty()) cb_Tage->setKey(tag);
    TagAnzeigen([this] { foto->First(); });
    FotoFokus();
}

void Tam_Main::ax_3x3Execute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty()) {
        Piep();
        return;
    }
    dreiMalDrei->Zeigen(datei);
}

void Tam_Main::ax_10BilderExecute() {
    ZehnBilderFenster().Zeigen(foto->Grundpfad(), foto->Files(), foto->Position());
}

void Tam_Main::ax_SpeichernUnterExecute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty()) {
        Piep();
        return;
    }
    SpeichernUnterFenster().SpeichernUnter(datei);
}

void Tam_Main::ax_BearbeitenMitExecute() {
    const QString datei = foto->CurrentFileName();
    if (datei.isEmpty())
        Piep();
    else if (SpeichernUnterFenster().BearbeitenMit(datei))
        foto->ShowCurrent(); // the program may have changed the picture
    FotoFokus();
}

void Tam_Main::ax_KalenderExecute() {
    QDate datum = KalenderDatum(cb_Tage->Key());
    if (!datum.isValid()) {
        FehlerAnzeigen(QStringLiteral("Der Kalender arbeitet nur mit JJJJMMTT Verzeichnisnamen."));
        return;
    }
    if (KalenderFenster().Ausfuehren(Grundpfad, datum)) KalenderTagZeigen(datum);
}

void Tam_Main::KalenderTagZeigen(const QDate& datum) {
    const QString jahr = QString::number(datum.year());
    const QString tag = datum.toString(QStringLiteral("yyyyMMdd"));
    if (!VerzeichnisExistiert(KalenderTagOrdner(Grundpfad, datum))) return;
    if (jahr.compare(cb_Jahr->Key(), Qt::CaseInsensitive) != 0) {
        cb_Jahr->setKey(jahr);
        TageLesen();
    }
    if (tag.compare(cb_Tage->Key(), Qt::CaseInsensitive) != 0) {
        cb_Tage->setKey(tag);
        TagAnzeigen([this] { foto->First(); });
    }
    FotoFokus();
}

QString Tam_Main::StatusText() const {
    return QStringLiteral("Programmversion : Pixoluda 2.42 01.02.2012;;Grundpfad : ") + foto->Grundpfad() +
           QStringLiteral(";Bildname : ") + foto->CurrentFileName() + QStringLiteral(";Einstellungen : ") +
           PAR->EinstellungsDateiName();
}

void Tam_Main::ax_StatusExecute() {
    InfoListe(StatusText());
}
