#include "sys/TStringlistBox.h"

#include <algorithm>

namespace {
bool kleiner(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}
} // namespace

void TStringlistBox::setStrings(const QStringList& zeilen) {
    m_liste.clear();
    for (const QString& z : zeilen)
        Add(z);
}

void TStringlistBox::setSorted(bool sortiert) {
    if (sortiert == m_sortiert) return;
    m_sortiert = sortiert;
    if (m_sortiert) setStrings(QStringList(m_liste));
}

int TStringlistBox::Add(const QString& zeile) {
    if (!m_sortiert) {
        m_liste.append(zeile);
        return int(m_liste.size()) - 1;
    }
    auto it = std::lower_bound(m_liste.begin(), m_liste.end(), zeile, kleiner);
    const int index = int(it - m_liste.begin());
    if (it != m_liste.end() && it->compare(zeile, Qt::CaseInsensitive) == 0) return index;
    m_liste.insert(index, zeile);
    return index;
}
