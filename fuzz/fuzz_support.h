#pragma once
// A file of the fuzzer's input for the units that read files; one per process.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <unistd.h>

inline QString FuzzDatei(const QByteArray& daten, const QString& name) {
    static const QString ordner = QDir::tempPath() + QStringLiteral("/pixoluda-fuzz-%1").arg(getpid());
    QDir().mkpath(ordner);
    const QString pfad = ordner + u'/' + name;
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(daten);
    return pfad;
}

inline QByteArray Eingabe(const uint8_t* daten, size_t groesse) {
    return QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse));
}
