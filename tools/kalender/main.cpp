// Shows the calendar control on its own, with a few sample entries, to look at it
// before the calendar window exists. "kalender [tag|woche|monat|jahr] [JJJJ-MM-TT]"
#include "calendar/qorKalender.h"

#include <QApplication>
#include <QPainter>

namespace {
QPixmap Knopf(QColor farbe, const QString& zeichen) {
    QPixmap bild(14, 14);
    bild.fill(farbe);
    QPainter p(&bild);
    p.setPen(Qt::white);
    p.drawText(bild.rect(), Qt::AlignCenter, zeichen);
    return bild;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TqorKalender k;
    k.setWindowTitle(QStringLiteral("Kalender"));
    k.setGlyphNew(Knopf(QColor(0, 128, 0), QStringLiteral("+")));
    k.setGlyphEdit(Knopf(QColor(0, 0, 160), QStringLiteral("e")));
    k.setGlyphDelete(Knopf(QColor(160, 0, 0), QStringLiteral("x")));
    k.setCanEdit(TypBit(kaTermin) | TypBit(kaGeburtstag));
    k.setCanDelete(TypBit(kaTermin));
    k.Modell().OnGetTermine = [](const QDateTime& von, const QDateTime& bis, TqorEreignisList& items) {
        for (QDate d = von.date(); d <= bis.date(); d = d.addDays(1)) {
            if (d.day() % 5 == 0) {
                TqorKalenderEreignis e;
                e.Von = QDateTime(d, QTime(0, 0));
                e.Text = QStringLiteral("Fotos vom %1").arg(d.toString(QStringLiteral("dd.MM.yyyy")));
                e.Beschreibung << QStringLiteral(
                    "Ein Tag mit Bildern im Album, mit einer längeren Beschreibung, "
                    "die in der Tagesansicht umbrochen wird.");
                items.append(e);
            }
            if (d.day() == 12) {
                TqorKalenderEreignis e;
                e.Von = QDateTime(d, QTime(14, 30));
                e.Bis = QDateTime(d, QTime(16, 0));
                e.Text = QStringLiteral("Ausstellung");
                e.Zusatz = QStringLiteral("Rathaus");
                items.append(e);
            }
            if (d.day() == 18) {
                TqorKalenderEreignis e;
                e.Von = QDateTime(d, QTime(0, 0));
                e.Text = QStringLiteral("Geburtstag Oma Käthe");
                e.Typ = kaGeburtstag;
                items.append(e);
            }
        }
    };
    const QStringList a = app.arguments();
    const QStringList ansichten{QStringLiteral("tag"), QStringLiteral("woche"), QStringLiteral("monat"),
                                QStringLiteral("jahr")};
    if (a.size() > 2) k.SetDatum(QDate::fromString(a[2], Qt::ISODate));
    if (a.size() > 1 && ansichten.contains(a[1])) k.setAnzeige(TqorKalenderAnzeige(ansichten.indexOf(a[1])));
    k.Modell().TermineLaden();
    k.resize(900, 600);
    k.show();
    return app.exec();
}
