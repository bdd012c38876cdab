#include "settings/BigIni.h"

#include "sys/zpt_Fehler.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_Text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QLocale>

namespace {
bool Gleich(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString SchluesselVon(const QString& zeile) {
    const qsizetype gleich = zeile.indexOf(u'=');
    return gleich < 0 ? QString() : zeile.left(gleich);
}

bool IstKopf(const QString& zeile) {
    return zeile.size() >= 2 && zeile.front() == u'[' && zeile.back() == u']';
}

bool IstBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

const QString kDatum = QStringLiteral("dd.MM.yyyy");
const QString kZeit = QStringLiteral("hh:mm:ss");
} // namespace

bool BigIniZahl(const QString& roh, int& zahl) {
    QString text = roh;
    if (text.size() >= 2 && text.left(2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0)
        text = u'$' + text.mid(2, 255);
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negativ = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negativ = text[i++] == u'-';
    int basis = 10;
    if (i < text.size() && text[i] == u'$') {
        basis = 16;
        ++i;
    }
    const QString ziffern = text.mid(i);
    if (ziffern.isEmpty()) return false;
    bool ok = false;
    const qulonglong wert = ziffern.toULongLong(&ok, basis);
    if (!ok || ziffern.startsWith(u'+') || ziffern.startsWith(u'-')) return false;
    if (basis == 16 ? wert > 0xFFFFFFFFULL : wert > (negativ ? 2147483648ULL : 2147483647ULL)) return false;
    const qint64 v = basis == 16 ? qint64(qint32(quint32(wert))) : qint64(wert);
    zahl = int(negativ ? -v : v);
    return true;
}

TBigIniFile::TBigIniFile(const QString& dateiName) {
    setFileName(dateiName);
}

TBigIniFile::~TBigIniFile() {
    try {
        FlushFile();
    } catch (const EFehler&) {
    }
}

void TBigIniFile::setFileName(const QString& name) {
    FlushFile();
    Clear();
    m_dateiName = name;
    m_aenderungen.clear();
    try {
        m_stand = DateiStand(name);
        if (!name.isEmpty()) LoadFile(name);
    } catch (const EFehler&) {
        // A file that cannot be read is never written over with what little we hold.
        m_dateiName.clear();
        throw;
    }
    m_geaendert = false;
}

void TBigIniFile::Clear() {
    m_sektionen.clear();
    m_listeVorige = 0;
}

void TBigIniFile::LoadFile(const QString& pfad) {
    QElapsedTimer uhr;
    uhr.start();
    m_vorige = 0;
    m_ladedauerMs = 0;
    m_keinText = false;
    m_inhaltHash = qHash(QString());
    text::Gelesen g;
    if (!text::EinlesenOderFehler(pfad, g)) return;
    // Binary bytes (a link in the folder to a picture, say) are no index: read as they
    // are, but never rewritten, which would replace that file by a text file.
    m_keinText = text::KeinText(g.inhalt);
    m_utf8 = g.utf8;
    m_inhaltHash = qHash(g.inhalt);
    const QString& s = g.inhalt;
    Sektion* aktuell = nullptr;
    qsizetype start = 0;
    while (start < s.size()) {
        qsizetype ende = s.indexOf(u'\n', start);
        if (ende < 0) ende = s.size();
        QString zeile = s.mid(start, ende - start);
        start = ende + 1;
        if (zeile.endsWith(u'\r')) zeile.chop(1);
        if (zeile == QChar(0x1A)) zeile.clear();
        if (DropCommentLines && zeile.startsWith(u';')) zeile.clear();
        if (zeile.isEmpty()) continue;
        if (IstKopf(zeile)) {
            m_sektionen.append({zeile.mid(1, zeile.size() - 2), {}});
            aktuell = &m_sektionen.back();
            continue;
        }
        const qsizetype gleich = zeile.indexOf(u'=');
        if (DropWhiteSpace && gleich > 0) {
            qsizetype g2 = gleich;
            while (g2 > 0 && IstBlank(zeile[g2 - 1]))
                zeile.remove(--g2, 1);
            while (g2 + 1 < zeile.size() && IstBlank(zeile[g2 + 1]))
                zeile.remove(g2 + 1, 1);
        }
        if (DropQuotes) {
            const qsizetype g2 = zeile.indexOf(u'=');
            if (g2 > 0 && g2 + 1 < zeile.size() - 1 && (zeile[g2 + 1] == u'"' || zeile[g2 + 1] == u'\'') &&
                zeile.back() == zeile[g2 + 1]) {
                zeile.chop(1);
                zeile.remove(g2 + 1, 1);
            }
        }
        if (TrimRight)
            while (!zeile.isEmpty() && zeile.back().unicode() < 0x21)
                zeile.chop(1);
        if (DropLinesWithoutEquals && !zeile.contains(u'=')) continue;
        if (aktuell) aktuell->zeilen.append(zeile);
    }
    DoppelteEntfernen();
    m_ladedauerMs = uhr.elapsed();
}

void TBigIniFile::DoppelteEntfernen() {
    if (m_sektionen.size() < 2) return;
    QHash<QString, bool> gesehen;
    QVector<Sektion> bleibende;
    bleibende.reserve(m_sektionen.size());
    for (Sektion& s : m_sektionen) {
        const QString schluessel = s.name.toLower();
        if (gesehen.contains(schluessel)) continue; // the earlier occurrence stays
        gesehen.insert(schluessel, true);
        bleibende.append(std::move(s));
    }
    if (bleibende.size() != m_sektionen.size()) m_geaendert = true;
    m_sektionen = std::move(bleibende);
}

int TBigIniFile::SektionSuchen(const QString& name) const {
    const int n = int(m_sektionen.size());
    if (n == 0) return -1;
    if (m_vorige >= n) m_vorige = 0;
    for (int i = 0, j = m_vorige; i < n; ++i, j = (j + 1) % n)
        if (Gleich(m_sektionen[j].name, name)) {
            m_vorige = j;
            return j;
        }
    return -1;
}

int TBigIniFile::SektionSuchenOderAnlegen(const QString& name) {
    const int i = SektionSuchen(name);
    if (i >= 0) return i;
    m_sektionen.append({name, {}});
    m_vorige = int(m_sektionen.size()) - 1;
    return m_vorige;
}

int TBigIniFile::ListeSuchen(const QString& name) const {
    const int n = int(m_sektionen.size());
    if (m_listeVorige >= n) m_listeVorige = 0;
    for (int i = m_listeVorige; i < n; ++i)
        if (Gleich(m_sektionen[i].name, name)) return m_listeVorige = i;
    for (int i = 0; i < m_listeVorige; ++i)
        if (Gleich(m_sektionen[i].name, name)) return m_listeVorige = i;
    return -1;
}

int TBigIniFile::ZeileSuchen(const QStringList& zeilen, const QString& schluessel) {
    for (int i = 0; i < zeilen.size(); ++i) {
        const qsizetype gleich = zeilen[i].indexOf(u'=');
        if (gleich >= 0 && QStringView(zeilen[i]).left(gleich).compare(schluessel, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TBigIniFile::DeleteKey(const QString& sektion, const QString& schluessel) {
    const int s = SektionSuchenOderAnlegen(sektion);
    const int z = ZeileSuchen(m_sektionen[s].zeilen, schluessel);
    if (z < 0) return;
    m_sektionen[s].zeilen.removeAt(z);
    m_geaendert = true;
    m_aenderungen.append({Aenderung::Loeschen, sektion, schluessel, {}});
}

void TBigIniFile::EraseSection(const QString& sektion) {
    const int s = ListeSuchen(sektion);
    if (s >= 0) m_sektionen.remove(s);
    m_geaendert = true;
    m_aenderungen.append({Aenderung::SektionLoeschen, sektion, {}, {}});
    m_listeVorige = 0;
    if (m_vorige >= m_sektionen.size()) m_vorige = 0;
}

QString TBigIniFile::Bild() const {
    QString s;
    for (const Sektion& sek : m_sektionen) {
        if (sek.zeilen.isEmpty()) continue;
        s += u'[' + sek.name + QStringLiteral("]\r\n");
        for (const QString& z : sek.zeilen)
            s += z + QStringLiteral("\r\n");
        s += QStringLiteral("\r\n");
    }
    return s;
}

void TBigIniFile::Anwenden(const QVector<Aenderung>& aenderungen) {
    for (const Aenderung& a : aenderungen)
        switch (a.art) {
        case Aenderung::Schreiben:
            WriteString(a.sektion, a.schluessel, a.wert);
            break;
        case Aenderung::Loeschen:
            DeleteKey(a.sektion, a.schluessel);
            break;
        case Aenderung::SektionLoeschen:
            EraseSection(a.sektion);
            break;
        }
}

void TBigIniFile::Nachladen() {
    const QVector<Aenderung> eigene = std::move(m_aenderungen);
    m_aenderungen.clear();
    Clear();
    LoadFile(m_dateiName);
    Anwenden(eigene);
    m_geaendert = true;
}

bool TBigIniFile::NochDa(qint64 dauerMs, int versuch) const {
    // A writer that read the file before this write replaces it within about the time
    // this write took; then the file tells whether this instance's changes are in it.
    NachpruefenWarten(dauerMs, versuch);
    // Read in any case: a new file may carry the freed identity of an old one.
    TBigIniFile jetzt;
    jetzt.LoadFile(m_dateiName);
    const QString vorher = jetzt.Bild();
    jetzt.Anwenden(m_aenderungen);
    return jetzt.Bild() == vorher;
}

void TBigIniFile::FlushFile() {
    if (!m_geaendert) return;
    if (!m_dateiName.isEmpty()) {
        // A link is written through to its target, so it stays a link.
        QString grund;
        const QString ziel = regulaer::Ziel(m_dateiName, regulaer::Verweise::ImOrdner, &grund);
        if (ziel.isEmpty()) throw EFehler(grund);
        const TDateiSperre sperre(ziel);
        if (!sperre.Erhalten()) throw EFehler(SperrMeldung(m_dateiName));
        for (int versuch = 1;; ++versuch) {
            QElapsedTimer uhr;
            uhr.start();
            if (DateiStand(m_dateiName) != m_stand) Nachladen();
            if (m_keinText)
                throw EFehler(QStringLiteral("Die Datei \r%1\renthält keinen Text und wird nicht geändert.")
                                  .arg(QDir::toNativeSeparators(m_dateiName)));
            text::Gelesen vorher;
            vorher.utf8 = m_utf8;
            // Written beside the old file and renamed over it: a failed flush keeps the old one.
            // Without locks, only over the file as it was read: another writer's replace
            // since then means making the changes again on that one.
            bool veraltet = false;
            std::function<bool()> nochGueltig;
            if (sperre.OhneSperre())
                nochGueltig = [&] {
                    text::Gelesen jetzt;
                    veraltet = text::Einlesen(ziel, jetzt) == regulaer::Lesestand::Unlesbar ||
                               qHash(jetzt.inhalt) != m_inhaltHash;
                    return !veraltet;
                };
            if (!text::DateiSchreiben(ziel, text::Kodieren(Bild(), vorher), nullptr, nochGueltig)) {
                if (veraltet && versuch < kNachpruefVersuche) {
                    Nachladen();
                    continue;
                }
                if (veraltet) throw EFehler(UeberschriebenMeldung(m_dateiName));
                throw EFehler(QStringLiteral("nach %1 kann nicht geschrieben werden").arg(m_dateiName));
            }
            m_stand = DateiStand(m_dateiName);
            m_inhaltHash = qHash(Bild());
            // Without locks another writer's replace may take this write away: made again.
            if (!sperre.OhneSperre() || NochDa(uhr.elapsed() + m_ladedauerMs, versuch)) break;
            if (versuch == kNachpruefVersuche) throw EFehler(UeberschriebenMeldung(m_dateiName));
        }
    }
    m_aenderungen.clear();
    m_geaendert = false;
}

bool TBigIniFile::SectionExists(const QString& sektion) const {
    return ListeSuchen(sektion) >= 0;
}

void TBigIniFile::ReadAll(QStringList& ziel) const {
    for (const Sektion& sek : m_sektionen) {
        if (sek.zeilen.isEmpty()) continue;
        ziel << u'[' + sek.name + u']';
        ziel << sek.zeilen;
        ziel << QString();
    }
}

QString TBigIniFile::ReadString(const QString& sektion, const QString& schluessel,
                                const QString& vorgabe) const {
    const int s = SektionSuchen(sektion);
    if (s < 0) return vorgabe;
    const QStringList& zeilen = m_sektionen[s].zeilen;
    const int z = ZeileSuchen(zeilen, schluessel);
    if (z < 0) return vorgabe;
    return zeilen[z].mid(zeilen[z].indexOf(u'=') + 1);
}

int TBigIniFile::ReadInteger(const QString& s, const QString& k, int vorgabe) const {
    int zahl = vorgabe;
    return BigIniZahl(ReadString(s, k, {}), zahl) ? zahl : vorgabe;
}

bool TBigIniFile::ReadBool(const QString& s, const QString& k, bool vorgabe) const {
    return ReadInteger(s, k, vorgabe ? 1 : 0) != 0;
}

QDate TBigIniFile::ReadDate(const QString& s, const QString& k, const QDate& vorgabe) const {
    const QDate d = QDate::fromString(ReadString(s, k, {}), kDatum);
    return d.isValid() ? d : vorgabe;
}

QDateTime TBigIniFile::ReadDateTime(const QString& s, const QString& k, const QDateTime& vorgabe) const {
    const QString t = ReadString(s, k, {});
    QDateTime d = QDateTime::fromString(t, kDatum + u' ' + kZeit);
    if (!d.isValid()) d = QDateTime(QDate::fromString(t, kDatum), QTime(0, 0));
    return d.isValid() ? d : vorgabe;
}

static QTime BigIniZeit(const QString& t) {
    return QTime::fromString(t, kZeit);
}

QTime TBigIniFile::ReadTime(const QString& s, const QString& k, const QTime& vorgabe) const {
    const QTime t = BigIniZeit(ReadString(s, k, {}));
    return t.isValid() ? t : vorgabe;
}

double TBigIniFile::ReadFloat(const QString& s, const QString& k, double vorgabe) const {
    bool ok = false;
    const double d = QLocale().toDouble(ReadString(s, k, {}), &ok);
    return ok ? d : vorgabe;
}

void TBigIniFile::ReadSection(const QString& sektion, QStringList& ziel) const {
    const int s = ListeSuchen(sektion);
    if (s < 0) return;
    for (const QString& z : m_sektionen[s].zeilen) {
        const QString k = SchluesselVon(z);
        if (k.isEmpty()) continue;
        if (DropCommentLines && k.startsWith(u';')) continue;
        ziel << k;
    }
}

void TBigIniFile::ReadSections(QStringList& ziel) const {
    ziel.clear();
    for (const Sektion& s : m_sektionen)
        ziel << s.name;
}

void TBigIniFile::ReadSectionValues(const QString& sektion, QStringList& ziel) const {
    const int s = ListeSuchen(sektion);
    if (s < 0) return;
    if (ClearOnReadSectionValues) ziel.clear();
    ziel << m_sektionen[s].zeilen;
}

bool TBigIniFile::ValueExists(const QString& sektion, const QString& schluessel) const {
    QStringList k;
    ReadSection(sektion, k);
    return k.contains(schluessel, Qt::CaseInsensitive);
}

void TBigIniFile::WriteString(const QString& sektion, const QString& schluessel, const QString& wert) {
    if (schluessel.isEmpty()) {
        if (sektion.isEmpty() && wert.isEmpty())
            FlushFile();
        else
            EraseSection(sektion);
        return;
    }
    const QString zeile = schluessel + u'=' + wert;
    QStringList& zeilen = m_sektionen[SektionSuchenOderAnlegen(sektion)].zeilen;
    const int z = ZeileSuchen(zeilen, schluessel);
    if (z >= 0) {
        if (zeilen[z] == zeile) return;
        zeilen[z] = zeile;
    } else {
        zeilen.append(zeile);
    }
    m_geaendert = true;
    m_aenderungen.append({Aenderung::Schreiben, sektion, schluessel, wert});
}

void TBigIniFile::WriteBool(const QString& s, const QString& k, bool w) {
    WriteString(s, k, w ? QStringLiteral("1") : QStringLiteral("0"));
}
void TBigIniFile::WriteInteger(const QString& s, const QString& k, int w) {
    WriteString(s, k, QString::number(w));
}
void TBigIniFile::WriteDate(const QString& s, const QString& k, const QDate& w) {
    WriteString(s, k, w.toString(kDatum));
}
void TBigIniFile::WriteDateTime(const QString& s, const QString& k, const QDateTime& w) {
    WriteString(s, k, w.toString(kDatum + u' ' + kZeit));
}
void TBigIniFile::WriteTime(const QString& s, const QString& k, const QTime& w) {
    WriteString(s, k, w.toString(kZeit));
}
void TBigIniFile::WriteFloat(const QString& s, const QString& k, double w) {
    WriteString(s, k, QLocale().toString(w, 'g', QLocale::FloatingPointShortest));
}
