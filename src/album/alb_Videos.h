#pragma once
// Which picture of a day has a video of its name beside it (a phone's Live Photo:
// IMG_0001.HEIC with IMG_0001.MOV). Which names are videos: IstVideo in alb_Loeschen.h.
#include <QHash>
#include <QString>

// The videos of the folder that carry a picture's motion, by the picture's name without
// its ending in lower case: "img_0001" -> "IMG_0001.MOV". One listing of the folder.
QHash<QString, QString> LiveVideos(const QString& ordner);

// The key under which LiveVideos files the video of the picture `dateiname`.
QString LiveSchluessel(const QString& dateiname);
