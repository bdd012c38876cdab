#pragma once
// Opening files with their program, running a program to its end, the clipboard.
#include <QString>
#include <QStringList>

bool zptDateiStarten(const QString& datei, const QString& parameter, const QString& ordner, bool melden);
bool zptDateiStarten(const QString& datei, bool melden);
// A named program with its arguments as a list (each arrives unchanged as one argument).
bool zptDateiStarten(const QString& datei, const QStringList& argumente, const QString& ordner, bool melden);
// Runs the program and waits for its end. True for exit code 0 or above 32; a
// program that cannot be started counts as code 3, one that crashes as code -1.
bool ProgrammStartenUndWarten(const QString& programm, const QString& parameter, const QString& ordner,
                              bool melden, int* exitCode = nullptr);
// The same with the arguments as a list, so that odd file names pass unchanged; the
// error text shows them as one line.
bool ProgrammStartenUndWarten(const QString& programm, const QStringList& argumente, const QString& ordner,
                              bool melden, int* exitCode = nullptr);
QString ShellFehlerText(int code);
void TextInZwischenablage(const QString& text);
