#include "album/alb_KonfliktAuswahl.h"

#include "sys/alb_Konflikt.h"

#include <QLocale>

TKonfliktAuswahl::TKonfliktAuswahl(TTagKonflikte tag) : m_tag(std::move(tag)) {
    for (const TKonfliktFrage& f : m_tag.fragen)
        m_wahl << Vorauswahl(f);
    for (const TBildKonflikt& b : m_tag.bilder)
        m_bildWahl << Vorauswahl(b);
}

TWahl TKonfliktAuswahl::Vorauswahl(const TKonfliktFrage& frage) {
    // The later change is most likely the one meant; without times the album's stays.
    if (frage.zeitJene.isValid() && (!frage.zeitDiese.isValid() || frage.zeitJene > frage.zeitDiese))
        return TWahl::Jene;
    return TWahl::Diese;
}

TBildWahl TKonfliktAuswahl::Vorauswahl(const TBildKonflikt& bild) {
    if (!bild.originalDa) return TBildWahl::Jene;
    if (bild.zeitJene.isValid() && (!bild.zeitDiese.isValid() || bild.zeitJene > bild.zeitDiese))
        return TBildWahl::Jene;
    return TBildWahl::Diese;
}

QString TKonfliktAuswahl::Eintrag(int i) const {
    const QString& bild = m_tag.fragen[i].bild;
    return bild.isEmpty() ? QStringLiteral("Titel der Serie") : bild;
}

QString TKonfliktAuswahl::ZeitText(const QDateTime& zeit) {
    if (!zeit.isValid()) return QStringLiteral("Zeit unbekannt");
    return QLocale(QLocale::German).toString(zeit.toLocalTime(), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString TKonfliktAuswahl::KopieHerkunft(const QString& kopie, const QString& geraet) {
    if (geraet.isEmpty()) return QStringLiteral("Konfliktkopie");
    const auto k = KonfliktKopie(kopie);
    // Syncthing names the device, the cloud clients the user.
    const bool benutzer = k && k->art != TKonfliktKopie::Art::Syncthing;
    return (benutzer ? QStringLiteral("Konfliktkopie von Benutzer %1")
                     : QStringLiteral("Konfliktkopie von Gerät %1"))
        .arg(geraet);
}

QString TKonfliktAuswahl::HerkunftDiese(int i) const {
    return QStringLiteral("Im Album (dieser Computer), %1").arg(ZeitText(m_tag.fragen[i].zeitDiese));
}

QString TKonfliktAuswahl::HerkunftJene(int i) const {
    const TKonfliktFrage& f = m_tag.fragen[i];
    return QStringLiteral("%1, %2").arg(KopieHerkunft(f.kopie, f.geraet), ZeitText(f.zeitJene));
}

QString TKonfliktAuswahl::BildHerkunftDiese(int i) const {
    const TBildKonflikt& b = m_tag.bilder[i];
    if (!b.originalDa) return QStringLiteral("Im Album nicht mehr vorhanden");
    return QStringLiteral("%1 im Album (dieser Computer), %2").arg(b.original, ZeitText(b.zeitDiese));
}

QString TKonfliktAuswahl::BildHerkunftJene(int i) const {
    const TBildKonflikt& b = m_tag.bilder[i];
    return QStringLiteral("%1, %2").arg(KopieHerkunft(b.kopie, b.geraet), ZeitText(b.zeitJene));
}

QHash<QString, TWahl> TKonfliktAuswahl::Wahlen() const {
    QHash<QString, TWahl> wahlen;
    for (int i = 0; i < Fragen(); ++i)
        wahlen.insert(m_tag.fragen[i].Schluessel(), m_wahl[i]);
    return wahlen;
}
