#include "burn/alb_Export.h"

#include "album/alb_Loeschen.h"
#include "album/alb_ini.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_Heif.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "settings/BigIni.h"
#include "sys/alb_Konflikt.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Text.h"
#include "sys/zpt_Zeichnen.h"
#include "sys/zpt_sys.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPainter>
#include <QUrl>

using plattform::PfadTrenner;

namespace {
const QString kTitel = QStringLiteral("Kopieren ...");

// Ends a routine's progress whichever way it is left.
struct FortschrittEnde {
    TFortschritt& f;
    ~FortschrittEnde() { f.Stop(); }
};

bool ErlaubtesZeichen(QChar c) {
    static const QString umlaute = QString::fromUtf8("ÄÖÜäöüß");
    const char16_t u = c.unicode();
    return u == u' ' || u == u'$' || u == u'-' || u == u'@' || u == u'_' || u == u'~' ||
           (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
           umlaute.contains(c);
}

bool Bruchzeichen(QChar c) {
    return c == u' ' || c == u',' || c == u'-' || c == u'.' || c == u';';
}

QString OrdnerVon(const QString& datei) {
    return datei.left(datei.lastIndexOf(PfadTrenner) + 1);
}

QString NameVon(const QString& datei) {
    return datei.mid(datei.lastIndexOf(PfadTrenner) + 1);
}

// "dd.MM.yyyy" as JJJJMMTT when it is a date; otherwise unchanged.
QString DatumAlsName(const QString& text) {
    const QDate d = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("yyyyMMdd")) : text;
}

// A video is copied or named only as a regular file: never through a link (it may lead
// out of the album), never a pipe or device.
bool GewoehnlicheDatei(const QString& pfad) {
    const QFileInfo fi(pfad);
    return !fi.isSymLink() && fi.isFile();
}

QString Nummer(int zaehler) {
    return QStringLiteral("bild%1.jpg").arg(zaehler, 4, 10, QChar(u'0'));
}
} // namespace

QString ZielName(const QString& quelle, const QString& zielordner, const QString& grundpfad) {
    if (!grundpfad.isEmpty() && quelle.startsWith(grundpfad, Qt::CaseInsensitive))
        return zielordner + quelle.mid(grundpfad.size());
    return zielordner + NameVon(quelle);
}

QString DateinameBereinigen(const QString& text) {
    QString s;
    s.reserve(text.size());
    // Umlauts written as letter + diaeresis (as on a Mac) are the umlauts kept here.
    for (QChar c : text.normalized(QString::NormalizationForm_C))
        s += ErlaubtesZeichen(c) && c != u' ' ? c : QChar(u'_');
    QString ergebnis;
    bool vorigesBehalten = false; // the character before was a kept underscore
    for (QChar c : s) {
        if (c == u'_') {
            if (vorigesBehalten) {
                vorigesBehalten = false;
                continue;
            }
            vorigesBehalten = true;
        } else {
            vorigesBehalten = false;
        }
        ergebnis += c;
    }
    return ergebnis;
}

QStringList TitelZeilen(const QString& text, const QFontMetrics& fm, int breite) {
    QStringList zeilen;
    QString rest = text;
    while (!rest.isEmpty()) {
        QString zeile = rest;
        while (zeile.size() > 1 && fm.horizontalAdvance(zeile) >= breite) {
            // Back to the last break character before the line's last character.
            qsizetype b = zeile.size() - 2;
            while (b >= 0 && !Bruchzeichen(zeile[b]))
                --b;
            zeile.truncate(b >= 0 ? b + 1 : zeile.size() - 1);
        }
        zeilen << zeile;
        rest = rest.mid(zeile.size());
    }
    return zeilen;
}

QImage Titelbild(const QString& tagOrdner) {
    QImage bild(800, 600, QImage::Format_RGB32);
    bild.fill(Qt::black);
    QPainter p(&bild);
    // Arial where it is installed; elsewhere the metric twin the system maps it to.
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSize(36);
    schrift.setBold(true);
    p.setFont(schrift);
    p.setPen(Qt::white);
    const int h = p.fontMetrics().height() + 5;
    TextMittigZeichnen(p, QRect(QPoint(0, 20), QPoint(800, 20 + h)), VerzeichnisDatumText(tagOrdner));
    int y = h + 40;
    for (const QString& zeile : TitelZeilen(TitelLesen(tagOrdner, {}), p.fontMetrics(), 800)) {
        TextMittigZeichnen(p, QRect(QPoint(0, y), QPoint(800, y + h)), zeile);
        y += h + 20;
    }
    return bild;
}

QStringList BetrachterDateien() {
    const QString v = ProgrammVerzeichnis() + QStringLiteral("TemplateCDROM") + PfadTrenner;
    QStringList dateien;
    for (const char* name : plattform::BetrachterDateinamen)
        dateien << v + QString::fromLatin1(name);
    // The page that shows the album in any browser.
    for (const char* name : {"index.html", "pixoluda.js", "pixoluda.css"})
        dateien << v + QString::fromLatin1(name);
    return dateien;
}

QString HeifRenditionName(const QString& name) {
    constexpr qsizetype kGrenze = 255; // bytes in a name, on every file system of a medium
    const QString einfach = name + QStringLiteral(".jpg");
    if (QFile::encodeName(einfach).size() <= kGrenze) return einfach;
    const QString kennung =
        u'~' +
        QString::fromLatin1(
            QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(8)) +
        QStringLiteral(".jpg");
    QString anfang = name;
    while (!anfang.isEmpty() && QFile::encodeName(anfang + kennung).size() > kGrenze)
        anfang.chop(anfang.size() >= 2 && anfang.back().isLowSurrogate() ? 2 : 1);
    return anfang + kennung;
}

QString HeifRendition(const QString& heic) {
    return OrdnerVon(heic) + QStringLiteral("_jpg") + PfadTrenner + HeifRenditionName(NameVon(heic));
}

QByteArray BrowserAlbum(const QString& grundpfad, const QStringList& bilder, const QStringList& videos) {
    // Years and days as the program lists them, each day's pictures and videos in its order.
    struct TTag {
        QStringList bilder, videos;
    };
    QMap<QString, QMap<QString, TTag>> baum;
    const QString g = AddBackslash(grundpfad);
    for (const bool video : {false, true})
        for (const QString& datei : video ? videos : bilder) {
            if (!datei.startsWith(g, Qt::CaseInsensitive)) continue; // not in a day of this album
            const QStringList teile = datei.mid(g.size()).split(PfadTrenner);
            if (teile.size() != 3) continue;
            TTag& tag = baum[teile[0]][teile[1]];
            (video ? tag.videos : tag.bilder) << teile[2];
        }
    // Relative to the page, every character that means something in a URL escaped, so any
    // file name works.
    auto adresse = [](const QString& jahr, const QString& tag, const QByteArray& datei) {
        return QString::fromLatin1(QUrl::toPercentEncoding(jahr) + '/' + QUrl::toPercentEncoding(tag) + '/' +
                                   datei);
    };
    QStringList jahre = baum.keys();
    FotoDateienSortieren(jahre);
    QJsonArray jahrListe;
    for (const QString& jahr : jahre) {
        QStringList tage = baum[jahr].keys();
        FotoDateienSortieren(tage);
        QJsonArray tagListe;
        for (const QString& tag : tage) {
            const QString ordner = g + jahr + PfadTrenner + tag + PfadTrenner;
            const TTagTexte texte = TagTexteLesen(ordner);
            QStringList namen = baum[jahr][tag].bilder;
            FotoDateienSortieren(namen);
            QStringList filme = baum[jahr][tag].videos;
            FotoDateienSortieren(filme);
            // A video of a shown picture's name is that picture's motion, not listed again.
            // Of two, the one the program plays on P (the first by name, as the folder lists).
            QHash<QString, QString> bewegung; // base name (lower case) -> video
            for (const QString& name : namen)
                for (const QString& film : filme) {
                    const QString schluessel = QFileInfo(name).completeBaseName().toLower();
                    if (QFileInfo(film).completeBaseName().compare(QFileInfo(name).completeBaseName(),
                                                                   Qt::CaseInsensitive) == 0 &&
                        (!bewegung.contains(schluessel) || film < bewegung.value(schluessel)))
                        bewegung.insert(schluessel, film);
                }
            QJsonArray videoListe;
            for (const QString& film : filme)
                if (!bewegung.values().contains(film))
                    videoListe.append(QJsonObject{
                        {QStringLiteral("datei"), adresse(jahr, tag, QUrl::toPercentEncoding(film))},
                        {QStringLiteral("name"), film}});
            QJsonArray bildListe;
            for (const QString& name : namen) {
                const QStringList zeilen = texte.Zeilen(name);
                // A HEIC picture is shown from its JPEG rendition.
                const QByteArray datei = IstHeifName(name)
                                             ? "_jpg/" + QUrl::toPercentEncoding(HeifRenditionName(name))
                                             : QUrl::toPercentEncoding(name);
                // The caption the program shows: a picture captioned in another program
                // shows that caption until one is typed for it here.
                const QString text =
                    zeilen.isEmpty() ? EingebetteteBildunterschrift(ordner + name) : zeilen.join(u'\n');
                QJsonObject eintrag{{QStringLiteral("datei"), adresse(jahr, tag, datei)},
                                    {QStringLiteral("name"), name},
                                    {QStringLiteral("text"), text}};
                const QString film = bewegung.value(QFileInfo(name).completeBaseName().toLower());
                if (!film.isEmpty())
                    eintrag.insert(QStringLiteral("live"), adresse(jahr, tag, QUrl::toPercentEncoding(film)));
                bildListe.append(eintrag);
            }
            const QString& titel = texte.titel;
            QJsonObject tagEintrag{
                {QStringLiteral("name"), tag},
                {QStringLiteral("text"), VerzeichnisDatumText(ordner) +
                                             (titel.isEmpty() ? QString() : QStringLiteral(" - ") + titel)},
                {QStringLiteral("bilder"), bildListe}};
            if (!videoListe.isEmpty()) tagEintrag.insert(QStringLiteral("videos"), videoListe);
            tagListe.append(tagEintrag);
        }
        jahrListe.append(QJsonObject{{QStringLiteral("name"), jahr}, {QStringLiteral("tage"), tagListe}});
    }
    const QJsonObject album{{QStringLiteral("jahre"), jahrListe}};
    // JSON allows the line and paragraph separators raw in strings; JavaScript before
    // 2019 (older TVs and tablets) rejects the whole file for them.
    QByteArray json = QJsonDocument(album).toJson(QJsonDocument::Compact);
    json.replace("\xE2\x80\xA8", "\\u2028").replace("\xE2\x80\xA9", "\\u2029");
    return "window.PIXOLUDA_ALBUM = " + json + ";\n";
}

TExport::TExport(const QString& grundpfad, const QStringList& eintraege, TFortschritt& fortschritt)
    : m_grundpfad(AddBackslash(grundpfad)), m_eintraege(eintraege), m_fortschritt(fortschritt) {}

QString TExport::ZielVerweigert(const QString& ziel) const {
    if (!m_grundpfad.isEmpty() && LiegtIn(ziel, m_grundpfad))
        return QStringLiteral("Das Zielverzeichnis\r%1\rliegt im Album. Bitte wählen Sie ein Verzeichnis "
                              "außerhalb des Albums.")
            .arg(ziel);
    for (const QString& eintrag : m_eintraege) {
        const QString quelle = QDir::isAbsolutePath(eintrag) ? eintrag : m_grundpfad + eintrag;
        if (LiegtIn(quelle, ziel))
            return QStringLiteral(
                       "Das Zielverzeichnis\r%1\renthält Bilder der Brennliste. Bitte wählen Sie ein "
                       "anderes Verzeichnis.")
                .arg(ziel);
    }
    return {};
}

QString TExport::DateilisteVerweigert(const QString& datei) const {
    const QString name = NameVon(QDir::toNativeSeparators(datei));
    const bool albumDatei = name.compare(QLatin1String("ALBUM.DAT"), Qt::CaseInsensitive) == 0 ||
                            name.compare(QLatin1String("Pixolud.dat"), Qt::CaseInsensitive) == 0;
    bool bild = false;
    for (const QString& eintrag : m_eintraege)
        bild = bild || KanonischerPfad(QDir::isAbsolutePath(eintrag) ? eintrag : m_grundpfad + eintrag)
                               .compare(KanonischerPfad(datei), Qt::CaseInsensitive) == 0;
    if (!bild && !(albumDatei && LiegtIn(datei, m_grundpfad))) return {};
    return QStringLiteral(
               "Die Dateiliste kann nicht nach\r%1\rgeschrieben werden: die Datei gehört zum Album.")
        .arg(datei);
}

QString TExport::Zusammenfassung() const {
    QString text;
    if (Abbruch) {
        text = QStringLiteral("Der Export wurde abgebrochen.\r%1 von %2 Dateien wurden kopiert.")
                   .arg(Kopiert)
                   .arg(Geplant);
    } else if (Fehlerzahl == 0 && Fehlend() == 0) {
        text = QStringLiteral("Die Dateien wurden kopiert.");
    } else {
        text = QStringLiteral("%1 von %2 Dateien wurden kopiert.").arg(Kopiert).arg(Geplant);
        if (Fehlend() > 0)
            text +=
                QStringLiteral("\r%1 Bilder der Brennliste fehlen und wurden nicht kopiert.").arg(Fehlend());
        if (Fehlerzahl > 0)
            text += u'\r' + QString::number(Fehlerzahl) + QStringLiteral(" Fehler beim Kopieren.");
    }
    if (!m_fehlgeschlagen.isEmpty()) {
        // The first ones by name; a long list would not fit the message box.
        constexpr int kHoechstens = 10;
        text += QStringLiteral("\rFehler bei:");
        for (const QString& name : m_fehlgeschlagen.mid(0, kHoechstens))
            text += u'\r' + name;
        if (m_fehlgeschlagen.size() > kHoechstens)
            text += QStringLiteral("\r... und %1 weiteren").arg(m_fehlgeschlagen.size() - kHoechstens);
    }
    if (!m_syncDateien.isEmpty())
        text += QStringLiteral("\r%1 Konfliktkopien oder Zwischendateien eines Sync-Programms wurden nicht "
                               "kopiert.")
                    .arg(m_syncDateien.size());
    for (const QString& hinweis : m_hinweise)
        text += u'\r' + hinweis;
    if (OhneBildunterschrift > 0)
        text += QStringLiteral("\rBei %1 Bildern konnte die Bildunterschrift nicht in die Kopie geschrieben "
                               "werden.")
                    .arg(OhneBildunterschrift);
    return text;
}

QStringList TExport::Quellen(bool nurJpeg) {
    QStringList quellen;
    for (const QString& eintrag : m_eintraege) {
        // A burn list is a text file anyone can edit: no entry may reach outside.
        const QString einheitlich = QString(eintrag).replace(u'\\', u'/');
        if (einheitlich.split(u'/').contains(QStringLiteral(".."))) {
            ++Fehlerzahl;
            continue;
        }
        // "A.JPG" in the list is the "a.jpg" on the disk.
        const QString quelle =
            PfadOhneGrossKlein(QDir::isAbsolutePath(eintrag) ? eintrag : m_grundpfad + eintrag);
        // What a sync program put aside is no picture of the album (a list written by hand
        // or before the copy was known may name it).
        if (IstSyncDatei(NameVon(quelle))) {
            m_syncDateien.insert(quelle.toLower()); // counted once, however many modes skip it
            continue;
        }
        if (nurJpeg && QFileInfo(quelle).suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) != 0 &&
            !IstHeifName(quelle))
            continue;
        if (!QFileInfo(quelle).isFile()) {
            m_fehlend.insert(quelle.toLower()); // counted once, however many modes miss it
            continue;
        }
        quellen << quelle;
    }
    return quellen;
}

QStringList TExport::CDDateiliste() {
    return CDDateiliste(Quellen(false));
}

QStringList TExport::CDDateiliste(const QStringList& quellen, QSet<QString>* videos) const {
    QStringList liste;
    QSet<QString> aufgenommen, filme;   // lower case: each caption file and video once
    QHash<QString, QStringList> inhalt; // folder -> the names in it
    auto aufnehmen = [&](const QString& datei, bool video) {
        if (aufgenommen.contains(datei.toLower())) return;
        aufgenommen.insert(datei.toLower());
        liste << datei;
        if (!video) return;
        filme.insert(datei.toLower());
        if (videos) videos->insert(datei);
    };
    for (const QString& quelle : quellen) {
        // A picture listed twice is copied once and the second counted, as ever; a video
        // of the list taken along with its day already is just not taken again.
        if (filme.contains(quelle.toLower())) continue;
        liste << quelle;
        aufgenommen.insert(quelle.toLower());
        // The day's caption file as it is spelt there ("ALBUM.DAT" when it has none).
        const QString ordner = OrdnerVon(quelle);
        const QString album = AlbumDatei(ordner);
        const bool neuerTag = !aufgenommen.contains(album.toLower());
        aufnehmen(album, false);
        // Only a day of the album: a picture from elsewhere brings no folder of videos.
        // Each folder listed once, however many of its pictures are listed (a network drive
        // answers slowly). Pipes, devices and dangling links are listed too: refused, they
        // are named.
        auto gelistet = inhalt.constFind(ordner);
        if (gelistet == inhalt.cend())
            gelistet = inhalt.insert(
                ordner, QDir(ordner).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name));
        if (neuerTag && VideosDerTage && quelle.startsWith(m_grundpfad, Qt::CaseInsensitive)) {
            // Hidden files are left out: "._IMG_1.MOV" is a Mac's note on a video, no video.
            for (const QString& name : *gelistet)
                if (!name.startsWith(u'.') && IstVideo(name) && !IstSyncDatei(name))
                    aufnehmen(ordner + name, true);
        }
        if (IstVideo(NameVon(quelle))) continue; // a video of the list has no motion of its own
        for (const QString& video : ZugehoerigeVideos(quelle, *gelistet))
            if (!IstSyncDatei(NameVon(video))) aufnehmen(video, true);
    }
    return liste + BetrachterDateien();
}

bool TExport::VideoKopieren(const QString& quelle, const QString& ziel) {
    bool da = GewoehnlicheDatei(quelle);
    if (da) {
        try {
            NichtInsAlbum(quelle, ziel);
            da = DateiKopieren(quelle, ziel);
        } catch (const EFehler&) {
            da = false;
        }
    }
    if (!da) Fehlgeschlagen(quelle);
    return da;
}

bool TExport::ZielDa(const QString& ziel) {
    // Without a target the copies would land in the working folder.
    if (ziel.trimmed().isEmpty()) {
        ++Fehlerzahl;
        return false;
    }
    const QString grund = ZielVerweigert(ziel);
    if (grund.isEmpty()) return true;
    FehlerAnzeigen(grund);
    ++Fehlerzahl;
    return false;
}

bool TExport::ErstesMal(const QString& ziel) {
    const QString schluessel = KanonischerPfad(ziel).toLower();
    if (!m_geschrieben.contains(schluessel)) {
        m_geschrieben.insert(schluessel);
        return true;
    }
    return false;
}

void TExport::NichtInsAlbum(const QString& quelle, const QString& ziel) {
    // The target was checked, but a folder inside it may be a link back into the album:
    // writing through it would replace the originals.
    const QString ordner = OrdnerVon(ziel);
    auto geprueft = m_zielOrdner.constFind(ordner);
    if (geprueft == m_zielOrdner.cend())
        geprueft = m_zielOrdner.insert(ordner, !m_grundpfad.isEmpty() && LiegtIn(ordner, m_grundpfad));
    if (*geprueft)
        throw EFehler(QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.\r%3")
                          .arg(quelle, ziel, QStringLiteral("Das Ziel liegt im Album.")));
}

bool TExport::BildKopieren(const QString& quelle, const QString& ziel, bool alsJpeg) {
    NichtInsAlbum(quelle, ziel);
    const bool rendition = alsJpeg && IstHeifName(quelle);
    if (!rendition && (!TexteSchreiben || !IstJpegName(quelle))) return DateiKopieren(quelle, ziel);
    // Title and captions of the day read once for all its pictures.
    const QString ordner = OrdnerVon(quelle);
    if (!m_texte.contains(ordner)) m_texte.insert(ordner, TagTexteLesen(ordner));
    const TTagTexte& tag = m_texte[ordner];
    const QStringList zeilen = tag.Zeilen(NameVon(quelle));
    const QString& titel = tag.titel;
    QByteArray bytes;
    if (rendition) {
        // A HEIC picture where only JPEG will do: decoded and written as JPEG.
        bytes = MitHeifExif(HeifAlsJpeg(quelle, 90), quelle);
        if (bytes.isEmpty())
            throw EFehler(QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.\r%3")
                              .arg(quelle, ziel, QStringLiteral("Das Bild kann nicht gelesen werden.")));
    } else {
        if (zeilen.isEmpty() && titel.isEmpty()) return DateiKopieren(quelle, ziel);
        QFile f(quelle);
        if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxJpegDatei) {
            const bool ok = DateiKopieren(quelle, ziel);
            if (ok) ++OhneBildunterschrift;
            return ok;
        }
        bytes = f.readAll();
    }
    // The copy carries the caption; the original is only read.
    const bool mitText = TexteSchreiben && !(zeilen.isEmpty() && titel.isEmpty());
    QByteArray mit = mitText ? MitBildunterschrift(bytes, zeilen.join(u'\n'), titel) : bytes;
    // A caption too long for the picture's metadata, or no picture exiv2 can write: the
    // copy goes without it, and the summary says so.
    const bool ohneText = mitText && mit.isEmpty();
    if (ohneText && rendition) mit = bytes;
    if (mit.isEmpty()) {
        const bool ok = DateiKopieren(quelle, ziel); // copied as it is
        if (ok && ohneText) ++OhneBildunterschrift;
        return ok;
    }
    QString grund;
    if (!text::DateiSchreiben(ziel, mit, &grund))
        throw EFehler(
            QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.\r%3").arg(quelle, ziel, grund));
    QFile kopie(ziel);
    if (kopie.open(QIODevice::ReadWrite))
        kopie.setFileTime(QFileInfo(quelle).lastModified(), QFileDevice::FileModificationTime);
    if (ohneText) ++OhneBildunterschrift;
    return true;
}

bool TExport::BildKopierenMitPfad(const QString& quelle, const QString& ziel, bool alsJpeg) {
    if (!VerzeichnisErzwingen(QFileInfo(ziel).absolutePath())) return false;
    try {
        return BildKopieren(quelle, ziel, alsJpeg);
    } catch (const EFehler&) {
        return false;
    }
}

bool TExport::Weiter() {
    m_fortschritt.Schritt();
    // A cancel ends the routine it was given in; the routines after it run whole.
    if (!m_fortschritt.Abgebrochen()) return true;
    Abbruch = true;
    return false;
}

void TExport::Fehlgeschlagen(const QString& quelle, bool pfad) {
    ++Fehlerzahl;
    // Pictures of the album as the burn list names them.
    const bool imAlbum =
        pfad && !m_grundpfad.isEmpty() && quelle.startsWith(m_grundpfad, Qt::CaseInsensitive);
    m_fehlgeschlagen << (imAlbum ? quelle.mid(m_grundpfad.size()) : quelle);
}

void TExport::Sichern(TSammelSicherung& sicherung) {
    QString grund;
    if (sicherung.Abschliessen(&grund)) return;
    ++Fehlerzahl;
    m_hinweise << QStringLiteral("Die Kopien konnten nicht vollständig auf den Datenträger geschrieben "
                                 "werden: %1")
                      .arg(grund);
}

void TExport::CDKopieren(const QString& zielpfad, bool kopieren, const QString& dateiliste) {
    // The CD folder gets its index, album data and renditions with the file list alone
    // too (the list names them), so its target is checked in both cases.
    if (!ZielDa(zielpfad)) return;
    if (!dateiliste.isEmpty()) {
        const QString grund = DateilisteVerweigert(dateiliste);
        if (!grund.isEmpty()) {
            FehlerAnzeigen(grund);
            ++Fehlerzahl;
            return;
        }
    }
    const QString t = AddBackslash(zielpfad);
    const QStringList quellen = Quellen(false);
    QSet<QString> videos;
    const QStringList liste = CDDateiliste(quellen, &videos);
    m_fortschritt.Start(kTitel, int(liste.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    TSammelSicherung sicherung;
    if (!Weiter()) return;
    // The index of the CD: each day under the name of its year folder, so every day
    // stays reachable whatever its name.
    VerzeichnisErzwingen(t);
    sicherung.Ordner(t);
    TBigIniFile index(t + QStringLiteral("Pixolud.dat"));
    for (const QString& datei : liste) {
        if (NameVon(datei).compare(QLatin1String("Album.dat"), Qt::CaseInsensitive) != 0) continue;
        if (!datei.startsWith(m_grundpfad, Qt::CaseInsensitive)) continue; // not a day of this album
        QString tag = OrdnerVon(datei);
        tag.chop(1);
        const QString jahr = NameVon(OrdnerVon(tag).chopped(1));
        index.WriteString(jahr, NameVon(tag), TitelLesen(OrdnerVon(datei), {}));
    }
    if (kopieren) Geplant += int(liste.size());
    const QSet<QString> bilder(quellen.begin(), quellen.end());
    QStringList aufListe;  // the file list: the sources, each HEIC picture's rendition after it
    QStringList imBrowser; // the pictures the page shows
    QStringList filme;     // the videos it offers
    for (const QString& datei : liste) {
        if (videos.contains(datei)) {
            // Only a regular file is named or copied; a failed one does not end the routine.
            const QString ziel = ZielName(datei, t, m_grundpfad);
            bool da = false;
            if (!kopieren) {
                da = GewoehnlicheDatei(datei);
                if (!da) Fehlgeschlagen(datei);
            } else if (!ErstesMal(ziel)) {
                Fehlgeschlagen(datei);
            } else {
                VerzeichnisErzwingen(OrdnerVon(ziel));
                da = VideoKopieren(datei, ziel);
                if (da) ++Kopiert;
            }
            if (da) {
                aufListe << datei;
                filme << datei;
            }
            if (!Weiter()) break;
            continue;
        }
        const bool bild = bilder.contains(datei);
        // Caption files are copied as "Album.dat", whatever their case.
        const bool album = NameVon(datei).compare(QLatin1String("Album.dat"), Qt::CaseInsensitive) == 0;
        const QString ziel =
            ZielName(album ? OrdnerVon(datei) + QStringLiteral("Album.dat") : datei, t, m_grundpfad);
        bool da = !kopieren; // only listed: the source is what the list names
        if (kopieren) {
            if (!ErstesMal(ziel)) {
                if (bild)
                    Fehlgeschlagen(datei);
                else
                    ++Fehlerzahl;
            } else {
                VerzeichnisErzwingen(OrdnerVon(ziel));
                // A missing caption file or viewer file is skipped (the lists of pictures
                // name the missing ones); an error ends the routine.
                if (!bild) NichtInsAlbum(datei, ziel);
                da = bild ? BildKopieren(datei, ziel) : DateiKopieren(datei, ziel);
                if (da)
                    ++Kopiert;
                else if (bild)
                    m_fehlend.insert(datei.toLower());
            }
        }
        aufListe << datei;
        if (bild && da) {
            // Browsers other than Safari show no HEIC: a JPEG rendition for the page. A
            // picture without one stays out of the page rather than show there broken.
            if (IstVideo(NameVon(datei))) {
                filme << datei; // a video of the list plays; it is no picture
            } else if (!IstHeifName(datei)) {
                imBrowser << datei;
            } else if (const QString rendition = HeifRendition(ziel);
                       BildKopierenMitPfad(datei, rendition, true)) {
                imBrowser << datei;
                aufListe << rendition;
            } else {
                Fehlgeschlagen(datei);
            }
        }
        if (!Weiter()) break;
    }
    index.FlushFile();
    // The album data of the browser page: the pictures that are on the medium.
    const QString albumJs = t + QStringLiteral("album.js");
    QString grund;
    if (!text::DateiSchreiben(albumJs, BrowserAlbum(m_grundpfad, imBrowser, filme), &grund))
        throw EFehler(QStringLiteral("nach %1 kann nicht geschrieben werden").arg(albumJs));
    if (QFileInfo::exists(t + QStringLiteral("Pixolud.dat"))) aufListe << t + QStringLiteral("Pixolud.dat");
    aufListe << albumJs;
    if (!dateiliste.isEmpty()) ItemsToTextDatei(dateiliste, aufListe);
    Sichern(sicherung);
}

void TExport::FotolaborKopieren(const QString& ziel) {
    if (!ZielDa(ziel)) return;
    const QStringList quellen = Quellen(true);
    m_fortschritt.Start(kTitel, int(quellen.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    TSammelSicherung sicherung;
    Geplant += int(quellen.size());
    const QString t = AddBackslash(ziel);
    VerzeichnisErzwingen(t);
    sicherung.Ordner(t);
    for (const QString& quelle : quellen) {
        const QString name = t + EindeutigerDateiname(t, QStringLiteral("bild"), QStringLiteral(".jpg")) +
                             QStringLiteral(".jpg");
        if (!ErstesMal(name)) {
            Fehlgeschlagen(quelle);
        } else if (!BildKopierenMitPfad(quelle, name, true)) {
            // Never written: the name is free again for the next picture.
            m_geschrieben.remove(KanonischerPfad(name).toLower());
            Fehlgeschlagen(quelle);
        } else {
            ++Kopiert;
        }
        if (!Weiter()) break;
    }
    Sichern(sicherung);
}

void TExport::InVerzeichnisKopieren(const QString& quelle, const QString& ordner) {
    const QString ziel = AddBackslash(ordner) + NameVon(quelle);
    if (!ErstesMal(ziel)) {
        Fehlgeschlagen(quelle);
        return;
    }
    VerzeichnisErzwingen(ordner);
    if (!VerzeichnisExistiert(ordner))
        InternerFehler({}, QStringLiteral("Sie haben keine Schreibrechte für \r") + ordner);
    try {
        // A picture gone since the list was made is missing, not copied.
        if (BildKopieren(quelle, ziel))
            ++Kopiert;
        else
            m_fehlend.insert(quelle.toLower());
    } catch (const EFehler&) {
        FehlerAnzeigen(QStringLiteral("Fehler beim Kopieren von \r") + quelle + QStringLiteral("\r nach \r") +
                       ziel);
        Fehlgeschlagen(quelle);
    }
}

void TExport::NamenKopierenMitUnterverzeichnissen(const QString& ziel) {
    if (!ZielDa(ziel)) return;
    const QStringList quellen = Quellen(true);
    m_fortschritt.Start(kTitel, int(quellen.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    TSammelSicherung sicherung;
    Geplant += int(quellen.size());
    const QString t = AddBackslash(ziel);
    VerzeichnisErzwingen(t);
    sicherung.Ordner(t);
    // Day folder -> its subfolder; two days never share one (no date and no title gives
    // "_" for both): the day folder's own name makes such a name unique.
    QHash<QString, QString> unterordner;
    QSet<QString> vergeben;
    for (const QString& quelle : quellen) {
        const QString d = OrdnerVon(quelle);
        if (!unterordner.contains(d.toLower())) {
            QString name =
                DateinameBereinigen(DatumAlsName(VerzeichnisDatumText(d)) + u'_' + TitelLesen(d, {}));
            if (name == u"_" || vergeben.contains(name.toLower()))
                name = DateinameBereinigen(NameVon(d.chopped(1)) + u'_' + name);
            for (int n = 2; vergeben.contains(name.toLower()); ++n)
                name = DateinameBereinigen(NameVon(d.chopped(1))) + QStringLiteral("_%1").arg(n);
            vergeben.insert(name.toLower());
            unterordner.insert(d.toLower(), name);
        }
        InVerzeichnisKopieren(quelle, t + unterordner.value(d.toLower()));
        if (!Weiter()) break;
    }
    Sichern(sicherung);
}

void TExport::NamenKopierenFortlaufend(const QString& ziel) {
    if (!ZielDa(ziel)) return;
    const QStringList quellen = Quellen(true);
    m_fortschritt.Start(kTitel, int(quellen.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    TSammelSicherung sicherung;
    Geplant += int(quellen.size());
    const QString t = AddBackslash(ziel);
    VerzeichnisErzwingen(t);
    sicherung.Ordner(t);
    QString letzterOrdner;
    int zaehler = 0;
    for (const QString& quelle : quellen) {
        ++zaehler;
        const QString d = OrdnerVon(quelle);
        if (d != letzterOrdner) {
            ++Geplant;
            if (!ErstesMal(t + Nummer(zaehler)) || !JpegSchreiben(Titelbild(d), t + Nummer(zaehler)))
                Fehlgeschlagen(QStringLiteral("Titelbild ") + Nummer(zaehler), false);
            else
                ++Kopiert;
            letzterOrdner = d;
            ++zaehler;
        }
        if (!ErstesMal(t + Nummer(zaehler)) || !BildKopierenMitPfad(quelle, t + Nummer(zaehler), true))
            Fehlgeschlagen(quelle);
        else
            ++Kopiert;
        if (!Weiter()) break;
    }
    Sichern(sicherung);
}
