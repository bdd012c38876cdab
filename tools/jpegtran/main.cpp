// jpegtran -rotate 90|180|270 IN OUT
// Rotates a JPEG losslessly and replaces OUT atomically. Exit code 0 on success,
// 1 with a message on standard error otherwise (OUT then stays as it was).
#include "zpt_JpegDrehen.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments().mid(1);
    bool ok = false;
    const int grad = a.size() == 4 && a[0] == QLatin1String("-rotate") ? a[1].toInt(&ok) : 0;
    if (!ok) {
        std::fprintf(stderr, "Aufruf: jpegtran -rotate 90|180|270 EINGABE AUSGABE\n");
        return 1;
    }
    QString fehler;
    if (!JpegDateiDrehen(a[2], a[3], grad, fehler)) {
        std::fprintf(stderr, "jpegtran: %s\n", qPrintable(fehler));
        return 1;
    }
    return 0;
}
