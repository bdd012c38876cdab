#include "app/alb_Main.h"
#include "app/zpt_Anwendung.h"
#include "display/zpt_VideoSpieler.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_QtInteraktion.h"

#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
            std::fputs(Hilfetext().toLocal8Bit().constData(), stdout);
            return 0;
        }
    VideoBackendWaehlen();
    TAnwendung app(argc, argv);
    QtTexteDeutsch();
    QtInteraktion dialoge;
    InteraktionSetzen(&dialoge);
    StandardIniOrtSetzen(IniOrt::ProBenutzer);

    Tam_Main fenster;
    // Without a window manager "maximised" means nothing; fill the screen all the same.
    if (QScreen* bildschirm = QGuiApplication::primaryScreen())
        fenster.setGeometry(bildschirm->availableGeometry());
    fenster.showMaximized();
    const int ergebnis = app.exec();
    InteraktionSetzen(nullptr);
    return ergebnis;
}
