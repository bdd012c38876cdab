#pragma once
// The texts of the progress window.
#include <QLocale>
#include <QString>

// "2 / 4 = 50,00 %": position, maximum and percentage with two decimals in the
// locale's separators (0 % when the maximum is below 1).
QString TachoZeile(int position, int max, const QLocale& ort = QLocale());
// A duration as the long time format shows it: "01:02:03".
QString ZeitText(qint64 millisekunden);
// "verbleibende Zeit = 00:00:12 ": the steps left at the average time of those done.
QString RestzeitZeile(qint64 vergangenMs, int position, int max);
// "<title> nach 00:00:05 beendet." or "... abgebrochen."
QString TachoSchluss(const QString& titel, qint64 millisekunden, bool abgebrochen);
