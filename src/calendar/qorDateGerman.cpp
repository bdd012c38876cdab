#include "calendar/qorDateGerman.h"

#include <QStringList>

QString MonatsName(int monat) {
    static const QStringList namen = {
        QStringLiteral("Januar"),  QStringLiteral("Februar"),  QStringLiteral("März"),
        QStringLiteral("April"),   QStringLiteral("Mai"),      QStringLiteral("Juni"),
        QStringLiteral("Juli"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    return monat >= 1 && monat <= 12 ? namen[monat - 1] : QString();
}

QString MonatsNameKurz(int monat) {
    static const QStringList namen = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mrz"),
                                      QStringLiteral("Apr"), QStringLiteral("Mai"), QStringLiteral("Jun"),
                                      QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                                      QStringLiteral("Okt"), QStringLiteral("Nov"), QStringLiteral("Dez")};
    return monat >= 1 && monat <= 12 ? namen[monat - 1] : QString();
}

QString WochentagName(int isoTag) {
    static const QStringList namen = {QStringLiteral("Montag"),   QStringLiteral("Dienstag"),
                                      QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"),
                                      QStringLiteral("Freitag"),  QStringLiteral("Samstag"),
                                      QStringLiteral("Sonntag")};
    return isoTag >= 1 && isoTag <= 7 ? namen[isoTag - 1] : QString();
}

QString WochentagKurz(int isoTag) {
    static const QStringList namen = {QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"),
                                      QStringLiteral("Do"), QStringLiteral("Fr"), QStringLiteral("Sa"),
                                      QStringLiteral("So")};
    return isoTag >= 1 && isoTag <= 7 ? namen[isoTag - 1] : QString();
}

QString DatumText(const QDate& d, const QString& muster) {
    QString s;
    for (int i = 0; i < muster.size();) {
        auto laenge = [&](QChar c) {
            int n = 0;
            while (i + n < muster.size() && muster[i + n] == c)
                ++n;
            return n;
        };
        const QChar c = muster[i];
        const int n = (c == u'd' || c == u'm' || c == u'y') ? laenge(c) : 1;
        if (c == u'd') {
            if (n == 1)
                s += QString::number(d.day());
            else if (n == 2)
                s += QStringLiteral("%1").arg(d.day(), 2, 10, QChar(u'0'));
            else if (n == 3)
                s += WochentagKurz(d.dayOfWeek());
            else
                s += WochentagName(d.dayOfWeek());
        } else if (c == u'm') {
            if (n == 1)
                s += QString::number(d.month());
            else if (n == 2)
                s += QStringLiteral("%1").arg(d.month(), 2, 10, QChar(u'0'));
            else if (n == 3)
                s += MonatsNameKurz(d.month());
            else
                s += MonatsName(d.month());
        } else if (c == u'y') {
            s += n <= 2 ? QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0'))
                        : QString::number(d.year());
        } else {
            s += c;
        }
        i += n;
    }
    return s;
}
