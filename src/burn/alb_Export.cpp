#include "burn/alb_Export.h"

#include "album/alb_ini.h"
#include "display/zpt_JpegSchreiben.h"
#include "settings/BigIni.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Zeichnen.h"
#include "sys/zpt_sys.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

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
    for (QChar c : text)
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
    return dateien;
}

TExport::TExport(const QString& grundpfad, const QStringList& eintraege, TFortschritt& fortschritt)
    : m_grundpfad(AddBackslash(grundpfad)), m_eintraege(eintraege), m_fortschritt(fortschritt) {}

QStringList TExport::Quellen(bool nurJpeg) {
    QStringList quellen;
    for (const QString& eintrag : m_eintraege) {
        // A burn list is a text file anyone can edit: no entry may reach outside.
        const QString einheitlich = QString(eintrag).replace(u'\\', u'/');
        if (einheitlich.split(u'/').contains(QStringLiteral(".."))) {
            ++Fehlerzahl;
            continue;
        }
        const QString quelle = QDir::isAbsolutePath(eintrag) ? eintrag : m_grundpfad + eintrag;
        if (nurJpeg && QFileInfo(quelle).suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) != 0)
            continue;
        quellen << quelle;
    }
    return quellen;
}

QStringList TExport::CDDateiliste() {
    QStringList liste;
    for (const QString& quelle : Quellen(false)) {
        liste << quelle;
        // The day's caption file as it is spelt there ("ALBUM.DAT" when it has none).
        const QString album = AlbumDatei(OrdnerVon(quelle));
        if (!liste.contains(album, Qt::CaseInsensitive)) liste << album;
    }
    return liste + BetrachterDateien();
}

bool TExport::ZielDa(const QString& ziel) {
    // Without a target the copies would land in the working folder.
    if (!ziel.trimmed().isEmpty()) return true;
    ++Fehlerzahl;
    return false;
}

void TExport::CDKopieren(const QString& zielpfad, bool kopieren, const QString& dateiliste) {
    if (!ZielDa(zielpfad)) return;
    const QString t = AddBackslash(zielpfad);
    VerzeichnisErzwingen(t);
    TBigIniFile index(t + QStringLiteral("Pixolud.dat"));
    const QStringList liste = CDDateiliste();
    for (const QString& datei : liste) {
        if (NameVon(datei).compare(QLatin1String("Album.dat"), Qt::CaseInsensitive) != 0) continue;
        if (!datei.startsWith(m_grundpfad, Qt::CaseInsensitive)) continue; // not a day of this album
        // The day's section is the year of its date; a name without date gives 1899.
        const QString ordner = OrdnerVon(datei);
        const QDate datum = QDate::fromString(VerzeichnisDatumText(ordner), QStringLiteral("dd.MM.yyyy"));
        QString tag = ordner;
        tag.chop(1);
        index.WriteString(QString::number(datum.isValid() ? datum.year() : 1899), NameVon(tag),
                          TitelLesen(ordner, {}));
    }
    m_fortschritt.Start(kTitel, int(liste.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    if (!dateiliste.isEmpty()) ItemsToTextDatei(dateiliste, liste);
    m_fortschritt.Schritt();
    if (kopieren)
        for (const QString& datei : liste) {
            // Caption files are copied as "Album.dat", whatever their case.
            const bool album = NameVon(datei).compare(QLatin1String("Album.dat"), Qt::CaseInsensitive) == 0;
            const QString ziel =
                ZielName(album ? OrdnerVon(datei) + QStringLiteral("Album.dat") : datei, t, m_grundpfad);
            VerzeichnisErzwingen(OrdnerVon(ziel));
            DateiKopieren(datei, ziel); // a missing source is skipped; an error ends the routine
            m_fortschritt.Schritt();
            if (m_fortschritt.Abgebrochen()) break;
        }
    index.FlushFile();
}

void TExport::FotolaborKopieren(const QString& ziel) {
    if (!ZielDa(ziel)) return;
    const QStringList quellen = Quellen(true);
    m_fortschritt.Start(kTitel, int(quellen.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    const QString t = AddBackslash(ziel);
    for (const QString& quelle : quellen) {
        const QString name = EindeutigerDateiname(t, QStringLiteral("bild"), QStringLiteral(".jpg"));
        if (QFileInfo(quelle).isFile() && !DateiKopierenMitPfad(quelle, t + name + QStringLiteral(".jpg")))
            ++Fehlerzahl;
        m_fortschritt.Schritt();
        if (m_fortschritt.Abgebrochen()) break;
    }
}

void TExport::InVerzeichnisKopieren(const QString& quelle, const QString& ordner) {
    if (!QFileInfo(quelle).isFile()) return;
    const QString ziel = AddBackslash(ordner) + NameVon(quelle);
    VerzeichnisErzwingen(ordner);
    if (!VerzeichnisExistiert(ordner))
        InternerFehler({}, QStringLiteral("Sie haben keine Schreibrechte für \r") + ordner);
    try {
        DateiKopieren(quelle, ziel);
    } catch (const EFehler&) {
        FehlerAnzeigen(QStringLiteral("Fehler beim Kopieren von \r") + quelle + QStringLiteral("\r nach \r") +
                       ziel);
        ++Fehlerzahl;
    }
}

void TExport::NamenKopierenMitUnterverzeichnissen(const QString& ziel) {
    if (!ZielDa(ziel)) return;
    const QStringList quellen = Quellen(true);
    m_fortschritt.Start(kTitel, int(quellen.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    const QString t = AddBackslash(ziel);
    QString letzterOrdner, unterordner;
    for (const QString& quelle : quellen) {
        const QString d = OrdnerVon(quelle);
        if (d != letzterOrdner) {
            unterordner =
                DateinameBereinigen(DatumAlsName(VerzeichnisDatumText(d)) + u'_' + TitelLesen(d, {}));
            letzterOrdner = d;
        }
        InVerzeichnisKopieren(quelle, t + unterordner);
        m_fortschritt.Schritt();
        if (m_fortschritt.Abgebrochen()) break;
    }
}

void TExport::NamenKopierenFortlaufend(const QString& ziel) {
    if (!ZielDa(ziel)) return;
    const QStringList quellen = Quellen(true);
    m_fortschritt.Start(kTitel, int(quellen.size()) + 1);
    FortschrittEnde ende{m_fortschritt};
    const QString t = AddBackslash(ziel);
    VerzeichnisErzwingen(t);
    QString letzterOrdner;
    int zaehler = 0;
    for (const QString& quelle : quellen) {
        ++zaehler;
        const QString d = OrdnerVon(quelle);
        if (d != letzterOrdner) {
            if (!JpegSchreiben(Titelbild(d), t + Nummer(zaehler))) ++Fehlerzahl;
            letzterOrdner = d;
            ++zaehler;
        }
        if (QFileInfo(quelle).isFile() && !DateiKopierenMitPfad(quelle, t + Nummer(zaehler))) ++Fehlerzahl;
        m_fortschritt.Schritt();
        if (m_fortschritt.Abgebrochen()) break;
    }
}
