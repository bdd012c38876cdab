#include "widgets/zpt_KeyListe.h"

#include "sys/zpt_Text.h"

int TKeyListe::Index() const {
    if (m_key.isEmpty()) return -1;
    for (int i = 0; i < m_keys.size(); ++i)
        if (m_keys[i].compare(m_key, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool TKeyListe::KeySetzen(const QString& roh) {
    const QString key = text::Bereinigt(roh);
    if (key == m_key) return false;
    m_key = key;
    if (Index() < 0) m_key.clear();
    return true;
}

QString TKeyListe::AnzeigeText() const {
    const int i = Index();
    return i < 0 ? ErsterEintrag : m_texte[i];
}

bool TKeyListe::AddKey(const QString& key, const QString& text) {
    if (m_keys.contains(key, Qt::CaseInsensitive)) return false;
    m_keys << key;
    m_texte << text;
    return true;
}

int TKeyListe::TextSetzen(const QString& key, const QString& text) {
    const int i = int(m_keys.indexOf(key));
    if (i >= 0) m_texte[i] = text;
    return i;
}

void TKeyListe::Leeren() {
    m_keys.clear();
    m_texte.clear();
}

int TKeyListe::Suche(int ab) const {
    for (int i = qMax(0, ab); i < m_texte.size(); ++i)
        if (m_texte[i].toUpper().startsWith(Suchtext)) return i;
    return -1;
}

int TKeyListe::Tippen(QChar zeichen, int* markiert) {
    if (markiert) *markiert = 0;
    if (Wraparound) {
        Suchtext = zeichen.toUpper();
        int i = Suche(LetzterTreffer + 1);
        if (i < 0) i = Suche(0);
        if (i < 0) return -1;
        KeySetzen(m_keys[i]);
        LetzterTreffer = i;
        return i;
    }
    Suchtext += zeichen.toUpper();
    int i = Suche(0);
    // Without a match the typed prefix falls back, character by character.
    while (i < 0 && !Suchtext.isEmpty()) {
        Suchtext.chop(1);
        if (!Suchtext.isEmpty()) i = Suche(0);
    }
    if (i < 0) return -1;
    KeySetzen(m_keys[i]);
    if (markiert) *markiert = int(Suchtext.size());
    return i;
}

int TKeyListe::IndexVonText(const QString& text) const {
    return int(m_texte.indexOf(text));
}

QStringList MaskenAusText(const QString& masken) {
    QStringList teile = masken.split(u';');
    teile.removeLast(); // the piece after the last ";" (or the whole text without one)
    for (QString& m : teile)
        m = m.trimmed();
    return teile;
}
