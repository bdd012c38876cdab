#pragma once
// The years and days of an album, from its folder tree or from the album index
// file "Pixolud.dat" of the base folder.
#include "widgets/zpt_KeyListe.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class TBigIniFile;

// Sorted as the lists show them: alphabetically without regard to case.
void NamenSortieren(QStringList& namen);
// True for a whole number of at least 0 ("2005", not "2005a" or "Urlaub").
bool IstZahlName(const QString& name);

// Year keys: the index file's sections (when `index` is given) or the base folder's
// subfolders; only numeric names when `nurZahlJahre`.
QStringList JahreAuflisten(const QString& grundpfad, const TBigIniFile* index, bool nurZahlJahre);
// Day keys and labels of one year; empty when the year folder does not exist. Days the
// index names whose folder is gone are left out. `hinweis` (when given) tells the user
// why days are missing: a year folder that is gone or cannot be read, index days gone.
// `titel` (when given) gives the title of a day folder instead of its caption file.
QVector<TzptKeyString> TageAuflisten(const QString& grundpfad, const QString& jahr, const TBigIniFile* index,
                                     QString* hinweis = nullptr,
                                     const std::function<QString(const QString& tagOrdner)>& titel = {});
// Folder of a day: base + year + day, with a final separator.
QString TagOrdner(const QString& grundpfad, const QString& jahr, const QString& tag);

// The day folder of a date as the calendar knows it: base \ JJJJ \ JJJJMMTT \.
QString KalenderTagOrdner(const QString& grundpfad, const QDate& datum);
// The date of a day-list key for the calendar: its first ten characters without "_"
// must be JJJJMMTT; an invalid date otherwise.
QDate KalenderDatum(const QString& tagKey);
