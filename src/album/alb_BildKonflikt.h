#pragma once
// Pictures a sync program put aside as conflict copies (IMG_0001.sync-conflict-….JPG,
// rotated on two computers at once): never paged as pictures of their own, they wait
// in the day until the user keeps one, the other or both.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

struct TBildKonflikt {
    QString kopie;                 // bare name of the conflict copy
    QString original;              // bare name of the picture it is a copy of, as spelt in the folder
    QString geraet;                // device ID or user named in the copy's name (may be empty)
    QDateTime zeit;                // when the sync program put the copy aside, as its name says
    QDateTime zeitDiese, zeitJene; // when the picture and the copy were last changed
    bool originalDa = true;        // false: the picture itself is gone, only the copy is left
};

// The picture conflict copies of a day folder, by the copy's name.
QVector<TBildKonflikt> BildKonflikteSuchen(const QString& tagOrdner);

enum class TBildWahl {
    Diese, // the picture of the day stays, the copy goes to the trash
    Jene,  // the copy takes the picture's name, the picture goes to the trash
    Beide, // the copy becomes a picture of the day under a free name, with the caption
};

struct TBildLoesung {
    bool erledigt = false; // the copy is gone from the day (resolved)
    QString neuerName;     // with Beide: the name the copy now has
    QString fehler;        // why it is not (or not quite) done; empty when all went well
};

// Carries out the choice. A step that fails leaves both pictures in the day under names
// the user finds them by: no file is lost, at worst the conflict stays.
TBildLoesung BildKonfliktLoesen(const QString& tagOrdner, const TBildKonflikt& konflikt, TBildWahl wahl);

// A name of the form "IMG_0001_2.JPG" that no file in the folder has, in whatever case.
QString FreierBildname(const QString& tagOrdner, const QString& name);
