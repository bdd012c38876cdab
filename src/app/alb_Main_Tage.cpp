// Tam_Main: the year and day lists and the day shown in the photo panel.
#include "app/alb_Main.h"

#include "album/alb_TagTitel.h"
#include "album/alb_Videos.h"
#include "album/alb_ini.h"
#include "app/alb_Tagesindex.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_FotoPanel.h"
#include "settings/BigIni.h"
#include "sys/TStringlistBox.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include "sys/zpt_Plattform.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QScopedValueRollback>
#include <QTextEdit>

namespace {
// A year folder looked at (its existence, its listing) in longer than this lies on a slow drive.
constexpr qint64 kLangsamerOrdnerMs = 5;
} // namespace

void Tam_Main::JahreLesen() {
    cb_Jahr->Leeren();
    cb_Tage->Leeren();
    const QStringList jahre =
        JahreAuflisten(Grundpfad, AlbumIndexVorhanden ? AlbumIndex.get() : nullptr, NurZahlJahre);
    sl_Jahr->setStrings(jahre);
    for (const QString& jahr : jahre)
        cb_Jahr->AddKey(jahr, jahr);
}

void Tam_Main::TageLesen() {
    const QString tagVorher = cb_Tage->Key(), bildVorher = foto->CurrentFileName();
    cb_Tage->Leeren();
    const QString jahr = cb_Jahr->ListenKey();
    QString hinweis;
    // Titles read within a moment; on a slow drive the rest come from what is known and
    // are read in the background (TitelNachgelesen).
    TTagTitel& speicher = TTagTitel::Instanz();
    QElapsedTimer uhr;
    uhr.start();
    QDeadlineTimer frist(TitelFristMs);
    bool erster = true;
    QStringList offen;
    const auto titel = [&](const QString& ordner) {
        // Looking at the year folder alone took that long: a slow drive, whose titles are
        // all read in the background.
        if (erster && uhr.elapsed() > kLangsamerOrdnerMs) frist = QDeadlineTimer(0);
        erster = false;
        if (frist.hasExpired()) speicher.AusSuchCache(Grundpfad);
        return speicher.Titel(ordner, frist, offen);
    };
    const auto tage =
        TageAuflisten(Grundpfad, jahr, AlbumIndexVorhanden ? AlbumIndex.get() : nullptr, &hinweis, titel);
    speicher.Nachlesen(offen);
    m_jahrOhneTage = tage.isEmpty() && !hinweis.isEmpty();
    // Told once a year and run, not at every refresh of the list; a drive that is gone
    // once until it is back.
    const bool albumFort = m_jahrOhneTage && !VerzeichnisExistiert(Grundpfad);
    if (!hinweis.isEmpty() &&
        (albumFort ? !m_albumFortGemeldet : !m_gemeldeteJahre.contains(jahr.toLower()))) {
        if (albumFort)
            m_albumFortGemeldet = true;
        else
            m_gemeldeteJahre.insert(jahr.toLower());
        InfoAnzeigen(hinweis);
    }
    WiederkehrAbwarten(albumFort, tagVorher, bildVorher);
    QStringList namen;
    for (const TzptKeyString& t : tage) {
        cb_Tage->AddKey(t.key, t.text);
        namen << t.key;
    }
    sl_Tage->setStrings(namen);
}

void Tam_Main::TitelNachgelesen(const QString& ordner, const QString& titel) {
    if (AlbumIndexVorhanden || cb_Jahr->KeyIndex() < 0) return; // the index names the titles
    const QString jahrOrdner = AddBackslash(AddBackslash(Grundpfad) + cb_Jahr->ListenKey());
    if (!ordner.startsWith(jahrOrdner) || !ordner.endsWith(plattform::PfadTrenner)) return;
    const QString tag = ordner.mid(jahrOrdner.size()).chopped(1);
    cb_Tage->TextSetzen(tag, TagDatumText(tag) + QStringLiteral(" - ") + titel);
}

QString Tam_Main::TagOrdnerAktuell() const {
    // Only a listed day of a listed year is shown; anything else shows nothing.
    if (cb_Jahr->KeyIndex() < 0 || cb_Tage->KeyIndex() < 0) return {};
    return TagOrdner(Grundpfad, cb_Jahr->ListenKey(), cb_Tage->ListenKey());
}

void Tam_Main::TagAnzeigen(std::function<void()> danach) {
    const quint64 nr = ++m_tagNr;
    foto->setAnzeigeEnabled(false);
    foto->setGrundpfad(TagOrdnerAktuell());
    const QString ordner = foto->Grundpfad(), maske = AndereDateienMaske;
    const std::function<TagDateien()> lesen = [ordner, maske] {
        TagDateien d;
        if (ordner.isEmpty()) return d;
        d.bilder = FotoDateienLesen(ordner, true);
        d.live = LiveVideos(ordner);
        if (!maske.isEmpty()) d.andere = TzptKeyComboBox::DateienAuflisten(ordner, maske, false, false);
        return d;
    };
    TagDateien dateien;
    // No day: nothing to read. Else read in the background, waited for a moment: a drive
    // that hangs must not freeze the window.
    if (ordner.isEmpty() || LesenBis<TagDateien>(
                                m_tagLeser, lesen, QDeadlineTimer(TagFristMs), this,
                                [this, nr, danach](const TagDateien& d) {
                                    if (nr == m_tagNr) TagZeigen(d, danach);
                                },
                                dateien)) {
        TagZeigen(dateien, danach);
        return;
    }
    TagLaedt();
}

void Tam_Main::TagLaedt() {
    AndereDateienSetzen({});
    re->clear();
    FensterteileAnpassen();
    foto->OrdnerLaedt();
    KonfliktHinweisZeigen();
}

void Tam_Main::TagZeigen(const TagDateien& dateien, const std::function<void()>& danach) {
    AndereDateienSetzen(dateien.andere);
    FensterteileAnpassen();
    foto->DateienSetzen(dateien.bilder, dateien.live);
    foto->setAnzeigeEnabled(true);
    // Conflict copies are merged in the background; the notice follows when it is done.
    KonfliktHinweisZeigen();
    if (KonfliktLauf) KonfliktLauf->Pruefen(TagOrdnerAktuell(), true);
    if (danach) danach();
}

void Tam_Main::cb_JahrChange() {
    // Showing an empty year reports its end; only the user's paging leaves the year.
    const QScopedValueRollback<bool> wechsel(m_imJahrWechsel, true);
    TageLesen();
    if (!cb_Tage->KeyList().isEmpty()) cb_Tage->setKey(cb_Tage->KeyList().first());
    TagAnzeigen([this] { foto->First(); });
    FotoFokus();
}

void Tam_Main::cb_TageChange() {
    TagAnzeigen([this] { foto->First(); });
    FotoFokus();
}

bool Tam_Main::AusLeeremJahr(int schritt) {
    // A year that could not be read has no days to page through: paging leaves it.
    if (!m_jahrOhneTage || m_imJahrWechsel) return false;
    const int j = cb_Jahr->KeyIndex() + schritt;
    if (j < 0 || j >= cb_Jahr->KeyList().size()) return false;
    cb_Jahr->setKey(cb_Jahr->KeyList()[j]);
    cb_JahrChange();
    if (schritt < 0 && !cb_Tage->KeyList().isEmpty()) {
        cb_Tage->setKey(cb_Tage->KeyList().last());
        TagAnzeigen([this] { foto->Last(); });
    }
    return true;
}

void Tam_Main::ax_NextDayExecute() {
    if (!cb_Tage->NaechsterKey() && !AusLeeremJahr(+1)) Piep();
}

void Tam_Main::ax_PrevDayExecute() {
    const int i = cb_Tage->KeyIndex();
    if (i <= 0) {
        if (!AusLeeremJahr(-1)) Piep();
        return;
    }
    // Days without pictures are passed over backwards here, by the command itself:
    // paging forward from an empty day would bounce back to where the user was.
    const QString grund = Grundpfad, jahr = cb_Jahr->ListenKey();
    const QStringList tage = cb_Tage->KeyList();
    const std::function<int()> suchen = [grund, jahr, tage, i] {
        int ziel = i - 1;
        while (ziel > 0 && FotoDateienLesen(TagOrdner(grund, jahr, tage[ziel]), false).isEmpty())
            --ziel;
        return ziel;
    };
    const auto gehen = [this](int ziel) {
        cb_Tage->setKey(cb_Tage->KeyList()[ziel]);
        // The first day of the year may be empty too: it stays shown without a picture.
        TagAnzeigen([this] {
            if (foto->Count() > 0) foto->First();
        });
        FotoFokus();
    };
    int ziel = i - 1;
    if (LesenBis<int>(
            m_tagLeser, suchen, QDeadlineTimer(TagFristMs), this,
            [this, nr = m_tagNr + 1, gehen, tage](int z) {
                // Still waiting on the day before, in the same list: the day found is shown.
                if (nr == m_tagNr && cb_Tage->KeyList() == tage) gehen(z);
            },
            ziel)) {
        gehen(ziel);
        return;
    }
    // A slow drive: the day before waits for the search, shown as being loaded.
    cb_Tage->setKey(tage[i - 1]);
    ++m_tagNr;
    foto->setAnzeigeEnabled(false);
    foto->setGrundpfad(TagOrdnerAktuell());
    TagLaedt();
    FotoFokus();
}
