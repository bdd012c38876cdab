#pragma once
// One instance per dialog class, created on first use and kept until the program ends.
#include <QCoreApplication>
#include <QPointer>

template <class T> T& EinzelDialog() {
    static QPointer<T> instanz;
    if (!instanz) {
        instanz = new T(nullptr);
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, instanz.data(),
                         &QObject::deleteLater);
    }
    return *instanz;
}
