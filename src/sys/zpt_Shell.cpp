#include "sys/zpt_Shell.h"

#include "sys/zpt_Meldungen.h"
#include "sys/zpt_sys.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace {
constexpr int kDateiNichtGefunden = 2;
constexpr int kNichtStartbar = 3;
constexpr int kKeineZuordnung = 31;
} // namespace

QString ShellFehlerText(int code) {
    switch (code) {
    case 0:
        return {};
    case 2:
        return QStringLiteral("Datei nicht gefunden.");
    case 3:
        return QStringLiteral("Das angegebene Verzeichnis/Datei existiert nicht.");
    case 5:
        return QStringLiteral("The operating system denied access to the specified file.");
    case 8:
        return QStringLiteral("Windows 95 only: There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred.");
    case 27:
        return QStringLiteral("The filename association is incomplete or invalid.");
    case 28:
        return QStringLiteral("The DDE transaction could not be completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral("The DDE transaction could not be completed because other DDE transactions "
                              "were being processed.");
    case 31:
        return QStringLiteral("There is no application associated with the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("Unbekannter Fehler (") + QString::number(code) + u')';
    }
}

bool zptDateiStarten(const QString& datei, const QString& parameter, const QString& ordner, bool melden) {
    return zptDateiStarten(datei, QProcess::splitCommand(parameter), ordner, melden);
}

bool zptDateiStarten(const QString& datei, const QStringList& argumente, const QString& ordner, bool melden) {
    if (!Hauptfenster()) {
        InfoAnzeigen(InternerFehlerText(QStringLiteral("zptDateiStarten"),
                                        QStringLiteral("Mainform noch nicht erzeugt.")));
        return false;
    }
    QCoreApplication::processEvents();
    int code = 0;
    const QFileInfo fi(datei);
    if (!fi.exists()) {
        code = kDateiNichtGefunden;
    } else if (!argumente.isEmpty()) {
        // A named program with parameters is started directly.
        if (!QProcess::startDetached(fi.absoluteFilePath(), argumente, ordner)) code = kNichtStartbar;
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(fi.absoluteFilePath()))) {
        code = kKeineZuordnung;
    }
    if (code == 0) return true;
    if (melden) {
        if (fi.exists())
            InfoAnzeigen(QStringLiteral("Zur Anzeige der Datei ") + datei +
                         QStringLiteral(" ist kein Programm installiert."));
        else
            InfoFormat(QStringLiteral("Bei der Ausführung von \r%s\rist folgender Fehler aufgetreten :\r%s"),
                       {datei, ShellFehlerText(code)});
    }
    return false;
}

bool zptDateiStarten(const QString& datei, bool melden) {
    return zptDateiStarten(datei, QStringList(), QString(), melden);
}

namespace {
bool Ausfuehren(const QString& programm, const QStringList& argumente, const QString& parameterText,
                const QString& ordner, bool melden, int* exitCode) {
    int code = kNichtStartbar;
    if (!programm.trimmed().isEmpty()) {
        QProcess p;
        p.setProgram(programm);
        p.setArguments(argumente);
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start();
        if (p.waitForStarted(-1)) {
            p.waitForFinished(-1);
            // A crash is never success, whatever number the process left behind.
            code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        }
    }
    if (exitCode) *exitCode = code;
    const bool ok = code == 0 || code > 32;
    if (!ok && melden)
        InfoFormat(
            QStringLiteral("Bei der Ausführung von \r%s\r%s\r%s\rist folgender Fehler aufgetreten :\r%s"),
            {programm, parameterText, ordner, ShellFehlerText(code)});
    return ok;
}
} // namespace

bool ProgrammStartenUndWarten(const QString& programm, const QString& parameter, const QString& ordner,
                              bool melden, int* exitCode) {
    return Ausfuehren(programm, QProcess::splitCommand(parameter), parameter, ordner, melden, exitCode);
}

bool ProgrammStartenUndWarten(const QString& programm, const QStringList& argumente, const QString& ordner,
                              bool melden, int* exitCode) {
    QStringList text;
    for (const QString& a : argumente)
        text << (a.contains(u' ') || a.isEmpty() ? u'"' + a + u'"' : a);
    return Ausfuehren(programm, argumente, text.join(u' '), ordner, melden, exitCode);
}

void TextInZwischenablage(const QString& text) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        app->clipboard()->setText(text);
}
