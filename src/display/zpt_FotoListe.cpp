#include "display/zpt_FotoListe.h"

#include "sys/zpt_sys.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

void FotoDateienSortieren(QStringList& dateien) {
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    std::stable_sort(dateien.begin(), dateien.end(),
                     [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
}

QStringList FotoDateienLesen(const QString& ordner, bool sortieren) {
    QStringList dateien;
    if (ordner.isEmpty()) return dateien;
    // JPEGs and the HEIC/HEIF pictures of phones, in one list from one listing (it runs
    // for every day paged into).
    DateienToItems(ordner,
                   QStringList{QStringLiteral("*.jpg"), QStringLiteral("*.heic"), QStringLiteral("*.heif")},
                   dateien);
    if (sortieren) FotoDateienSortieren(dateien);
    return dateien;
}

int FotoIndex(const QStringList& dateien, const QString& grundpfad, const QString& name) {
    if (grundpfad.isEmpty() || name.isEmpty() || !name.startsWith(grundpfad)) return 0;
    const QString rest = name.mid(grundpfad.size());
    for (int i = 0; i < dateien.size(); ++i)
        if (dateien[i].compare(rest, Qt::CaseInsensitive) == 0) return i;
    return 0;
}
