#pragma once
// The views of the calendar: month sheets, day cells, week-day columns and the
// detailed day, each painting itself into its rectangle.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QRect>
#include <QStringList>

class QPainter;
class QFontMetrics;
class TqorKalenderModell;

enum TqorKalenderAnzeige { kaTag, kaWoche, kaMonat, kaJahr };
enum TqorKalenderDatumTyp { kaTermin, kaGeburtstag };
// A set of entry types, one bit per type.
using TqorKalenderDatumTyps = int;
inline constexpr TqorKalenderDatumTyps TypBit(TqorKalenderDatumTyp t) {
    return 1 << int(t);
}

struct TqorKalenderEreignis {
    QString Text;
    QString Zusatz;
    QDateTime Von;
    QDateTime Bis; // invalid when not used
    QStringList Beschreibung;
    TqorKalenderDatumTyp Typ = kaTermin;
    bool Ganztags() const { return Von.time() == QTime(0, 0); }
};
using TqorEreignisList = QList<TqorKalenderEreignis>;

struct TqorKalenderViewItem {
    QRect rect, editRect, delRect, newRect;
    const TqorEreignisList* liste = nullptr; // nullptr: the "neuer Termin ..." placeholder
    int index = -1;
    QString text;
    bool feiertag = false;
    const TqorKalenderEreignis* ereignis() const {
        return liste && index >= 0 && index < liste->size() ? &(*liste)[index] : nullptr;
    }
};

class TqorKalenderView {
public:
    TqorKalenderView(const TqorKalenderModell& owner, const QDate& datum) : m_owner(owner), datum(datum) {}
    virtual ~TqorKalenderView() = default;
    virtual void PaintContent(QPainter& p, const QRect& r) const = 0;
    virtual void PaintHeader(QPainter& p, const QRect& r) const;
    // The day under the point; invalid when the point lies outside.
    virtual QDate DateAt(const QPoint& punkt) const;

    QRect rect;
    QDate datum;
    bool aktiv = true;
    int headerHeight = 22;

protected:
    const TqorKalenderModell& m_owner;
};

class TqorMonat : public TqorKalenderView {
public:
    TqorMonat(const TqorKalenderModell& owner, const QDate& datum);
    void PaintContent(QPainter& p, const QRect& r) const override;
    void PaintHeader(QPainter& p, const QRect& r) const override;
    QDate DateAt(const QPoint& punkt) const override;
    // Cell of day `tag` of the month (1-based).
    QRect ZellenRechteck(int tag) const;
};

class TqorCustomTag : public TqorKalenderView {
public:
    using TqorKalenderView::TqorKalenderView;
    QList<TqorKalenderViewItem> items;
    // Places the items inside the view (the detailed day also its buttons).
    virtual void ItemsAnordnen(const QFontMetrics& fm);
    void PaintContent(QPainter& p, const QRect& r) const override;
};

class TqorTagKlein : public TqorCustomTag {
public:
    using TqorCustomTag::TqorCustomTag;
    void PaintHeader(QPainter& p, const QRect& r) const override;
};

class TqorWochenTag : public TqorCustomTag {
public:
    using TqorCustomTag::TqorCustomTag;
    void PaintHeader(QPainter& p, const QRect& r) const override;
};

class TqorTag : public TqorCustomTag {
public:
    TqorTag(const TqorKalenderModell& owner, const QDate& datum);
    void ItemsAnordnen(const QFontMetrics& fm) override;
    void PaintContent(QPainter& p, const QRect& r) const override;
    // Lines of the item's text block (title, then the description word-wrapped).
    QStringList TextZeilen(const TqorKalenderViewItem& item, const QFontMetrics& fm, int breite) const;
};

// A text cut to the width, ending with "..." when it had to be cut.
QString Gekuerzt(const QString& text, const QFontMetrics& fm, int breite);
