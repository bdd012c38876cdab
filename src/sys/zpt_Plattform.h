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

// The viewer files an exported CD carries, taken from the folder "TemplateCDROM" next
// to the program: program, help, help contents, picture, start script, and the two
// files that start the viewer when the medium is inserted.
#ifdef Q_OS_WIN
inline constexpr const char* BetrachterDateinamen[7] = {
    "Pixolud.exe", "Pixolud.hlp", "Pixolud.cnt", "Pixolud.jpg", "start.bat", "Autorun.inf", "Autorun.exe"};
#else
inline constexpr const char* BetrachterDateinamen[7] = {
    "Pixolud", "Pixolud.html", "Pixolud.cnt", "Pixolud.jpg", "start.sh", "Autorun.inf", "autorun.sh"};
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

// DateiKopierenAtomar with `neu`: a name taken in other case counts as taken too; the check and the placement
// hold the folder's lock, so two writers cannot both place one name. Where the file system
// can neither rename without replacing nor link (PIXOLUDA_OHNE_NOREPLACE=1 acts so, for
// tests), the target is made with O_EXCL and the copy goes into it.
// Copies `quelle` into a temporary file beside `ziel` (`TempVorlage`), gives
// it the source's modification time and renames it over `ziel` only when every byte
// arrived, flushed to the medium; the folder is flushed after the rename. With `sichern`
// the copy is also dropped from the page cache and read back against the source: only
// then may the source go. False with the reason in `fehler`; `ziel` is
// then untouched and no temporary file is left. With `neu` the copy never replaces a
// file: when `ziel` was taken by the time the copy was complete, *neu is false.
// Within a batch flush (TSammelSicherung) a copy without `sichern` and `neu` leaves its
// flushing to the batch.
bool DateiKopierenAtomar(const QString& quelle, const QString& ziel, bool sichern, QString& fehler,
                         bool* neu = nullptr);

// Renames `von` to `nach` without replacing a file there (renameat2's RENAME_NOREPLACE,
// else link and unlink). False with the reason when the name is taken or the file system
// can do neither: `von` then stays where it was.
bool UmbenennenOhneErsetzen(const QString& von, const QString& nach, QString& fehler);

// Overrides for tests: the program folder and file as the program would see them.
void ProgrammDateiSetzen(const QString& pfad);

} // namespace plattform
