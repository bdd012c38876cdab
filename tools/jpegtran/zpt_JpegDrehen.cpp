#include "zpt_JpegDrehen.h"

#include <QFile>
#include <QSaveFile>

#include <turbojpeg.h>

bool JpegDrehen(const QByteArray& eingabe, int grad, QByteArray& ausgabe, QString& fehler) {
    int operation = 0;
    switch (grad) {
    case 90:
        operation = TJXOP_ROT90;
        break;
    case 180:
        operation = TJXOP_ROT180;
        break;
    case 270:
        operation = TJXOP_ROT270;
        break;
    default:
        fehler = QStringLiteral("Drehung um %1 Grad wird nicht unterstützt").arg(grad);
        return false;
    }
    if (eingabe.isEmpty()) {
        fehler = QStringLiteral("leere Datei");
        return false;
    }
    tjhandle h = tjInitTransform();
    if (!h) {
        fehler = QString::fromLocal8Bit(tjGetErrorStr2(nullptr));
        return false;
    }
    tjtransform t{};
    t.op = operation;
    t.options = TJXOPT_TRIM;
    unsigned char* ziel = nullptr;
    unsigned long groesse = 0;
    const int ergebnis = tjTransform(h, reinterpret_cast<const unsigned char*>(eingabe.constData()),
                                     static_cast<unsigned long>(eingabe.size()), 1, &ziel, &groesse, &t, 0);
    // A warning (a slightly damaged file, say) is still an error here: the picture must
    // not be replaced by something less than it was.
    const bool ok = ergebnis == 0 && groesse > 0;
    if (!ok)
        fehler = QString::fromLocal8Bit(tjGetErrorStr2(h));
    else
        ausgabe = QByteArray(reinterpret_cast<const char*>(ziel), qsizetype(groesse));
    tjFree(ziel);
    tjDestroy(h);
    return ok;
}

bool JpegDateiDrehen(const QString& quelle, const QString& ziel, int grad, QString& fehler) {
    QFile ein(quelle);
    if (!ein.open(QIODevice::ReadOnly)) {
        fehler = quelle + QStringLiteral(": ") + ein.errorString();
        return false;
    }
    const QByteArray daten = ein.readAll();
    ein.close();
    QByteArray gedreht;
    if (!JpegDrehen(daten, grad, gedreht, fehler)) {
        fehler = quelle + QStringLiteral(": ") + fehler;
        return false;
    }
    // Written beside the target and renamed over it: a crash or a full disk never
    // leaves half a picture.
    QSaveFile aus(ziel);
    if (!aus.open(QIODevice::WriteOnly) || aus.write(gedreht) != gedreht.size() || !aus.commit()) {
        fehler = ziel + QStringLiteral(": ") + aus.errorString();
        return false;
    }
    return true;
}
