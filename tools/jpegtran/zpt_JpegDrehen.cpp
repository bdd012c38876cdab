#include "zpt_JpegDrehen.h"

#include "display/zpt_Exif.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Regulaer.h"
#include "sys/zpt_Sperre.h"

#include <QFile>
#include <optional>

#include <turbojpeg.h>

namespace {
// The one lossless operation that performs a transform: mirrored first, then turned.
int Operation(Lage l) {
    switch (((l.viertel % 4) + 4) % 4 + (l.spiegeln ? 4 : 0)) {
    case 1:
        return TJXOP_ROT90;
    case 2:
        return TJXOP_ROT180;
    case 3:
        return TJXOP_ROT270;
    case 4:
        return TJXOP_HFLIP;
    case 5:
        return TJXOP_TRANSVERSE;
    case 6:
        return TJXOP_VFLIP;
    case 7:
        return TJXOP_TRANSPOSE;
    default:
        return TJXOP_NONE;
    }
}
} // namespace

bool JpegDrehen(const QByteArray& eingabe, int grad, QByteArray& ausgabe, QString& fehler) {
    if (grad != 90 && grad != 180 && grad != 270) {
        fehler = QStringLiteral("Drehung um %1 Grad wird nicht unterstützt").arg(grad);
        return false;
    }
    if (eingabe.isEmpty()) {
        fehler = QStringLiteral("leere Datei");
        return false;
    }
    // What the user sees is the picture upright by its tag: turn that.
    const int orientierung = JpegOrientierung(eingabe);
    const int operation = Operation(Verketten(AufrechtLage(orientierung), Lage{grad / 90, false}));
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
    if (!ok) {
        fehler = QString::fromLocal8Bit(tjGetErrorStr2(h));
    } else {
        ausgabe = QByteArray(reinterpret_cast<const char*>(ziel), qsizetype(groesse));
        // The pixels are upright now: the tag must not turn them again.
        if (orientierung != 1) JpegOrientierungSetzen(ausgabe, 1);
    }
    tjFree(ziel);
    tjDestroy(h);
    return ok;
}

bool JpegDateiDrehen(const QString& quelle, const QString& zielName, int grad, QString& fehler) {
    // A picture that is a link (an album made of links into a photo library) is turned
    // where it lies, under that file's lock, and stays a link.
    const QString ziel = regulaer::Ziel(zielName, regulaer::Verweise::Folgen, &fehler);
    if (ziel.isEmpty()) return false;
    // Under the picture's lock from reading to the rename, as every writer of a shared
    // file: two rotations at once would both turn the same old picture.
    std::optional<TDateiSperre> sperre;
    if (QFile::exists(ziel)) sperre.emplace(ziel);
    if (sperre && !sperre->Erhalten()) {
        fehler = SperrMeldung(ziel);
        return false;
    }
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
    QString grund;
    if (!DateiErsetzen(ziel, gedreht, &grund)) {
        fehler = ziel + QStringLiteral(": ") + grund;
        return false;
    }
    return true;
}
