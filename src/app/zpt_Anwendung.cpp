#include "app/zpt_Anwendung.h"

#include "app/zpt_Hilfe.h"
#include "sys/zpt_Meldungen.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

TAnwendung::TAnwendung(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Pixolud"));
    setOrganizationName(QStringLiteral("Kefwerk"));
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis) {
    // F1 opens the help wherever the focus is (only once: at the focused widget).
    if (ereignis->type() == QEvent::KeyPress && empfaenger == focusWidget() && HilfeTaste(ereignis))
        return true;
    bool ergebnis = false;
    Geschuetzt([&] { ergebnis = QApplication::notify(empfaenger, ereignis); });
    return ergebnis;
}

bool QtTexteDeutsch() {
    // Numbers and dates as in Germany, and Qt's own texts (key names, standard
    // dialogs) in German like every text of the program.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* uebersetzung = new QTranslator(qApp);
    if (!uebersetzung->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete uebersetzung;
        return false;
    }
    return QCoreApplication::installTranslator(uebersetzung);
}

QString Hilfetext() {
    return QStringLiteral("Pixoluda 2.42 - Fotoalbum\n"
                          "\n"
                          "Aufruf: Pixolud [Schalter]\n"
                          "\n"
                          "  /Edit              Bearbeitungsmodus (ohne: nur Anzeige)\n"
                          "  /Alles             jeder Unterordner des Grundpfads ist ein Jahr\n"
                          "  /Grundpfad=ORDNER  Grundpfad des Albums\n"
                          "  /Ini=NAME          Einstellungsdatei (ohne Ordner: im Einstellungsordner)\n"
                          "  /KAMERA            Kamera-Import beim Start\n"
                          "  /8X6, /10X7        Fenstergröße 800x600 bzw. 1024x768\n");
}
