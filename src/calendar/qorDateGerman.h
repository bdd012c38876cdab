#pragma once
// German month and weekday names and date texts, whatever the system locale.
#include <QDate>
#include <QString>

QString MonatsName(int monat);     // "Januar"
QString MonatsNameKurz(int monat); // "Jan"
QString WochentagName(int isoTag); // "Montag"
QString WochentagKurz(int isoTag); // "Mo"
// Formats with the calendar's patterns: dd, d, mmmm, mmm, yyyy, dddd, ddd.
QString DatumText(const QDate& d, const QString& muster);
