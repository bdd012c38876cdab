#pragma once
// A drop-down list whose entries carry a key beside the text the user sees; selected
// and read by key. Typing jumps to the first entry whose text begins with what was typed.
#include "widgets/zpt_KeyListe.h"

#include <QComboBox>
#include <functional>

class TzptKeyComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TzptKeyComboBox(QWidget* parent = nullptr);

    std::function<void(QObject*)> OnChange, OnEnter, OnExit;

    QString Key() const { return m_liste.Key(); }
    // Selects the entry of the key (trimmed, found without regard to case), or none
    // with ErsterEintrag shown. Never fires OnChange.
    void setKey(const QString& key);
    const QStringList& KeyList() const { return m_liste.KeyList(); }
    // Index of Key in KeyList, found without regard to case; -1 when none.
    int KeyIndex() const { return m_liste.Index(); }
    // The selected entry's key as KeyList spells it; empty when none.
    QString ListenKey() const { return KeyIndex() < 0 ? QString() : KeyList()[KeyIndex()]; }
    QString ErsterEintrag() const { return m_liste.ErsterEintrag; }
    void setErsterEintrag(const QString& text);
    bool Wraparound() const { return m_liste.Wraparound; }
    void setWraparound(bool an) { m_liste.Wraparound = an; }
    QString Suchtext() const { return m_liste.Suchtext; }
    int LetzterTreffer() const { return m_liste.LetzterTreffer; }
    QString Text() const { return currentText(); }

    virtual void AddKey(const QString& key, const QString& text);
    void AddKeyString(const TzptKeyString& paar) { AddKey(paar.key, paar.text); }
    void AddKeyKey(const QString& key) { AddKey(key, key); }
    void AddKeyNZ(const QString& key) { AddKey(key, QStringLiteral("[nicht zugeordnet]")); }
    // Empties the list but keeps Key, so refilling shows that entry again.
    void Leeren();
    // Another text for the key's entry (a title read later); selection and key stay.
    void TextSetzen(const QString& key, const QString& text);
    bool KeyLeer() const { return Key().isEmpty(); }
    bool NaechsterKey();
    bool VorigerKey();
    // The entries DateienEinlesen adds, listed without the box (any thread).
    static QList<TzptKeyString> DateienAuflisten(const QString& ordner, const QString& masken,
                                                 bool ohneEndung, bool mitPfad);
    void DateienEinlesen(const QString& ordner, const QString& masken, bool ohneEndung, bool mitPfad,
                         bool mitNichtZugeordnet, bool leeren);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool TasteBehandeln(QKeyEvent* e);
    // Typed text as type-ahead; false for what the box itself handles.
    bool TextBehandeln(const QString& text);
    void Anzeigen();
    // The user's choice: the first entry with this text.
    void AuswahlGeaendert(const QString& text);
    void Geaendert();
    TKeyListe m_liste;
    bool m_intern = false;
    QString m_gemeldet; // text whose change was reported just now
};
