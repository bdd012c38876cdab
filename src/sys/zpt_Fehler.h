#pragma once
// Exceptions of the program. EAbbruch ends the current command silently; EFehler
// carries a message that the application shows in the error box.
#include <QString>
#include <stdexcept>

struct EAbbruch : std::exception {
    const char* what() const noexcept override { return "Abbruch"; }
};

struct EFehler : std::runtime_error {
    explicit EFehler(const QString& text) : std::runtime_error(text.toStdString()), meldung(text) {}
    QString meldung;
};
