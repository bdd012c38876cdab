#pragma once
// Message boxes and internal errors with the program's German texts.
#include "sys/zpt_Interaktion.h"

#include <QString>
#include <QStringList>
#include <functional>

// Delphi-style formatting: each %s, %d or %n (with optional width/precision) takes
// the next argument in order; %% is a percent sign.
QString FormatText(const QString& format, const QStringList& argumente);

int MeldungsDialog(const QString& text, MeldungsArt art, int knoepfe, int vorgabe, int hilfeKontext = 0,
                   const QString& hilfeDatei = {}, int oben = -1, int links = -1);
void FehlerAnzeigen(const QString& text);
void InfoAnzeigen(const QString& text);
void InfoFormat(const QString& format, const QStringList& argumente);
void InfoListe(const QString& text);
bool JaNeinFrage(const QString& text);
bool JaNeinFrageFormat(const QString& format, const QStringList& argumente);
void Piep();

QString InternerFehlerText(const QString& modul, const QString& text);
// Shows the internal error and ends the current command (throws EAbbruch).
[[noreturn]] void InternerFehler(const QString& modul, const QString& text);

// Runs a command: EAbbruch ends it silently, EFehler and other exceptions show their
// message in the error box. False when the command did not run to its end.
bool Geschuetzt(const std::function<void()>& befehl);
