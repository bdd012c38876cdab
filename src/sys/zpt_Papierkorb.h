#pragma once
// Deleting a picture the way desktop programs do: into the desktop's trash, from where
// the file manager brings it back; for good only when no trash can take it and the
// user says so.
#include <QString>

enum class Entsorgung { Entfernt, Behalten, Fehler };

// Moves `datei` into the trash (the freedesktop.org trash of its file system, with the
// original path and the date in its .trashinfo). Where none can take it, asks
// "Das Bild kann nicht in den Papierkorb verschoben werden. Soll es endgültig gelöscht
// werden?" (Nein preselected; `art` names the kind of file) and deletes it only on Ja.
// Fehler when it could be neither trashed nor deleted.
Entsorgung BildEntsorgen(const QString& datei, const QString& art = QStringLiteral("Bild"));

// Moves `datei` into the trash of its file system: the home trash ($XDG_DATA_HOME/Trash)
// on the home's file system, else $topdir/.Trash/$uid or $topdir/.Trash-$uid, each made
// when missing. The .trashinfo is written and flushed before the file moves; false, with
// the file where it was and nothing left in the trash, when any step fails.
bool InPapierkorb(const QString& datei);

// Test seams: with `an`, no trash takes any file; a fault makes creating or writing the
// .trashinfo fail as a full disk or a foreign-owned folder would.
void PapierkorbAbschalten(bool an);
enum class PapierkorbStoerung { Keine, InfoAnlegen, InfoSchreiben };
void PapierkorbStoeren(PapierkorbStoerung stoerung);
