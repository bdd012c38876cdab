#include "widgets/zpt_DateiListe.h"

#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyListe.h"

#include <QFileInfo>
#include <algorithm>

QString JokerNormal(const QString& joker) {
    QString j = joker.trimmed();
    if (!j.endsWith(u';')) j += u';';
    return j;
}

QVector<TDateiEintrag> DateiEintraegeLesen(const QString& verzeichnis, const QString& joker) {
    QVector<TDateiEintrag> eintraege;
    const QString ordner = AddBackslash(verzeichnis);
    if (ordner.isEmpty()) return eintraege;
    for (const QString& maske : MaskenAusText(JokerNormal(joker))) {
        if (maske.isEmpty()) continue;
        QStringList namen;
        DateienToItems(ordner, maske, namen);
        for (const QString& name : namen)
            eintraege.append({name, DateiDatum(ordner + name)});
    }
    return eintraege;
}

void DateiEintraegeSortieren(QVector<TDateiEintrag>& eintraege, TSortierungNach nach) {
    if (nach == TSortierungNach::snName)
        std::stable_sort(eintraege.begin(), eintraege.end(),
                         [](const TDateiEintrag& a, const TDateiEintrag& b) {
                             return a.name.toUpper() < b.name.toUpper();
                         });
    else
        std::stable_sort(
            eintraege.begin(), eintraege.end(),
            [](const TDateiEintrag& a, const TDateiEintrag& b) { return a.geaendert > b.geaendert; });
}

QString AuswahlText(const QString& verzeichnis, const QStringList& namen) {
    QString text;
    for (const QString& name : namen)
        text += AddBackslash(verzeichnis) + name + u';';
    return text;
}
