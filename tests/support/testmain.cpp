// Runs the tests inside a QApplication on the offscreen platform, with a German
// locale, a scripted user and the program file named as the real one.
#include "display/zpt_VideoSpieler.h"
#include "sys/zpt_Plattform.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // Deleted test pictures go into a trash of the run's own, never the user's.
    QTemporaryDir daten;
    qputenv("XDG_DATA_HOME", daten.path().toLocal8Bit());
    // Caches (the bases of caption files among them) too.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    VideoBackendWaehlen();
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    plattform::ProgrammDateiSetzen(
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/Pixolud"));
    return RUN_ALL_TESTS();
}
