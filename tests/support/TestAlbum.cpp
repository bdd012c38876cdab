#include "support/TestAlbum.h"

#include "album/alb_ini.h"
#include "support/Testbilder.h"

QString TestAlbum::tag(const QString& jahr, const QString& tag, const QStringList& bilder,
                       const QString& titel) {
    const QString tagOrdner = ordner.ordner(jahr + "/" + tag);
    for (const QString& b : bilder)
        JpegEinfarbig(tagOrdner + "/" + b, 40, 30);
    if (!titel.isEmpty()) TitelSchreiben(tagOrdner, titel);
    return tagOrdner;
}
