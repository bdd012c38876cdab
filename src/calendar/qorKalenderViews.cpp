#include "calendar/qorKalenderViews.h"

#include "calendar/qorDateGerman.h"
#include "calendar/qorKalenderDate.h"
#include "calendar/qorKalenderModell.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kZeilenAbstand = 4;
constexpr int kTextX = 100; // control coordinates, as the day view is laid out
constexpr int kZeitX = 10;

void TagesKopf(QPainter& p, const QRect& r, const TqorKalenderModell& owner, const QDate& tag, bool aktiv,
               const QString& text) {
    QColor schrift, fuellung;
    owner.TagesFarben(tag, aktiv, schrift, fuellung);
    if (fuellung.isValid()) p.fillRect(r.adjusted(1, 1, -1, -1), fuellung);
    p.setPen(schrift);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
}
} // namespace

QString Gekuerzt(const QString& text, const QFontMetrics& fm, int breite) {
    if (fm.horizontalAdvance(text) <= breite) return text;
    QString s = text;
    while (!s.isEmpty() && fm.horizontalAdvance(s + QStringLiteral("...")) > breite)
        s.chop(1);
    return s + QStringLiteral("...");
}

void TqorKalenderView::PaintHeader(QPainter&, const QRect&) const {}

QDate TqorKalenderView::DateAt(const QPoint& punkt) const {
    return rect.contains(punkt) ? datum : QDate();
}

// Month sheet

TqorMonat::TqorMonat(const TqorKalenderModell& owner, const QDate& datum) : TqorKalenderView(owner, datum) {
    headerHeight = 40;
}

void TqorMonat::PaintHeader(QPainter& p, const QRect& r) const {
    p.setPen(Qt::black);
    p.drawText(QRect(r.left(), r.top(), r.width(), 18), Qt::AlignCenter | Qt::TextSingleLine,
               MonatsName(datum.month()));
    const int spalte = r.width() / 7;
    for (int i = 0; i < 7; ++i)
        p.drawText(QRect(r.left() + i * spalte, r.top() + 18, spalte, r.height() - 18),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, WochentagKurz(i + 1) + u' ');
}

QRect TqorMonat::ZellenRechteck(int tag) const {
    const int zb = (rect.width() - 2) / 7;
    const int zh = (rect.height() - headerHeight - 4) / 6;
    const int index = tag + IsoWochentag(ErsterTagImMonat(datum)) - 2;
    return QRect(rect.left() + 1 + (index % 7) * zb, rect.top() + headerHeight + 2 + (index / 7) * zh, zb - 1,
                 zh - 2);
}

void TqorMonat::PaintContent(QPainter& p, const QRect&) const {
    const int tage = TageImMonat(datum.year(), datum.month());
    for (int t = 1; t <= tage; ++t) {
        const QDate d(datum.year(), datum.month(), t);
        const QRect zelle = ZellenRechteck(t);
        QColor schrift, fuellung;
        m_owner.TagesFarben(d, true, schrift, fuellung);
        if (fuellung.isValid()) p.fillRect(zelle, fuellung);
        p.setPen(schrift);
        p.drawText(zelle, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   u' ' + QString::number(t) + u' ');
    }
}

QDate TqorMonat::DateAt(const QPoint& punkt) const {
    if (!rect.contains(punkt)) return {};
    const int tage = TageImMonat(datum.year(), datum.month());
    for (int t = 1; t <= tage; ++t)
        if (ZellenRechteck(t).adjusted(0, 0, 1, 2).contains(punkt))
            return QDate(datum.year(), datum.month(), t);
    return {};
}

// Days with items

void TqorCustomTag::ItemsAnordnen(const QFontMetrics& fm) {
    const QRect inhalt = rect.adjusted(2, headerHeight + 2, -2, -2);
    int y = inhalt.top();
    for (TqorKalenderViewItem& item : items) {
        item.rect = QRect(inhalt.left(), y, inhalt.width(), fm.height());
        y += fm.height();
    }
}

void TqorCustomTag::PaintContent(QPainter& p, const QRect& r) const {
    const QFontMetrics fm(p.font());
    for (const TqorKalenderViewItem& item : items) {
        if (item.rect.bottom() > r.bottom()) break; // as many lines as fit
        p.setPen(item.feiertag ? QColor(Qt::red) : QColor(Qt::black));
        p.drawText(item.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   Gekuerzt(item.text, fm, rect.width() - 4));
    }
}

void TqorTagKlein::PaintHeader(QPainter& p, const QRect& r) const {
    TagesKopf(p, r, m_owner, datum, aktiv, QString::number(datum.day()));
}

void TqorWochenTag::PaintHeader(QPainter& p, const QRect& r) const {
    TagesKopf(p, r, m_owner, datum, aktiv,
              DatumText(datum, QStringLiteral("dd. mmm")) + QStringLiteral("  ") +
                  WochentagKurz(datum.dayOfWeek()));
}

// The detailed day

TqorTag::TqorTag(const TqorKalenderModell& owner, const QDate& datum) : TqorCustomTag(owner, datum) {
    headerHeight = 0;
}

QStringList TqorTag::TextZeilen(const TqorKalenderViewItem& item, const QFontMetrics& fm, int breite) const {
    QStringList zeilen{Gekuerzt(item.text, fm, breite)};
    if (const TqorKalenderEreignis* e = item.ereignis())
        for (const QString& absatz : e->Beschreibung) {
            QString zeile;
            for (const QString& wort : absatz.split(u' ')) {
                const QString versuch = zeile.isEmpty() ? wort : zeile + u' ' + wort;
                if (!zeile.isEmpty() && fm.horizontalAdvance(versuch) > breite) {
                    zeilen << zeile;
                    zeile = wort;
                } else {
                    zeile = versuch;
                }
            }
            zeilen << zeile;
        }
    return zeilen;
}

void TqorTag::ItemsAnordnen(const QFontMetrics& fm) {
    const QRect inhalt = rect.adjusted(2, 2, -2, -2);
    int y = inhalt.top() + kZeilenAbstand;
    for (TqorKalenderViewItem& item : items) {
        const TqorKalenderEreignis* e = item.ereignis();
        // Buttons from the right: delete, edit, new; one without a picture takes no room.
        int x = inhalt.right();
        auto knopf = [&](const QPixmap& bild, bool zeigen) {
            if (!zeigen || bild.isNull()) return QRect();
            x -= bild.width();
            const QRect r(x + 1, y, bild.width(), bild.height());
            x -= 2;
            return r;
        };
        const bool istTermin = e && !item.feiertag;
        item.delRect = knopf(m_owner.GlyphDelete, istTermin && (m_owner.CanDelete & TypBit(e->Typ)));
        item.editRect = knopf(m_owner.GlyphEdit, istTermin && (m_owner.CanEdit & TypBit(e->Typ)));
        item.newRect = knopf(m_owner.GlyphNew, true);
        const int zeilen = int(TextZeilen(item, fm, qMax(10, x - kTextX)).size());
        const int hoehe = qMax(zeilen * fm.height(), qMax(item.newRect.height(), item.editRect.height()));
        item.rect = QRect(inhalt.left(), y, inhalt.width(), hoehe);
        y += hoehe + kZeilenAbstand;
    }
}

void TqorTag::PaintContent(QPainter& p, const QRect& r) const {
    for (const TqorKalenderViewItem& item : items) {
        if (item.rect.top() > r.bottom()) break;
        const TqorKalenderEreignis* e = item.ereignis();
        QFont f = p.font();
        f.setBold(e && e->Typ == kaGeburtstag);
        p.save();
        p.setFont(f);
        const QFontMetrics fm(f);
        p.setPen(item.feiertag ? QColor(Qt::red) : QColor(Qt::black));
        const int y = item.rect.top();
        if (e && !item.feiertag) {
            QString zeit;
            if (e->Ganztags() && e->Bis.isValid())
                zeit = e->Von.toString(QStringLiteral("dd.MM")) + QStringLiteral("  -  ") +
                       e->Bis.toString(QStringLiteral("dd.MM"));
            else if (!e->Ganztags()) {
                zeit = e->Von.toString(QStringLiteral("hh:mm"));
                if (e->Bis.isValid() && e->Bis.time() != QTime(0, 0) && e->Bis.date() == e->Von.date())
                    zeit += QStringLiteral("  -  ") + e->Bis.toString(QStringLiteral("hh:mm"));
            }
            p.drawText(kZeitX, y + fm.ascent(), zeit);
            if (!e->Zusatz.isEmpty()) p.drawText(rect.right() - rect.width() / 3, y + fm.ascent(), e->Zusatz);
        }
        int rechts = item.rect.right();
        for (const QRect& k : {item.delRect, item.editRect, item.newRect})
            if (!k.isEmpty()) rechts = qMin(rechts, k.left() - 2);
        int zeileY = y;
        for (const QString& zeile : TextZeilen(item, fm, qMax(10, rechts - kTextX))) {
            p.drawText(kTextX, zeileY + fm.ascent(), zeile);
            zeileY += fm.height();
        }
        if (!item.delRect.isEmpty()) p.drawPixmap(item.delRect.topLeft(), m_owner.GlyphDelete);
        if (!item.editRect.isEmpty()) p.drawPixmap(item.editRect.topLeft(), m_owner.GlyphEdit);
        if (!item.newRect.isEmpty()) p.drawPixmap(item.newRect.topLeft(), m_owner.GlyphNew);
        p.restore();
        p.setPen(QColor(0xC0, 0xC0, 0xC0));
        const int linie = item.rect.bottom() + kZeilenAbstand / 2;
        p.drawLine(r.left(), linie, r.right(), linie);
    }
}
