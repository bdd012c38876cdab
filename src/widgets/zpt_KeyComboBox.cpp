#include "widgets/zpt_KeyComboBox.h"

#include "sys/zpt_sys.h"

#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

TzptKeyComboBox::TzptKeyComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(8);
    lineEdit()->installEventFilter(this);
    // Picking from the list changes the text and then reports the activation: one change.
    connect(this, &QComboBox::textActivated, this, [this](const QString& t) {
        if (t == m_gemeldet)
            m_gemeldet.clear();
        else
            AuswahlGeaendert(t);
    });
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (m_intern) return;
        m_gemeldet = t;
        QTimer::singleShot(0, this, [this] { m_gemeldet.clear(); });
        AuswahlGeaendert(t);
    });
}

// Shows the current key's entry without raising any change.
void TzptKeyComboBox::Anzeigen() {
    m_intern = true;
    const int i = m_liste.Index();
    setCurrentIndex(i);
    setEditText(m_liste.AnzeigeText());
    m_intern = false;
}

void TzptKeyComboBox::setKey(const QString& key) {
    if (m_liste.KeySetzen(key)) Anzeigen();
}

void TzptKeyComboBox::setErsterEintrag(const QString& text) {
    if (text == m_liste.ErsterEintrag) return;
    m_liste.ErsterEintrag = text;
    m_intern = true;
    setEditText(text);
    m_intern = false;
}

void TzptKeyComboBox::AddKey(const QString& key, const QString& text) {
    if (!m_liste.AddKey(key, text)) return;
    m_intern = true;
    addItem(text);
    m_intern = false;
    // A new entry never changes the selection, but the combo box would pick its first item.
    Anzeigen();
}

void TzptKeyComboBox::TextSetzen(const QString& key, const QString& text) {
    const int i = m_liste.TextSetzen(key, text);
    if (i < 0) return;
    m_intern = true;
    setItemText(i, text);
    m_intern = false;
    if (i == m_liste.Index()) Anzeigen();
}

void TzptKeyComboBox::Leeren() {
    m_liste.Leeren();
    m_intern = true;
    clear();
    setEditText(m_liste.ErsterEintrag);
    m_intern = false;
}

bool TzptKeyComboBox::NaechsterKey() {
    const int i = m_liste.Index();
    if (i >= m_liste.Count() - 1) return false;
    setKey(m_liste.KeyList()[i + 1]);
    Geaendert();
    return true;
}

bool TzptKeyComboBox::VorigerKey() {
    const int i = m_liste.Index();
    if (i <= 0) return false;
    setKey(m_liste.KeyList()[i - 1]);
    Geaendert();
    return true;
}

void TzptKeyComboBox::Geaendert() {
    if (OnChange) OnChange(this);
}

void TzptKeyComboBox::AuswahlGeaendert(const QString& text) {
    const int i = m_liste.IndexVonText(text);
    m_liste.KeySetzen(i >= 0 && i < m_liste.Count() ? m_liste.KeyList()[i] : QString());
    Geaendert();
}

void TzptKeyComboBox::DateienEinlesen(const QString& ordner, const QString& masken, bool ohneEndung,
                                      bool mitPfad, bool mitNichtZugeordnet, bool leeren) {
    const QList<TzptKeyString> eintraege = DateienAuflisten(ordner, masken, ohneEndung, mitPfad);
    if (leeren) Leeren();
    if (mitNichtZugeordnet) AddKey({}, QStringLiteral("(nicht zugeordnet)"));
    for (const TzptKeyString& e : eintraege)
        AddKey(e.key, e.text);
}

QList<TzptKeyString> TzptKeyComboBox::DateienAuflisten(const QString& ordner, const QString& masken,
                                                       bool ohneEndung, bool mitPfad) {
    QList<TzptKeyString> eintraege;
    const QString basis = AddBackslash(ordner);
    // One listing for every mask (on a network drive each costs round trips), the files
    // still grouped mask by mask.
    const QStringList liste = MaskenAusText(masken);
    const bool mitOrdner = std::any_of(liste.begin(), liste.end(), [](const QString& m) {
        return m.contains(u'/') || m.contains(QDir::separator());
    });
    QStringList alle;
    if (!liste.isEmpty() && !mitOrdner) DateienToItems(basis, liste, alle);
    for (const QString& maske : liste) {
        QStringList dateien;
        if (mitOrdner)
            DateienToItems(basis, maske, dateien); // a mask that names a folder of its own
        else
            for (const QString& datei : std::as_const(alle))
                if (QDir::match(maske, datei)) dateien << datei;
        for (const QString& datei : std::as_const(dateien))
            eintraege.append(
                {mitPfad ? basis + datei : datei, ohneEndung ? QFileInfo(datei).completeBaseName() : datei});
    }
    return eintraege;
}

bool TzptKeyComboBox::TasteBehandeln(QKeyEvent* k) {
    if (k->key() == Qt::Key_Backspace) {
        m_liste.SuchtextLeeren();
        lineEdit()->setSelection(0, 0);
        lineEdit()->setCursorPosition(0);
        return true;
    }
    if (k->modifiers() & Qt::ControlModifier) return false;
    return TextBehandeln(k->text());
}

bool TzptKeyComboBox::TextBehandeln(const QString& t) {
    // Control characters (Tab, Enter, Escape, Delete) pass on to the box.
    if (t.isEmpty() || !t[0].isPrint()) return false;
    // Every printable character is type-ahead, whatever its code: none becomes free
    // text that would clear the key. A character beyond one UTF-16 unit (an emoji,
    // say) matches no entry and is swallowed.
    if (t.size() == 1) {
        int markiert = 0;
        if (m_liste.Tippen(t[0], &markiert) >= 0) {
            Anzeigen();
            if (!m_liste.Wraparound) lineEdit()->setSelection(0, markiert);
            AuswahlGeaendert(currentText());
        }
    } else {
        for (QChar c : t)
            if (c.isPrint() && !c.isSurrogate()) TextBehandeln(QString(c));
    }
    return true;
}

void TzptKeyComboBox::keyPressEvent(QKeyEvent* e) {
    if (!TasteBehandeln(e)) QComboBox::keyPressEvent(e);
}

bool TzptKeyComboBox::eventFilter(QObject* o, QEvent* e) {
    if (o == lineEdit() && e->type() == QEvent::KeyPress && TasteBehandeln(static_cast<QKeyEvent*>(e)))
        return true;
    // Composed characters (dead keys, input methods) arrive without a key press.
    if (o == lineEdit() && e->type() == QEvent::InputMethod) {
        TextBehandeln(static_cast<QInputMethodEvent*>(e)->commitString());
        return true;
    }
    return QComboBox::eventFilter(o, e);
}

void TzptKeyComboBox::focusInEvent(QFocusEvent* e) {
    QComboBox::focusInEvent(e);
    if (OnEnter) OnEnter(this);
}

void TzptKeyComboBox::focusOutEvent(QFocusEvent* e) {
    m_liste.SuchtextLeeren();
    QComboBox::focusOutEvent(e);
    if (OnExit) OnExit(this);
}
