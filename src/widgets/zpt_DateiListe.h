#pragma once
// The rules of a file list panel without the screen: the files of a folder matching
// a list of masks, their order, and the selection text.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

enum class TSortierungNach { snName, snAenderung };

struct TDateiEintrag {
    QString name; // bare file name, the entry's caption
    QDateTime geaendert;
};

// "*.jpg;*.png" and " *.jpg " as the panel keeps them: trimmed, ending with ";".
QString JokerNormal(const QString& joker);
// The ordinary files (no hidden ones) of `verzeichnis` matching each mask of `joker`,
// mask after mask: a file matching two masks is listed twice.
QVector<TDateiEintrag> DateiEintraegeLesen(const QString& verzeichnis, const QString& joker);
// By name compared in upper case, ascending; or by last change, newest first.
void DateiEintraegeSortieren(QVector<TDateiEintrag>& eintraege, TSortierungNach nach);
// Full names of the chosen entries, each followed by ";".
QString AuswahlText(const QString& verzeichnis, const QStringList& namen);
