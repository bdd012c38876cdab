#include "app/alb_Tagesindex.h"

#include "album/alb_ini.h"
#include "display/zpt_FotoListe.h"
#include "settings/BigIni.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QFileInfo>

void NamenSortieren(QStringList& namen) {
    FotoDateienSortieren(namen);
}

bool IstZahlName(const QString& name) {
    if (name.isEmpty()) return false;
    for (QChar c : name)
        if (!c.isDigit() || c.unicode() > 127) return false;
    return true;
}

QString TagOrdner(const QString& grundpfad, const QString& jahr, const QString& tag) {
    return AddBackslash(AddBackslash(grundpfad) + jahr) + tag + plattform::PfadTrenner;
}

QStringList JahreAuflisten(const QString& grundpfad, const TBigIniFile* index, bool nurZahlJahre) {
    QStringList roh;
    if (!VerzeichnisExistiert(grundpfad)) return roh;
    if (index)
        index->ReadSections(roh);
    else
        VerzeichnisseToItems(grundpfad, roh);
    NamenSortieren(roh);
    QStringList jahre;
    for (const QString& name : roh)
        if (!nurZahlJahre || IstZahlName(name)) jahre << name;
    return jahre;
}

QVector<TzptKeyString> TageAuflisten(const QString& grundpfad, const QString& jahr, const TBigIniFile* index,
                                     QString* hinweis,
                                     const std::function<QString(const QString& tagOrdner)>& titel) {
    QVector<TzptKeyString> tage;
    const QString jahrOrdner = AddBackslash(AddBackslash(grundpfad) + jahr);
    // No year chosen means no days, not the days of the base folder.
    if (jahr.isEmpty()) return tage;
    // A listed year whose folder is gone or closed shows no days: the user is told why.
    if (!VerzeichnisExistiert(jahrOrdner) || !QFileInfo(jahrOrdner).isReadable()) {
        if (hinweis)
            *hinweis =
                QStringLiteral("Das Jahresverzeichnis\r%1\rgibt es nicht oder es kann nicht gelesen werden.")
                    .arg(jahrOrdner);
        return tage;
    }
    QStringList namen;
    if (index) {
        index->ReadSection(jahr, namen);
        NamenSortieren(namen);
        QStringList fehlen;
        for (const QString& tag : namen) {
            if (!VerzeichnisExistiert(jahrOrdner + tag)) {
                fehlen << tag;
                continue;
            }
            tage.append({tag, VerzeichnisDatumText(jahrOrdner + tag + plattform::PfadTrenner) +
                                  QStringLiteral(" - ") + index->ReadString(jahr, tag, {})});
        }
        if (hinweis && !fehlen.isEmpty())
            *hinweis =
                QStringLiteral("Diese Tage nennt der Albumindex, ihre Verzeichnisse gibt es aber nicht "
                               "mehr:\r%1")
                    .arg(fehlen.join(QStringLiteral(", ")));
        return tage;
    }
    VerzeichnisseToItems(jahrOrdner, namen);
    NamenSortieren(namen);
    for (const QString& tag : namen)
        tage.append({tag, titel ? TagDatumText(tag) + QStringLiteral(" - ") +
                                      titel(jahrOrdner + tag + plattform::PfadTrenner)
                                : TagBeschriftung(jahrOrdner, tag)});
    return tage;
}

QString KalenderTagOrdner(const QString& grundpfad, const QDate& datum) {
    return TagOrdner(grundpfad, QString::number(datum.year()), datum.toString(QStringLiteral("yyyyMMdd")));
}

QDate KalenderDatum(const QString& tagKey) {
    QString s = tagKey.left(10);
    s.remove(u'_');
    if (s.size() != 8) return {};
    return QDate(s.left(4).toInt(), s.mid(4, 2).toInt(), s.mid(6, 2).toInt());
}
