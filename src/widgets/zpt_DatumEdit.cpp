#include "widgets/zpt_DatumEdit.h"

#include <QCalendarWidget>
#include <QLocale>

namespace {
const QString kFormat = QStringLiteral("dd.MM.yyyy");
}

TzptDatumEdit::TzptDatumEdit(QWidget* parent) : QDateEdit(QDate::currentDate(), parent) {
    setDisplayFormat(kFormat);
    setCalendarPopup(true);
    // The calendar speaks German and starts its weeks on Monday, as the program's own.
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    setLocale(deutsch);
    calendarWidget()->setLocale(deutsch);
    calendarWidget()->setFirstDayOfWeek(Qt::Monday);
    calendarWidget()->setGridVisible(true);
}

QString TzptDatumEdit::Text() const {
    return date().toString(kFormat);
}

void TzptDatumEdit::setText(const QString& text) {
    const QDate d = QDate::fromString(text.trimmed(), kFormat);
    if (d.isValid()) setDate(d);
}
