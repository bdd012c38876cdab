#pragma once
// The platform layer: the only place that knows how this system names folders,
// separates paths and finds the user's special folders.
#include <QChar>
#include <QString>

namespace plattform {

#ifdef Q_OS_WIN
inline constexpr QChar PfadTrenner = u'\\';
#else
inline constexpr QChar PfadTrenner = u'/';
#endif

// File name of the lossless rotation tool in the program folder.
#ifdef Q_OS_WIN
inline constexpr const char* JpegtranName = "jpegtran.exe";
#else
inline constexpr const char* JpegtranName = "jpegtran";
#endif

// Folder of the running program file, without final separator.
QString ProgrammOrdner();
// Full path of the running program file.
QString ProgrammDatei();
// Per-user configuration root (~/.config on Linux); empty when unknown.
QString KonfigurationsOrdner();
// The user's documents folder; empty when unknown.
QString DokumenteOrdner();
QString TempOrdner();
// Exact on-disk spelling of `name` inside `ordner`, found without regard to case;
// empty when no entry matches.
QString NameOhneGrossKlein(const QString& ordner, const QString& name);

// Overrides for tests: the program folder and file as the program would see them.
void ProgrammDateiSetzen(const QString& pfad);

} // namespace plattform
