#include "app/zpt_Anwendung.h"

#include "sys/zpt_Meldungen.h"

TAnwendung::TAnwendung(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Pixolud"));
    setOrganizationName(QStringLiteral("Kefwerk"));
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis) {
    bool ergebnis = false;
    Geschuetzt([&] { ergebnis = QApplication::notify(empfaenger, ereignis); });
    return ergebnis;
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
