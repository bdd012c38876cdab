#pragma once
// Merging the conflict copies a sync program left of a day's caption file
// (ALBUM.sync-conflict-….DAT, ALBUM (conflicted copy …).DAT, ALBUM_conflict-….DAT)
// into the file, entry by entry against the base this computer kept (alb_Basis):
// an entry changed on one side only takes that side's text, equal ones stay, and
// entries changed differently on both sides, or without a known base, are questions.
// A copy goes into the trash only once the merged file is safely on disk and no
// question about it is open.
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

struct TKonfliktFrage {
    QString kopie;                 // file name of the conflict copy
    QString bild;                  // picture name as in the file; empty for the series title
    QStringList diese, jene;       // text in the current ALBUM.DAT / in the conflict copy (empty: none)
    QString geraet;                // device ID or user named in the copy's name (may be empty)
    QDateTime zeitDiese, zeitJene; // when ALBUM.DAT / the conflict copy was last changed
    QString eintrag;               // the entry's key (alb_Basis)
    // Identifies this question and the two texts it showed.
    QString Schluessel() const;
};

enum class TWahl { Offen, Diese, Jene, Beide };

struct TAbgleichPlan {
    QVector<TKonfliktFrage> fragen;
    int automatisch = 0;  // entries that take the copy's text without a question
    QStringList kopien;   // file names of the conflict copies of the caption file, in merge order
    QStringList unlesbar; // those that cannot be read (no text, a link, a pipe, …): left alone
    QString fehler;       // why the caption file itself cannot be merged (empty when it can)
};

// What a merge would do; reads only, safe off the GUI thread.
TAbgleichPlan AbgleichPruefen(const QString& tagOrdner);

struct TAbgleichErgebnis {
    int uebernommen = 0; // entries taken from a copy without a question
    int gefragt = 0;     // questions answered
    int offen = 0;       // questions left open
    int imPapierkorb = 0;
    QStringList unlesbar; // copies that cannot be read: left where they are
    QStringList fehler;   // the caption file not written, a copy not put into the trash
};

// Applies every merge that needs no question and the given answers (by Schluessel()); a
// question without an answer or whose texts changed meanwhile stays open and its copy stays.
// "Beide" keeps both texts one after the other (the title's joined by " / ").
TAbgleichErgebnis AbgleichAnwenden(const QString& tagOrdner, const QHash<QString, TWahl>& wahlen = {});

// True for a conflict copy of a day's caption file (any case).
bool IstAlbumKonfliktkopie(const QString& name);
