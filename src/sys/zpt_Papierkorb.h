#pragma once
// Deleting a picture the way desktop programs do: into the desktop's trash, from where
// the file manager brings it back; for good only when no trash can take it and the
// user says so.
#include <QString>

enum class Entsorgung { Entfernt, Behalten, Fehler };

// Moves `datei` into the trash (the freedesktop.org trash of its file system, with the
// original path and the date in its .trashinfo). Where none can take it, asks
// "Das Bild kann nicht in den Papierkorb verschoben werden. Soll es endgültig gelöscht
// werden?" (Nein preselected) and deletes it only on Ja. Fehler when it could be
// neither trashed nor deleted.
Entsorgung BildEntsorgen(const QString& datei);

// Test seam: with `an`, no trash takes any file.
void PapierkorbAbschalten(bool an);
