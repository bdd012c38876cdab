#pragma once
// The application object: an exception that escapes an event handler ends only that
// command, with its message, never the program.
#include <QApplication>

class TAnwendung : public QApplication {
    Q_OBJECT
public:
    TAnwendung(int& argc, char** argv);
    bool notify(QObject* empfaenger, QEvent* ereignis) override;
};

// German locale and Qt's German texts; false when the translations are not installed.
bool QtTexteDeutsch();

// The German usage text printed for --help.
QString Hilfetext();
