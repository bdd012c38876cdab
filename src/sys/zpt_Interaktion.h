#pragma once
// The one seam through which the program waits for the user: message boxes, the
// beep, file/folder/colour choice and modal dialogs. The program installs the Qt
// implementation; tests install a scripted one.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QDialog;

enum class MeldungsArt { Fehler, Information, Bestaetigung, Warnung };

// Buttons of a message box (combinable).
enum MeldungsKnopf : int { mbOK = 1, mbAbbruch = 2, mbJa = 4, mbNein = 8 };

// Modal results, as the buttons and dialogs report them.
enum ModalErgebnis : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct MeldungsAnfrage {
    MeldungsArt art = MeldungsArt::Information;
    QString text;
    int knoepfe = mbOK;
    int vorgabe = mrNone; // result of the default button; mrNone: no default button
};

class Interaktion {
public:
    virtual ~Interaktion() = default;
    // Shows a modal message box; returns the modal result of the pressed button.
    virtual int Meldung(const MeldungsAnfrage& anfrage) = 0;
    virtual void Piep() = 0;
    // Open-file dialog. `name` is preset and receives the choice.
    virtual bool DateiOeffnen(const QString& titel, const QString& filter, const QString& standardEndung,
                              QString& name) = 0;
    // The platform's folder browser. `ordner` is preset and receives the choice.
    virtual bool OrdnerWaehlen(const QString& titel, QString& ordner) = 0;
    // Colour dialog; `eigeneFarben` are its custom colours as "ColorA=A6CAF0" entries.
    virtual bool FarbeWaehlen(QColor& farbe, const QStringList& eigeneFarben = {}) = 0;
    virtual bool SchriftWaehlen(QFont& schrift) = 0;
    // Shows one of our dialogs modally; returns its modal result.
    virtual int ModalZeigen(QDialog& dialog) = 0;
};

// The installed implementation; without one a quiet fallback answers with the
// default of every question.
Interaktion& interaktion();
// Installs `neu` (not owned); nullptr restores the fallback. Returns the previous one.
Interaktion* InteraktionSetzen(Interaktion* neu);
