#include "sys/zpt_Plattform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace plattform {

namespace {
QString& programmDateiUeberschrieben() {
    static QString pfad;
    return pfad;
}
} // namespace

void ProgrammDateiSetzen(const QString& pfad) {
    programmDateiUeberschrieben() = pfad;
}

QString ProgrammDatei() {
    if (!programmDateiUeberschrieben().isEmpty()) return programmDateiUeberschrieben();
    if (QCoreApplication::instance())
        return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    return {};
}

QString ProgrammOrdner() {
    const QString datei = ProgrammDatei();
    if (datei.isEmpty()) return QDir::toNativeSeparators(QDir::currentPath());
    return QDir::toNativeSeparators(QFileInfo(datei).absolutePath());
}

QString KonfigurationsOrdner() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString DokumenteOrdner() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString TempOrdner() {
    return QDir::toNativeSeparators(QDir::tempPath());
}

QString NameOhneGrossKlein(const QString& ordner, const QString& name) {
    QDir dir(ordner);
    if (QFileInfo::exists(dir.filePath(name))) return name;
    const QStringList eintraege =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : eintraege)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    return {};
}

} // namespace plattform
