#pragma once
// A non-visual holder of one working list of a window, sorted or in insertion order.
// Sorted lists compare without regard to case and keep no duplicates.
#include <QObject>
#include <QStringList>

class TStringlistBox : public QObject {
    Q_OBJECT
public:
    explicit TStringlistBox(QObject* besitzer = nullptr) : QObject(besitzer) {}

    const QStringList& Strings() const { return m_liste; }
    void setStrings(const QStringList& zeilen);
    bool Sorted() const { return m_sortiert; }
    void setSorted(bool sortiert);

    int Count() const { return int(m_liste.size()); }
    const QString& operator[](int i) const { return m_liste[i]; }
    // Adds a line; returns its index (in a sorted list: the existing one for a duplicate).
    int Add(const QString& zeile);
    void Clear() { m_liste.clear(); }

private:
    QStringList m_liste;
    bool m_sortiert = false;
};
