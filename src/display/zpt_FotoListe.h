#pragma once
// The file list of a photo panel: the JPEG files of one folder, sorted as a user
// reads them, and the lookup of a named file in it.
#include <QString>
#include <QStringList>

// Bare names of the ordinary files of `ordner` matching "*.jpg" (any case, hidden
// files left out), sorted case-insensitively in the user's locale when asked.
QStringList FotoDateienLesen(const QString& ordner, bool sortieren);
void FotoDateienSortieren(QStringList& dateien);
// Forgets the listings kept by folder time: the next listing of every folder reads it anew.
void FotoListenVergessen();
// Index of `name` (a full path below `grundpfad`) in `dateien`, found without regard
// to case; 0 for an empty name, a name outside `grundpfad` or one not listed.
int FotoIndex(const QStringList& dateien, const QString& grundpfad, const QString& name);
