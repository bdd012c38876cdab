#pragma once
// Files that sync programs (Syncthing, Nextcloud, ownCloud) put into an album folder
// beside the program's own: conflict copies and their temporaries. Neither is a picture
// or another file of a day.
#include <QDateTime>
#include <QString>
#include <optional>

struct TKonfliktKopie {
    enum class Art { Syncthing, Nextcloud, NextcloudAlt };
    Art art;
    QString original; // the name of the file this is a conflict copy of (of a copy's too)
    QString geraet;   // Syncthing's device ID or Nextcloud's user; empty when the name has none
    QDateTime zeit;   // when the sync program put the copy aside, as its name says (local time)
};

// The conflict copy a bare file name names, without regard to case:
//   NAME.sync-conflict-JJJJMMTT-HHMMSS[-GERAET].EXT        (Syncthing)
//   NAME (conflicted copy [BENUTZER ]JJJJ-MM-TT HHMMSS).EXT (Nextcloud)
//   NAME_conflict-JJJJMMTT-HHMMSS.EXT                      (older Nextcloud, ownCloud)
// Nothing for any other name, nor for one with an impossible date or time.
std::optional<TKonfliktKopie> KonfliktKopie(const QString& name);
// A sync program's own temporary or database (".syncthing.*.tmp", "~syncthing~*.tmp",
// ".~lock.*#", ".sync_*.db*", "*.part").
bool IstSyncZwischendatei(const QString& name);
// Either of the two: a file the album leaves alone wherever it lists files.
bool IstSyncDatei(const QString& name);
