#pragma once
// The parameter line of the edit-with program: "&BILDNAME&" and "&PFADNAME&" stand for
// the picture's full name and its folder.
#include <QString>
#include <QStringList>

// Replaces every "&BILDNAME&", then every "&PFADNAME&" (case-sensitive, left to right,
// the inserted text not searched again) in the trimmed line.
QString ParameterErsetzen(const QString& zeile, const QString& datei);
// The arguments for the program: the line split like a shell command line first, then
// the placeholders replaced inside each argument, so a picture name with blanks, quotes
// or other shell characters arrives unchanged as one argument. An empty line gives the
// picture's full name.
QStringList BearbeitenArgumente(const QString& zeile, const QString& datei);

// The program to start: a name without folder ("gimp") is looked up on the search path;
// a path, or a name not found there, stays as given.
QString ProgrammFinden(const QString& programm);
