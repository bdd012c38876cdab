#pragma once
// The rules of a key combo box without the screen: entries of key and text, the
// selected key, and the two type-ahead modes.
#include <QString>
#include <QStringList>

struct TzptKeyString {
    QString key;
    QString text;
};

class TKeyListe {
public:
    const QStringList& KeyList() const { return m_keys; }
    const QStringList& Texte() const { return m_texte; }
    int Count() const { return int(m_keys.size()); }

    QString Key() const { return m_key; }
    // Writes the key (blanks and control characters at both ends removed). Returns
    // true when the selection changed; `Index()` then tells the entry (-1: none).
    bool KeySetzen(const QString& key);
    int Index() const;
    QString ErsterEintrag;
    // Text the box shows for the current key.
    QString AnzeigeText() const;

    // Appends the entry unless the key is listed already; true when it was added.
    bool AddKey(const QString& key, const QString& text);
    // Gives the entry of the key another text; its index, -1 when the key is not listed.
    int TextSetzen(const QString& key, const QString& text);
    void Leeren();

    // Type-ahead. Returns the index of the matched entry or -1; `markiert` receives
    // the length of the prefix to highlight (prefix mode).
    bool Wraparound = false;
    QString Suchtext;
    int LetzterTreffer = 0;
    int Tippen(QChar zeichen, int* markiert = nullptr);
    void SuchtextLeeren() { Suchtext.clear(); }

    // The entry the user chose by its text: the first one with that text.
    int IndexVonText(const QString& text) const;

private:
    int Suche(int ab) const;
    QStringList m_keys;
    QStringList m_texte;
    QString m_key;
};

// The masks of a mask text: one per ";", blanks removed ("*.mov;*.avi;" gives two;
// text after the last ";" is not used).
QStringList MaskenAusText(const QString& masken);
