#include "burn/zpt_TachoText.h"

#include <QTime>

QString TachoZeile(int position, int max, const QLocale& ort) {
    const double prozent = max < 1 ? 0.0 : double(position) / max * 100.0;
    return QStringLiteral("%1 / %2 = %3 %").arg(position).arg(max).arg(ort.toString(prozent, 'f', 2));
}

QString ZeitText(qint64 millisekunden) {
    return QTime::fromMSecsSinceStartOfDay(int(qMax<qint64>(0, millisekunden) % 86'400'000))
        .toString(QStringLiteral("HH:mm:ss"));
}

QString RestzeitZeile(qint64 vergangenMs, int position, int max) {
    const double jeSchritt = position > 0 ? double(vergangenMs) / position : 0.0;
    const qint64 rest = qint64(qMax(0, max - position) * jeSchritt);
    return QStringLiteral("verbleibende Zeit = ") + ZeitText(rest) + u' ';
}

QString TachoSchluss(const QString& titel, qint64 millisekunden, bool abgebrochen) {
    return titel + QStringLiteral(" nach ") + ZeitText(millisekunden) +
           (abgebrochen ? QStringLiteral(" abgebrochen.") : QStringLiteral(" beendet."));
}
