#pragma once
// Videos among a day's files: which names are videos, and which picture has one of its
// name beside it (a phone's Live Photo: IMG_0001.HEIC with IMG_0001.MOV).
#include <QHash>
#include <QString>

// Whether the file name ends as a video the player may try (without regard to case).
bool IstVideo(const QString& name);

// The videos of the folder that carry a picture's motion, by the picture's name without
// its ending in lower case: "img_0001" -> "IMG_0001.MOV". One listing of the folder.
QHash<QString, QString> LiveVideos(const QString& ordner);

// The key under which LiveVideos files the video of the picture `dateiname`.
QString LiveSchluessel(const QString& dateiname);
