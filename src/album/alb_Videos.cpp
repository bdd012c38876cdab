#include "album/alb_Videos.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {
// A Live Photo's motion is a short MOV or MP4 beside the picture, as the deletion knows it.
const QStringList kLiveEndungen{QStringLiteral("mov"), QStringLiteral("mp4"), QStringLiteral("m4v")};
} // namespace

QString LiveSchluessel(const QString& dateiname) {
    return QFileInfo(dateiname).completeBaseName().toLower();
}

QHash<QString, QString> LiveVideos(const QString& ordner) {
    QHash<QString, QString> videos;
    if (ordner.isEmpty()) return videos;
    // By name order, so that of IMG_1.MOV and IMG_1.MP4 always the same one plays.
    const QStringList namen = QDir(ordner).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : namen)
        if (kLiveEndungen.contains(QFileInfo(name).suffix().toLower()) &&
            !videos.contains(LiveSchluessel(name)))
            videos.insert(LiveSchluessel(name), name);
    return videos;
}
