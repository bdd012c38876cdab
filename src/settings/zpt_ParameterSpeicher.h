#pragma once
// Named settings of one window: the section bearing the window's class name in the
// window's settings file (its own DateiName, or the program's default file).
#include "settings/zpt_ProfilDatei.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QVector>
#include <utility>

class TParameterSpeicher {
public:
    TParameterSpeicher() = default;
    explicit TParameterSpeicher(const QString& sektion) : m_sektion(sektion) {}

    QString Sektion() const { return m_sektion; }
    void setSektion(const QString& s) { m_sektion = s; }
    QString DateiName() const { return m_dateiName; }
    void setDateiName(const QString& n) { m_dateiName = n; }

    // DateiName when set, else the default settings file.
    QString EinstellungsDateiName() const;

    QString WertLesen(const QString& schluessel, const QString& vorgabe = {}) const;
    int ZahlLesen(const QString& schluessel, int vorgabe) const;
    // True when the key stands in the section (also with an empty value).
    bool SchluesselVorhanden(const QString& schluessel) const;
    // Throws EFehler "nach <file> kann nicht geschrieben werden" when the file refuses.
    void WertSchreiben(const QString& schluessel, const QString& wert);

    // The typed values of the store: booleans as "1"/"0", integers as decimal text.
    bool BoolLesen(const QString& schluessel, bool vorgabe) const;
    void BoolSchreiben(const QString& schluessel, bool wert);
    void ZahlSchreiben(const QString& schluessel, int wert);
    void SektionLoeschen();
    // Erases the section and writes these keys into it, in one write of the file.
    void SektionErsetzen(const QVector<std::pair<QString, QString>>& werte);
    // The file as it is now, for many reads in one go.
    TProfilDokument Dokument() const;

private:
    TProfilDatei Datei() const;
    [[noreturn]] void SchreibFehler() const;
    QString m_sektion;
    QString m_dateiName;
};

// Integer as the settings read it: decimal with optional sign, or hexadecimal after
// "0x"/"0X" (three characters or more). False when the text is no such number.
bool ZahlAusText(const QString& text, int& zahl);

// Marked-control selection by tag.
bool TagGewaehlt(int tag, int tagInclusive, int tagExclusive);

// A stored window placement made to fit the screens there are now: one that no screen
// shows enough of (a monitor unplugged, a hand-edited value) is moved onto the first
// screen and made no larger than it; one that is seen stays as it was.
QRect PlatzAufBildschirmen(const QRect& platz, const QList<QRect>& bildschirme);
