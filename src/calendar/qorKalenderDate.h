#pragma once
// Date arithmetic of the calendar: month and week boundaries, ISO week numbers,
// Easter and the German public holidays.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

QDate ErsterTagImMonat(const QDate& d);
QDate LetzterTagImMonat(const QDate& d);
int TageImMonat(int jahr, int monat);
QDate ErsterTagImJahr(const QDate& d);
// Monday = 1 ... Sunday = 7
int IsoWochentag(const QDate& d);
// The Monday of the week and the Sunday after it.
QDate WochenAnfang(const QDate& d);
QDate WochenEnde(const QDate& d);
int KalenderWoche(const QDate& d);
// Easter Sunday of a Gregorian year.
QDate Ostersonntag(int jahr);

inline constexpr int kFeiertagAnzahl = 17;
// The holidays' names in their fixed order (an asterisk is part of the name).
const QStringList& FeiertagNamen();
// Date of holiday `index` (0 ... 16) in year `jahr`.
QDate FeiertagDatum(int jahr, int index);
