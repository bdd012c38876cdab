#include "calendar/qorKalenderDate.h"

namespace {
bool Schaltjahr(int j) {
    return (j % 4 == 0 && j % 100 != 0) || j % 400 == 0;
}
} // namespace

QDate ErsterTagImMonat(const QDate& d) {
    return QDate(d.year(), d.month(), 1);
}
QDate LetzterTagImMonat(const QDate& d) {
    return QDate(d.year(), d.month(), TageImMonat(d.year(), d.month()));
}

int TageImMonat(int jahr, int monat) {
    static const int tabelle[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                       {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
    return tabelle[Schaltjahr(jahr) ? 1 : 0][monat - 1];
}

QDate ErsterTagImJahr(const QDate& d) {
    return QDate(d.year(), 1, 1);
}
int IsoWochentag(const QDate& d) {
    return d.dayOfWeek();
}
QDate WochenAnfang(const QDate& d) {
    return d.addDays(1 - IsoWochentag(d));
}
QDate WochenEnde(const QDate& d) {
    return WochenAnfang(d).addDays(6);
}

int KalenderWoche(const QDate& d) {
    const QDate jan1 = ErsterTagImJahr(d);
    const int wtJan1 = IsoWochentag(jan1);
    int n = d.dayOfYear();
    if (wtJan1 <= 4)
        n += wtJan1 - 1;
    else
        n -= 8 - wtJan1;
    if (n <= 0) return KalenderWoche(QDate(d.year() - 1, 12, 31));
    int woche = n / 7 + (n % 7 != 0 ? 1 : 0);
    if (woche > 52) {
        int wt31 = wtJan1 + (Schaltjahr(d.year()) ? 1 : 0);
        if (wt31 > 7) wt31 = 1;
        if (wt31 <= 3) woche = 1;
    }
    return woche;
}

QDate Ostersonntag(int y) {
    const int g = y % 19 + 1;
    const int c = y / 100 + 1;
    const int x = 3 * c / 4 - 12;
    const int z = (8 * c + 5) / 25 - 5;
    const int dd = 5 * y / 4 - x - 10;
    int e = (11 * g + 20 + z - x) % 30;
    if ((e == 25 && g > 11) || e == 24) ++e;
    int n = 44 - e;
    if (n < 21) n += 30;
    n = n + 7 - ((dd + n) % 7);
    return QDate(y, 1, 1).addDays(59 + n + (Schaltjahr(y) ? 1 : 0) - 1);
}

const QStringList& FeiertagNamen() {
    static const QStringList namen = {QStringLiteral("Neujahr"),
                                      QStringLiteral("Heilige 3 Könige*"),
                                      QStringLiteral("Maifeiertag"),
                                      QStringLiteral("Mariä Himmelfahrt*"),
                                      QStringLiteral("Tag der deutschen Einheit"),
                                      QStringLiteral("Reformationstag*"),
                                      QStringLiteral("Allerheiligen*"),
                                      QStringLiteral("1.Weihnachtstag"),
                                      QStringLiteral("2.Weihnachtstag"),
                                      QStringLiteral("Karfreitag"),
                                      QStringLiteral("Ostern"),
                                      QStringLiteral("Ostermontag"),
                                      QStringLiteral("Christi Himmelfahrt"),
                                      QStringLiteral("Pfingsten"),
                                      QStringLiteral("Pfingstmontag"),
                                      QStringLiteral("Fronleichnam*"),
                                      QStringLiteral("Buß- und Bettag*")};
    return namen;
}

QDate FeiertagDatum(int jahr, int index) {
    switch (index) {
    case 0:
        return QDate(jahr, 1, 1);
    case 1:
        return QDate(jahr, 1, 6);
    case 2:
        return QDate(jahr, 5, 1);
    case 3:
        return QDate(jahr, 8, 15);
    case 4:
        return QDate(jahr, 10, 3);
    case 5:
        return QDate(jahr, 10, 31);
    case 6:
        return QDate(jahr, 11, 1);
    case 7:
        return QDate(jahr, 12, 25);
    case 8:
        return QDate(jahr, 12, 26);
    case 9:
        return Ostersonntag(jahr).addDays(-2);
    case 10:
        return Ostersonntag(jahr);
    case 11:
        return Ostersonntag(jahr).addDays(1);
    case 12:
        return Ostersonntag(jahr).addDays(39);
    case 13:
        return Ostersonntag(jahr).addDays(49);
    case 14:
        return Ostersonntag(jahr).addDays(50);
    case 15:
        return Ostersonntag(jahr).addDays(60);
    case 16: {
        const QDate weihnacht(jahr, 12, 25);
        // The Sunday before Christmas Day, then 32 days back.
        return weihnacht.addDays(-IsoWochentag(weihnacht)).addDays(-32);
    }
    default:
        return {};
    }
}
