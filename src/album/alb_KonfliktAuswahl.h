#pragma once
// What the conflict window of a day offers and what the user chose there: the captions
// and titles whose texts compete, and the pictures a sync program put aside. Kept apart
// from the window so that the rules (which version is preselected, how a version's
// origin reads) hold without a screen.
#include "album/alb_Abgleich.h"
#include "album/alb_BildKonflikt.h"

#include <QHash>
#include <QString>
#include <QVector>

// A day with something for the user to decide.
struct TTagKonflikte {
    QString ordner;
    QVector<TKonfliktFrage> fragen;
    QVector<TBildKonflikt> bilder;
    bool Leer() const { return fragen.isEmpty() && bilder.isEmpty(); }
};

class TKonfliktAuswahl {
public:
    explicit TKonfliktAuswahl(TTagKonflikte tag = {});
    const TTagKonflikte& Tag() const { return m_tag; }

    // Competing texts: the newer version preselected.
    int Fragen() const { return int(m_tag.fragen.size()); }
    const TKonfliktFrage& Frage(int i) const { return m_tag.fragen[i]; }
    TWahl Wahl(int i) const { return m_wahl[i]; }
    void WahlSetzen(int i, TWahl wahl) { m_wahl[i] = wahl; }
    // What the entry is: the picture's name, or "Titel der Serie".
    QString Eintrag(int i) const;
    // Where a version comes from and when, as the window shows it.
    QString HerkunftDiese(int i) const;
    QString HerkunftJene(int i) const;

    // Pictures: the newer file preselected.
    int Bilder() const { return int(m_tag.bilder.size()); }
    const TBildKonflikt& Bild(int i) const { return m_tag.bilder[i]; }
    TBildWahl BildWahl(int i) const { return m_bildWahl[i]; }
    void BildWahlSetzen(int i, TBildWahl wahl) { m_bildWahl[i] = wahl; }
    QString BildHerkunftDiese(int i) const;
    QString BildHerkunftJene(int i) const;

    // The choices for the merge, by the entries' keys.
    QHash<QString, TWahl> Wahlen() const;

    static TWahl Vorauswahl(const TKonfliktFrage& frage);
    static TBildWahl Vorauswahl(const TBildKonflikt& bild);
    // "Konfliktkopie von Gerät M6CSOA4", "… von Benutzer anna", or just "Konfliktkopie".
    static QString KopieHerkunft(const QString& kopie, const QString& geraet);
    static QString ZeitText(const QDateTime& zeit);

private:
    TTagKonflikte m_tag;
    QVector<TWahl> m_wahl;
    QVector<TBildWahl> m_bildWahl;
};
