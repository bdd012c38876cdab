#include "settings/zpt_ProfilDatei.h"

#include "sys/zpt_Sperre.h"
#include "sys/zpt_Text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>

namespace {

bool IstLeer(QChar c) {
    return c == u' ' || c == u'\t';
}

QString Getrimmt(QStringView s) {
    qsizetype a = 0, e = s.size();
    while (a < e && IstLeer(s[a]))
        ++a;
    while (e > a && IstLeer(s[e - 1]))
        --e;
    return s.mid(a, e - a).toString();
}

bool SektionsName(const QString& zeile, QString& name) {
    const QString t = Getrimmt(zeile);
    if (!t.startsWith(u'[')) return false;
    // The name runs to the last ']' of the line, so names holding brackets survive.
    const qsizetype zu = t.lastIndexOf(u']');
    name = Getrimmt(QStringView(t).mid(1, zu < 0 ? -1 : zu - 1));
    return true;
}

bool SchluesselName(const QString& zeile, QString& name) {
    const qsizetype gleich = zeile.indexOf(u'=');
    if (gleich < 0) return false;
    name = Getrimmt(QStringView(zeile).left(gleich));
    return true;
}

QString WertAus(const QString& zeile) {
    QString wert = Getrimmt(QStringView(zeile).mid(zeile.indexOf(u'=') + 1));
    if (wert.size() >= 2) {
        const QChar a = wert.front();
        if ((a == u'"' || a == u'\'') && wert.back() == a) wert = wert.mid(1, wert.size() - 2);
    }
    if (wert.size() > TProfilDokument::kMaxWertLaenge) wert.truncate(TProfilDokument::kMaxWertLaenge);
    return wert;
}

bool Gleich(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Line breaks inside a value would split it into lines of their own.
QString Einzeilig(QString wert) {
    wert.replace(QLatin1String("\r\n"), QLatin1String(" "));
    wert.replace(u'\r', u' ');
    wert.replace(u'\n', u' ');
    return wert;
}

// Reading trims blanks and removes one pair of enclosing quotes. A value that would
// lose something that way is written in double quotes, so it reads back as typed.
QString Geschuetzt(const QString& wert) {
    if (wert.isEmpty()) return wert;
    const bool randLeer = IstLeer(wert.front()) || IstLeer(wert.back());
    const QChar a = wert.front();
    const bool inAnfuehrung = wert.size() >= 2 && (a == u'"' || a == u'\'') && wert.back() == a;
    return randLeer || inAnfuehrung ? u'"' + wert + u'"' : wert;
}

QString OhneEndLeer(QString s) {
    while (!s.isEmpty() && IstLeer(s.back()))
        s.chop(1);
    return s;
}

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

TProfilDokument::TProfilDokument(const QString& inhalt) {
    qsizetype start = 0;
    const qsizetype n = inhalt.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && inhalt[i] != u'\r' && inhalt[i] != u'\n')
            ++i;
        Zeile z{inhalt.mid(start, i - start), {}};
        if (i < n) {
            const qsizetype laenge = (inhalt[i] == u'\r' && i + 1 < n && inhalt[i + 1] == u'\n') ? 2 : 1;
            z.ende = inhalt.mid(i, laenge);
            i += laenge;
        }
        m_zeilen.append(std::move(z));
        start = i;
    }
}

QString TProfilDokument::Text() const {
    QString s;
    for (const Zeile& z : m_zeilen)
        s += z.text + z.ende;
    return s;
}

int TProfilDokument::SektionsKopf(const QString& sektion) const {
    const QString gesucht = Getrimmt(sektion);
    QString name;
    for (int i = 0; i < m_zeilen.size(); ++i)
        if (SektionsName(m_zeilen[i].text, name) && Gleich(name, gesucht)) return i;
    return -1;
}

int TProfilDokument::SektionsEnde(int kopf) const {
    QString name;
    int i = kopf + 1;
    while (i < m_zeilen.size() && !SektionsName(m_zeilen[i].text, name))
        ++i;
    return i;
}

int TProfilDokument::SchluesselZeile(int kopf, const QString& schluessel) const {
    const QString gesucht = Getrimmt(schluessel);
    const int ende = SektionsEnde(kopf);
    QString name;
    for (int i = kopf + 1; i < ende; ++i)
        if (SchluesselName(m_zeilen[i].text, name) && Gleich(name, gesucht)) return i;
    return -1;
}

QString TProfilDokument::LeseString(const QString& sektion, const QString& schluessel,
                                    const QString& vorgabe) const {
    const int kopf = SektionsKopf(sektion);
    const int zeile = kopf < 0 ? -1 : SchluesselZeile(kopf, schluessel);
    if (zeile < 0) return OhneEndLeer(vorgabe);
    return WertAus(m_zeilen[zeile].text);
}

bool TProfilDokument::SchluesselVorhanden(const QString& sektion, const QString& schluessel) const {
    const int kopf = SektionsKopf(sektion);
    return kopf >= 0 && SchluesselZeile(kopf, schluessel) >= 0;
}

bool TProfilDokument::SektionVorhanden(const QString& sektion) const {
    return SektionsKopf(sektion) >= 0;
}

QStringList TProfilDokument::Sektionen() const {
    QStringList namen;
    QSet<QString> gesehen;
    QString name;
    for (const Zeile& z : m_zeilen)
        if (SektionsName(z.text, name) && !gesehen.contains(name.toLower())) {
            gesehen.insert(name.toLower());
            namen << name;
        }
    return namen;
}

QVector<std::pair<QString, QString>> TProfilDokument::Werte(const QString& sektion) const {
    QVector<std::pair<QString, QString>> werte;
    const int kopf = SektionsKopf(sektion);
    if (kopf < 0) return werte;
    const int ende = SektionsEnde(kopf);
    QSet<QString> gesehen;
    QString name;
    for (int i = kopf + 1; i < ende; ++i) {
        if (!SchluesselName(m_zeilen[i].text, name) || gesehen.contains(name.toLower())) continue;
        gesehen.insert(name.toLower());
        werte.append({name, WertAus(m_zeilen[i].text)});
    }
    return werte;
}

QStringList TProfilDokument::Schluessel(const QString& sektion) const {
    QStringList namen;
    for (const auto& w : Werte(sektion))
        namen << w.first;
    return namen;
}

void TProfilDokument::SchreibeString(const QString& sektion, const QString& schluessel, const QString& wert) {
    const QString name = Getrimmt(schluessel);
    const QString neu = Geschuetzt(Einzeilig(wert));
    int kopf = SektionsKopf(sektion);
    if (kopf < 0) {
        if (!m_zeilen.isEmpty() && m_zeilen.back().ende.isEmpty()) m_zeilen.back().ende = kCrLf;
        m_zeilen.append({u'[' + Getrimmt(sektion) + u']', kCrLf});
        m_zeilen.append({name + u'=' + neu, kCrLf});
        return;
    }
    const int zeile = SchluesselZeile(kopf, schluessel);
    if (zeile >= 0) {
        QString gespeichert;
        SchluesselName(m_zeilen[zeile].text, gespeichert);
        m_zeilen[zeile].text = gespeichert + u'=' + neu;
        return;
    }
    // After the last key of the section, so comments and blank lines at its end stay there.
    int nach = kopf;
    const int ende = SektionsEnde(kopf);
    QString n;
    for (int i = kopf + 1; i < ende; ++i)
        if (SchluesselName(m_zeilen[i].text, n)) nach = i;
    if (m_zeilen[nach].ende.isEmpty()) m_zeilen[nach].ende = kCrLf;
    m_zeilen.insert(nach + 1, {name + u'=' + neu, kCrLf});
}

void TProfilDokument::LoescheSchluessel(const QString& sektion, const QString& schluessel) {
    // Every copy goes: a later duplicate would otherwise come back as the key's value.
    const int kopf = SektionsKopf(sektion);
    if (kopf < 0) return;
    for (int zeile = SchluesselZeile(kopf, schluessel); zeile >= 0; zeile = SchluesselZeile(kopf, schluessel))
        m_zeilen.remove(zeile);
}

void TProfilDokument::SektionAnhaengen(const QString& sektion,
                                       const QVector<std::pair<QString, QString>>& werte) {
    if (werte.isEmpty()) return;
    if (!m_zeilen.isEmpty() && m_zeilen.back().ende.isEmpty()) m_zeilen.back().ende = kCrLf;
    m_zeilen.append({u'[' + Getrimmt(sektion) + u']', kCrLf});
    for (const auto& [schluessel, wert] : werte)
        m_zeilen.append({Getrimmt(schluessel) + u'=' + Geschuetzt(Einzeilig(wert)), kCrLf});
}

void TProfilDokument::WeitereSektionenLoeschen(const QString& sektion) {
    const int kopf = SektionsKopf(sektion);
    if (kopf < 0) return;
    const QString gesucht = Getrimmt(sektion);
    QString name;
    for (int i = SektionsEnde(kopf); i < m_zeilen.size();) {
        if (SektionsName(m_zeilen[i].text, name) && Gleich(name, gesucht))
            m_zeilen.remove(i, SektionsEnde(i) - i);
        else
            ++i;
    }
}

void TProfilDokument::LoescheSektion(const QString& sektion) {
    const int kopf = SektionsKopf(sektion);
    if (kopf < 0) return;
    m_zeilen.remove(kopf, SektionsEnde(kopf) - kopf);
}

namespace {
// False when the file exists but cannot be read (a missing file reads as empty); the
// reason is kept for the failure message then.
bool Laden(const QString& ziel, TProfilDokument& doc, text::Gelesen& vorher) {
    doc = {};
    QString grund;
    switch (text::Einlesen(ziel, vorher, regulaer::Verweise::ImOrdner, &grund)) {
    case regulaer::Lesestand::Gelesen:
        // Binary bytes (a link in the folder to a picture, say) are no entries of ours:
        // writing ours would replace that file by a text file.
        if (text::KeinText(vorher.inhalt)) {
            grund = QStringLiteral("Die Datei \r%1\renthält keinen Text und wird nicht geändert.")
                        .arg(QDir::toNativeSeparators(ziel));
            break;
        }
        doc = TProfilDokument(vorher.inhalt);
        return true;
    case regulaer::Lesestand::Fehlt:
        return true;
    case regulaer::Lesestand::Unlesbar:
        break;
    }
    DateiProblemMerken(grund);
    return false;
}

// The same entries as a reader sees them, whatever the order of the sections (a change
// made again may move its section to the end).
bool GleicheEintraege(const TProfilDokument& a, const TProfilDokument& b) {
    const QStringList sa = a.Sektionen();
    if (sa.size() != b.Sektionen().size()) return false;
    for (const QString& sektion : sa)
        if (!b.SektionVorhanden(sektion) || a.Werte(sektion) != b.Werte(sektion)) return false;
    return true;
}
} // namespace

bool TProfilDatei::Aendern(const std::function<void(TProfilDokument&)>& aenderung) {
    // A link is written through to its target, so it stays a link.
    QString grund;
    const QString ziel = regulaer::Ziel(m_pfad, m_verweise, &grund);
    if (ziel.isEmpty()) {
        DateiProblemMerken(grund);
        return false;
    }
    const TDateiSperre sperre(ziel);
    if (!sperre.Erhalten()) return false;
    for (int versuch = 1; versuch <= kNachpruefVersuche; ++versuch) {
        QElapsedTimer uhr;
        uhr.start();
        text::Gelesen vorher;
        TProfilDokument doc;
        if (!Laden(ziel, doc, vorher)) return false;
        aenderung(doc);
        // Without locks, only over the file as it was read: another writer's replace
        // since then means making the change again on that one.
        bool veraltet = false;
        std::function<bool()> nochGueltig;
        if (sperre.OhneSperre())
            nochGueltig = [&] {
                text::Gelesen jetzt;
                veraltet = text::Einlesen(ziel, jetzt) == regulaer::Lesestand::Unlesbar ||
                           jetzt.inhalt != vorher.inhalt;
                return !veraltet;
            };
        if (!text::DateiSchreiben(ziel, text::Kodieren(doc.Text(), vorher), nullptr, nochGueltig)) {
            if (veraltet) continue;
            return false;
        }
        if (!sperre.OhneSperre()) return true;
        // No lock: a writer that read the file before this rename replaces it after,
        // within about the time this write took. Read back once that has passed; where
        // the change is gone, make it again on the file as it is then.
        NachpruefenWarten(uhr.elapsed(), versuch);
        TProfilDokument nachher;
        if (!Laden(ziel, nachher, vorher)) return false;
        TProfilDokument nochmal = nachher;
        aenderung(nochmal);
        if (nochmal.Text() == nachher.Text() || GleicheEintraege(nochmal, nachher)) return true;
    }
    DateiProblemMerken(UeberschriebenMeldung(m_pfad));
    return false;
}

TProfilDokument TProfilDatei::Lesen() const {
    TProfilDokument doc;
    text::Gelesen g;
    if (text::Einlesen(m_pfad, g, m_verweise) == regulaer::Lesestand::Gelesen)
        doc = TProfilDokument(g.inhalt);
    return doc;
}

QString TProfilDatei::LeseString(const QString& sektion, const QString& schluessel,
                                 const QString& vorgabe) const {
    return Lesen().LeseString(sektion, schluessel, vorgabe);
}

bool TProfilDatei::SektionVorhanden(const QString& sektion) const {
    return Lesen().SektionVorhanden(sektion);
}

QStringList TProfilDatei::Schluessel(const QString& sektion) const {
    return Lesen().Schluessel(sektion);
}

QVector<std::pair<QString, QString>> TProfilDatei::Werte(const QString& sektion) const {
    return Lesen().Werte(sektion);
}

bool TProfilDatei::SchreibeString(const QString& sektion, const QString& schluessel, const QString& wert) {
    return Aendern([&](TProfilDokument& d) { d.SchreibeString(sektion, schluessel, wert); });
}

bool TProfilDatei::LoescheSchluessel(const QString& sektion, const QString& schluessel) {
    return Aendern([&](TProfilDokument& d) { d.LoescheSchluessel(sektion, schluessel); });
}

bool TProfilDatei::LoescheSektion(const QString& sektion) {
    return Aendern([&](TProfilDokument& d) { d.LoescheSektion(sektion); });
}
