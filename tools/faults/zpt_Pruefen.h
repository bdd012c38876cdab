#pragma once
// The checks of the fault injection: a folder's state after a writer was killed,
// against its states before and after a complete run.
#include "sys/zpt_Ersetzen.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <algorithm>
#include <functional>

using Zustand = QMap<QString, QByteArray>; // relative path -> content

struct Ergebnis {
    int kills = 0, lost = 0, outside = 0, leftovers = 0, unsynced = 0;
};

struct Schreiber {
    QString name;
    std::function<void(const QString&)> anlegen;       // the old state in a folder
    std::function<QStringList(const QString&)> aufruf; // program and arguments
    QStringList bereiche;                              // where files may change (relative)
    bool karte = false;                                // camera import: nothing lost from "karte/"
    bool sammelnd = false; // an export: its copies may be flushed at once at its end
};

// A file a cut-off write may leave beside its target.
inline bool IstTemp(const QString& pfad) {
    return IstTempName(pfad);
}

inline Zustand Lesen(const QString& ordner) {
    Zustand z;
    QDirIterator it(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        QFile f(p);
        z.insert(QDir(ordner).relativeFilePath(p), f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return z;
}

inline int Leftovers(const Zustand& z) {
    return int(std::count_if(z.keyBegin(), z.keyEnd(), IstTemp));
}

// Every file must be its old or its new version; a file of neither is half a file
// (lost, where the writer may write) or a stray one (outside); a picture gone from
// the card must be in the album, complete.
inline void Pruefen(const Schreiber& s, const Zustand& alt, const Zustand& neu, const Zustand& jetzt,
                    Ergebnis& e) {
    for (auto it = jetzt.begin(); it != jetzt.end(); ++it) {
        if (IstTemp(it.key())) continue;
        const bool inBereich = std::any_of(s.bereiche.begin(), s.bereiche.end(),
                                           [&](const QString& b) { return it.key().startsWith(b); });
        if (!alt.contains(it.key()) && !neu.contains(it.key())) {
            ++(inBereich ? e.lost : e.outside);
            continue;
        }
        if (it.value() != alt.value(it.key()) && it.value() != neu.value(it.key())) ++e.lost;
    }
    // A file that was there before and is there after a complete run may not be gone
    // after a kill (a writer that removes it first and then writes it anew).
    for (auto it = alt.begin(); it != alt.end(); ++it)
        if (!IstTemp(it.key()) && neu.contains(it.key()) && !jetzt.contains(it.key())) ++e.lost;
    if (s.karte)
        for (auto it = alt.begin(); it != alt.end(); ++it)
            if (it.key().startsWith(QLatin1String("karte/")) && !jetzt.contains(it.key())) {
                const QString name = it.key().mid(6);
                bool da = false;
                for (auto j = jetzt.begin(); j != jetzt.end(); ++j)
                    if (j.key().startsWith(QLatin1String("album/")) && j.key().endsWith(u'/' + name) &&
                        j.value() == it.value())
                        da = true;
                if (!da) ++e.lost;
            }
}

// The calls of a complete run, as the crash-point library writes them: every temporary
// renamed onto its target must have been synced before, and the target's folder after.
// An export (`sammelnd`) may instead flush the file system of its target folder once
// after its renames (syncfs on that folder or one above it, or sync), before it reports
// its files as copied: every copy is on the medium by then. Returns the number of
// renames that were not secured so.
inline int UngesicherteUmbenennungen(const QStringList& spur, bool sammelnd = false) {
    int ungesichert = 0;
    for (int i = 0; i < spur.size(); ++i) {
        if (!spur[i].startsWith(QLatin1String("rename ")) && !spur[i].startsWith(QLatin1String("link ")))
            continue;
        const QStringList teile = spur[i].mid(spur[i].indexOf(u' ') + 1).split(u'\t');
        if (teile.size() != 2 || !IstTemp(teile[0])) continue;
        const QString ordner = teile[1].left(teile[1].lastIndexOf(u'/'));
        bool vorher = false, nachher = false;
        for (int j = i - 1; j >= 0 && !vorher; --j)
            vorher = spur[j] == QLatin1String("fsync ") + teile[0];
        for (int j = i + 1; j < spur.size() && !nachher; ++j)
            nachher = spur[j] == QLatin1String("fsync ") + ordner;
        bool spaeter = false;
        for (int j = i + 1; sammelnd && j < spur.size() && !spaeter; ++j) {
            const QString darueber = spur[j].mid(7);
            spaeter = spur[j] == QLatin1String("sync ") ||
                      (spur[j].startsWith(QLatin1String("syncfs ")) &&
                       (ordner == darueber || ordner.startsWith(darueber + u'/')));
        }
        if ((!vorher || !nachher) && !spaeter) ++ungesichert;
    }
    return ungesichert;
}
