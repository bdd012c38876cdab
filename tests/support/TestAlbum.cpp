#include "support/TestAlbum.h"

#include "album/alb_ini.h"
#include "app/alb_Main.h"
#include "sys/zpt_Schalter.h"

#include "support/Testbilder.h"
#include <QApplication>

QString TestAlbum::tag(const QString& jahr, const QString& tag, const QStringList& bilder,
                       const QString& titel) {
    const QString tagOrdner = ordner.ordner(jahr + "/" + tag);
    for (const QString& b : bilder)
        JpegEinfarbig(tagOrdner + "/" + b, 40, 30);
    if (!titel.isEmpty()) TitelSchreiben(tagOrdner, titel);
    return tagOrdner;
}

std::unique_ptr<Tam_Main> TestAlbum::fenster(QStringList argumente, QSize groesse) const {
    argumente << "/Grundpfad=" + pfad();
    ProgrammArgumenteSetzen(argumente);
    auto m = std::make_unique<Tam_Main>();
    m->resize(groesse);
    m->show();
    QApplication::setActiveWindow(m.get());
    return m;
}
