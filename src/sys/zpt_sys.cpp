#include "sys/zpt_sys.h"

#include "sys/alb_Konflikt.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

using plattform::PfadTrenner;

namespace {
QPointer<QObject> hauptfenster;

QString ErzwungenOderLeer(const QString& ordner) {
    return QDir().mkpath(ordner) ? AddBackslash(ordner) : QString();
}
} // namespace

bool DateiWaehlen(const QString& titel, QString& dateiname, const QString& maske) {
    QString endung = QFileInfo(maske).suffix();
    if (endung.contains(u'*') || endung.contains(u'?')) endung.clear();
    QString name = dateiname;
    if (!interaktion().DateiOeffnen(titel, maske + u'|' + maske, endung, name)) return false;
    dateiname = name;
    return true;
}

bool VerzeichnisWaehlen(QString& ordner, const QString&) {
    // The platform's folder browser; no file needs to be picked to name a folder.
    QString gewaehlt = ordner;
    if (!interaktion().OrdnerWaehlen(QStringLiteral("Verzeichnis wählen"), gewaehlt)) return false;
    ordner = AddBackslash(gewaehlt);
    return true;
}

void HauptfensterSetzen(QObject* fenster) {
    hauptfenster = fenster;
}
QObject* Hauptfenster() {
    return hauptfenster.data();
}

QString AddBackslash(const QString& text) {
    if (text.isEmpty() || text.endsWith(PfadTrenner)) return text;
    return text + PfadTrenner;
}

QString ProgrammVerzeichnis() {
    return AddBackslash(plattform::ProgrammOrdner());
}

QString TempVerzeichnis() {
    const QString t = plattform::TempOrdner();
    QDir().mkpath(t);
    return AddBackslash(t);
}

QString EigeneDateienVerzeichnis() {
    const QString d = plattform::DokumenteOrdner();
    return d.isEmpty() ? QString() : AddBackslash(d);
}

QString AnwendungsDatenVerzeichnis(const QString& unterName) {
    const QString basis = plattform::KonfigurationsOrdner();
    if (!basis.isEmpty()) {
        QString ordner = AddBackslash(basis) + QStringLiteral("Kefwerk");
        if (!unterName.isEmpty()) ordner += PfadTrenner + unterName;
        const QString r = ErzwungenOderLeer(ordner);
        if (!r.isEmpty()) return r;
    }
    const QString home = UmgebungsVariable(QStringLiteral("HOME"));
    if (!home.isEmpty()) {
        const QString r = ErzwungenOderLeer(AddBackslash(home) + u'.' +
                                            (unterName.isEmpty() ? QStringLiteral("Kefwerk") : unterName));
        if (!r.isEmpty()) return r;
    }
    return ProgrammVerzeichnis();
}

QString EinstellungsVerzeichnis() {
    const QString basis = plattform::KonfigurationsOrdner();
    if (!basis.isEmpty()) {
        const QString r = ErzwungenOderLeer(AddBackslash(basis) + QStringLiteral("Kefwerk"));
        if (!r.isEmpty()) return r;
    }
    return ProgrammVerzeichnis();
}

QString EindeutigerDateiname(const QString& ordner, const QString& praefix, const QString& endung) {
    QString ext = endung;
    if (!ext.isEmpty() && !ext.startsWith(u'.')) ext.prepend(u'.');
    const QString basis = AddBackslash(ordner);
    // Names differing only in case collide on a CD or a memory card: compare without case.
    QSet<QString> vorhanden;
    for (const QString& e :
         QDir(basis.isEmpty() ? QStringLiteral(".") : basis)
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        vorhanden.insert(e.toLower());
    for (qint64 zaehler = 0;; ++zaehler) {
        const QString name = praefix + QStringLiteral("%1").arg(zaehler, 4, 10, QChar(u'0'));
        if (!vorhanden.contains((name + ext).toLower())) return name;
    }
}

QString GroesseText(qint64 bytes) {
    if (bytes < 0) return QStringLiteral("??? Byte");
    const QLocale loc;
    auto mit = [&](double teiler, const char* einheit) {
        return loc.toString(double(bytes) / teiler, 'f', 2) + u' ' + QLatin1String(einheit);
    };
    if (bytes >= 1073741824) return mit(1073741824.0, "GB");
    if (bytes >= 1048576) return mit(1048576.0, "MB");
    if (bytes >= 1024) return mit(1024.0, "KB");
    return QString::number(bytes) + QStringLiteral(" Byte");
}

QString DateiGroesseText(const QString& datei) {
    const QFileInfo fi(datei);
    return GroesseText(fi.isFile() ? fi.size() : 0);
}

QString AnzahlText(qint64 anzahl, const QString& einzahl, const QString& mehrzahl) {
    if (anzahl == 1) return QStringLiteral("1 ") + einzahl;
    return QString::number(anzahl) + u' ' + mehrzahl;
}

QString UmgebungsVariable(const QString& name) {
    return qEnvironmentVariable(qPrintable(name));
}

bool DateiVorhanden(const QString& datei, bool melden) {
    if (QFileInfo(datei).isFile()) return true;
    if (melden)
        FehlerAnzeigen(QStringLiteral("Datei\r") + datei + QStringLiteral("\r") +
                       QStringLiteral("nicht vorhanden."));
    return false;
}

bool DateiMussVorhandenSein(const QString& datei) {
    if (!DateiVorhanden(datei, true)) throw EAbbruch();
    return true;
}

bool VerzeichnisExistiert(const QString& ordner) {
    return !ordner.isEmpty() && QFileInfo(AddBackslash(ordner)).isDir();
}

bool VerzeichnisErzwingen(const QString& ordner) {
    if (ordner.isEmpty()) return false;
    if (!VerzeichnisExistiert(ordner)) QDir().mkpath(ordner);
    QCoreApplication::processEvents();
    return VerzeichnisExistiert(ordner);
}

bool VerzeichnisLeer(const QString& ordner) {
    QDir dir(ordner);
    if (!dir.exists()) return true;
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
}

QString PfadOhneGrossKlein(const QString& pfad) {
    if (pfad.isEmpty() || QFileInfo::exists(pfad)) return pfad;
    QStringList teile = QDir::fromNativeSeparators(pfad).split(u'/');
    QString bisher = teile.value(0);
    for (int i = 1; i < teile.size(); ++i) {
        if (!teile[i].isEmpty() && !QFileInfo::exists(bisher + u'/' + teile[i])) {
            const QString gefunden =
                plattform::NameOhneGrossKlein(bisher.isEmpty() ? QStringLiteral("/") : bisher, teile[i]);
            if (gefunden.isEmpty()) return pfad; // not there in any spelling
            teile[i] = gefunden;
        }
        bisher += u'/' + teile[i];
    }
    return QDir::toNativeSeparators(teile.join(u'/'));
}

QString KanonischerPfad(const QString& pfad) {
    QString rest;
    QString da = QDir::cleanPath(QFileInfo(pfad).absoluteFilePath());
    // Up to the part that exists, which is resolved; the rest is appended as given.
    while (!da.isEmpty() && !QFileInfo::exists(da)) {
        const qsizetype t = da.lastIndexOf(u'/');
        if (t < 0) break;
        rest.prepend(da.mid(t));
        da.truncate(t);
    }
    const QString kanonisch = QFileInfo(da.isEmpty() ? QStringLiteral("/") : da).canonicalFilePath();
    return QDir::cleanPath((kanonisch.isEmpty() ? da : kanonisch) + rest);
}

bool LiegtIn(const QString& pfad, const QString& ordner) {
    const QString p = KanonischerPfad(pfad), o = KanonischerPfad(ordner);
    if (o.isEmpty()) return false;
    return p.compare(o, Qt::CaseInsensitive) == 0 ||
           p.startsWith(o.endsWith(u'/') ? o : o + u'/', Qt::CaseInsensitive);
}

bool DateiKopieren(const QString& quelle, const QString& ziel) {
    if (!QFileInfo(quelle).isFile()) return false;
    if (text::IstSchreibgeschuetzt(ziel))
        throw EFehler(QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.\r%3")
                          .arg(quelle, ziel, QStringLiteral("Das Ziel ist schreibgeschützt.")));
    // A copy counts as done only when it is complete: it takes the target's name then.
    QString grund;
    if (!plattform::DateiKopierenAtomar(quelle, ziel, false, grund))
        throw EFehler(
            QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.\r%3").arg(quelle, ziel, grund));
    return true;
}

bool DateiKopierenMitPfad(const QString& quelle, const QString& ziel) {
    if (!VerzeichnisErzwingen(QFileInfo(ziel).absolutePath())) return false;
    try {
        return DateiKopieren(quelle, ziel);
    } catch (const EFehler&) {
        return false;
    }
}

QDateTime DateiDatum(const QString& datei) {
    const QFileInfo fi(datei);
    if (!fi.isFile()) return {};
    return fi.lastModified();
}

bool UeberschreibenFrage(const QString& datei) {
    // A file of the same name in other case counts as the same file.
    const QFileInfo fi(datei);
    const QString vorhanden = plattform::NameOhneGrossKlein(fi.absolutePath(), fi.fileName());
    if (vorhanden.isEmpty()) return true;
    const QString name = datei.left(datei.size() - fi.fileName().size()) + vorhanden;
    return JaNeinFrageFormat(
        QStringLiteral("Die Datei %s existiert bereits.\rSoll sie überschrieben werden ?"), {name});
}

void DateiInfo(const QString& format, const QString& datei) {
    if (QFileInfo(datei).isFile())
        InfoFormat(format, {datei, DateiGroesseText(datei)});
    else
        FehlerAnzeigen(QStringLiteral("Die Datei\r") + datei + QStringLiteral("\rwurde nicht gefunden."));
}

void VerzeichnisseToItems(const QString& ordner, QStringList& liste) {
    liste.clear();
    liste = QDir(ordner).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
}

void DateienToItems(const QString& maske, QStringList& liste) {
    const int trenner = maske.lastIndexOf(PfadTrenner);
    DateienToItems(trenner < 0 ? QStringLiteral(".") : maske.left(trenner + 1),
                   QStringList{trenner < 0 ? maske : maske.mid(trenner + 1)}, liste);
}

void DateienToItems(const QString& ordner, const QStringList& masken, QStringList& liste) {
    liste.clear();
    QDir dir(ordner);
    dir.setNameFilters(masken);
    dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Unsorted);
    liste = dir.entryList();
    // What a cut-off write left is no file of the day, nor what a sync program put aside.
    liste.erase(std::remove_if(liste.begin(), liste.end(),
                               [](const QString& n) { return IstTempName(n) || IstSyncDatei(n); }),
                liste.end());
}

void DateienToItems(const QString& ordner, const QString& maske, QStringList& liste) {
    DateienToItems(AddBackslash(ordner) + maske, liste);
}

void TextDateiToItems(const QString& datei, QStringList& liste) {
    liste.clear();
    text::Gelesen g;
    if (!text::EinlesenOderFehler(datei, g)) return;
    static const QRegularExpression zeilenEnde(QStringLiteral("\r\n|\r|\n"));
    for (const QString& zeile : g.inhalt.split(zeilenEnde)) {
        qsizetype a = 0, e = zeile.size();
        while (a < e && zeile[a] == u' ')
            ++a;
        while (e > a && zeile[e - 1] == u' ')
            --e;
        if (e > a) liste << zeile.mid(a, e - a);
    }
}

void ItemsToTextDatei(const QString& datei, const QStringList& liste,
                      const std::function<bool()>& nochGueltig) {
    QString inhalt;
    for (const QString& zeile : liste)
        inhalt += zeile + QStringLiteral("\r\n");
    // A link is written through to its target, so it stays a link.
    QString grund;
    const QString ziel = regulaer::Ziel(datei, regulaer::Verweise::ImOrdner, &grund);
    if (ziel.isEmpty()) throw EFehler(grund);
    if (!text::DateiSchreiben(ziel, text::ListeKodieren(inhalt), &grund, nochGueltig))
        throw EFehler(QStringLiteral("nach %1 kann nicht geschrieben werden").arg(datei));
}
