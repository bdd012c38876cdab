#include "display/zpt_FotoListe.h"

#include "sys/zpt_sys.h"

#include <QCollator>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QMutex>
#include <algorithm>

void FotoDateienSortieren(QStringList& dateien) {
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    std::stable_sort(dateien.begin(), dateien.end(),
                     [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
}

namespace {
// Listings kept by the folder's change time: on a network drive a listing costs several
// round trips, asking for the time one. A folder changed shortly before it was listed
// is listed again each time (its time may not tell a second change within its tick).
constexpr qint64 kUnsicherMs = 5000;
constexpr int kHoechstens = 4000;
struct Gelistet {
    QDateTime geaendert;
    QStringList dateien;
};
QMutex listenSperre;
QHash<QString, Gelistet> listen;
} // namespace

QStringList FotoDateienLesen(const QString& ordner, bool sortieren) {
    QStringList dateien;
    if (ordner.isEmpty()) return dateien;
    const QString schluessel = AddBackslash(ordner);
    const QDateTime geaendert = QFileInfo(schluessel).lastModified();
    bool bekannt = false;
    {
        QMutexLocker l(&listenSperre);
        const auto i = listen.constFind(schluessel);
        bekannt = geaendert.isValid() && i != listen.cend() && i->geaendert == geaendert;
        if (bekannt) dateien = i->dateien;
    }
    if (!bekannt) {
        // JPEGs and the HEIC/HEIF pictures of phones, in one list from one listing (it runs
        // for every day paged into).
        DateienToItems(
            ordner, QStringList{QStringLiteral("*.jpg"), QStringLiteral("*.heic"), QStringLiteral("*.heif")},
            dateien);
        QMutexLocker l(&listenSperre);
        if (geaendert.isValid() &&
            geaendert.toMSecsSinceEpoch() < QDateTime::currentMSecsSinceEpoch() - kUnsicherMs) {
            if (listen.size() >= kHoechstens) listen.clear();
            listen.insert(schluessel, {geaendert, dateien});
        } else {
            listen.remove(schluessel);
        }
    }
    if (sortieren) FotoDateienSortieren(dateien);
    return dateien;
}

void FotoListenVergessen() {
    QMutexLocker l(&listenSperre);
    listen.clear();
}

int FotoIndex(const QStringList& dateien, const QString& grundpfad, const QString& name) {
    if (grundpfad.isEmpty() || name.isEmpty() || !name.startsWith(grundpfad)) return 0;
    const QString rest = name.mid(grundpfad.size());
    for (int i = 0; i < dateien.size(); ++i)
        if (dateien[i].compare(rest, Qt::CaseInsensitive) == 0) return i;
    return 0;
}
