#include "calendar/qorKalenderModell.h"

#include "calendar/qorDateGerman.h"
#include "calendar/qorKalenderDate.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kTabBreite = 20;
constexpr int kEcke = 8;
const QColor kSilber(0xC0, 0xC0, 0xC0);
} // namespace

TqorKalenderModell::TqorKalenderModell()
    : ActivTabColor(QColor(0xFF, 0xFF, 0xE1)), TabColor(QColor(0x80, 0x80, 0x80)),
      Schrift(QStringLiteral("Arial"), 8), m_datum(QDate::currentDate()), m_groesse(kMinBreite, kMinHoehe) {
    FeiertageAufbauen(m_datum.year());
    ViewsAufbauen();
}

TqorKalenderModell::~TqorKalenderModell() = default;

void TqorKalenderModell::FeiertageAufbauen(int jahr) {
    m_feiertage.clear();
    auto neu = [this](const QDate& d, const QString& name) {
        TqorKalenderEreignis e;
        e.Von = QDateTime(d, QTime(0, 0));
        e.Text = name;
        m_feiertage.append(e);
    };
    neu(FeiertagDatum(jahr - 1, 7), FeiertagNamen()[7]);
    neu(FeiertagDatum(jahr - 1, 8), FeiertagNamen()[8]);
    for (int i = 0; i < kFeiertagAnzahl; ++i)
        neu(FeiertagDatum(jahr, i), FeiertagNamen()[i]);
    neu(FeiertagDatum(jahr + 1, 0), FeiertagNamen()[0]);
}

QString TqorKalenderModell::FeiertagAm(const QDate& tag) const {
    for (const TqorKalenderEreignis& e : m_feiertage)
        if (e.Von.date() == tag) return e.Text;
    return {};
}

void TqorKalenderModell::TagesFarben(const QDate& tag, bool aktiv, QColor& text, QColor& fuellung) const {
    fuellung = QColor();
    if (!aktiv)
        text = QColor(0x80, 0x80, 0x80);
    else if (tag == m_datum) {
        text = Qt::yellow;
        fuellung = QColor(0x00, 0x80, 0x00);
    } else if (IsoWochentag(tag) >= 6 || !FeiertagAm(tag).isEmpty())
        text = Qt::red;
    else
        text = Qt::black;
}

void TqorKalenderModell::SetDatum(const QDate& datum) {
    if (!datum.isValid() || datum == m_datum) return;
    const bool jahrNeu = datum.year() != m_datum.year();
    bool neuAufbauen = true;
    switch (m_anzeige) {
    case kaTag:
        break;
    case kaWoche:
        neuAufbauen = WochenAnfang(datum) != WochenAnfang(m_datum);
        break;
    case kaMonat:
        neuAufbauen = ErsterTagImMonat(datum) != ErsterTagImMonat(m_datum);
        break;
    case kaJahr:
        neuAufbauen = jahrNeu;
        break;
    }
    m_datum = datum;
    if (jahrNeu) FeiertageAufbauen(datum.year());
    if (neuAufbauen) {
        ViewsAufbauen();
        TermineLaden();
    }
    if (OnDateChange) OnDateChange();
    if (NeuZeichnen) NeuZeichnen();
}

void TqorKalenderModell::SetAnzeige(TqorKalenderAnzeige anzeige) {
    if (anzeige == m_anzeige) return;
    m_anzeige = anzeige;
    ViewsAufbauen();
    TermineLaden();
    if (NeuZeichnen) NeuZeichnen();
}

void TqorKalenderModell::ViewsAufbauen() {
    m_views.clear();
    ++ViewsAufgebaut;
    switch (m_anzeige) {
    case kaTag: {
        m_views.push_back(std::make_unique<TqorTag>(*this, m_datum));
        const QDate erster = ErsterTagImMonat(m_datum);
        for (int i = -1; i <= 1; ++i)
            m_views.push_back(std::make_unique<TqorMonat>(*this, erster.addMonths(i)));
        break;
    }
    case kaWoche:
        for (int i = 0; i < 7; ++i)
            m_views.push_back(std::make_unique<TqorWochenTag>(*this, WochenAnfang(m_datum).addDays(i)));
        break;
    case kaMonat: {
        const QDate erster = ErsterTagImMonat(m_datum);
        const QDate letzter = LetzterTagImMonat(m_datum);
        for (QDate d = WochenAnfang(erster); d <= WochenEnde(letzter); d = d.addDays(1)) {
            auto tag = std::make_unique<TqorTagKlein>(*this, d);
            tag->aktiv = d.month() == m_datum.month();
            m_views.push_back(std::move(tag));
        }
        break;
    }
    case kaJahr:
        for (int m = 1; m <= 12; ++m)
            m_views.push_back(std::make_unique<TqorMonat>(*this, QDate(m_datum.year(), m, 1)));
        break;
    }
    Anordnen();
}

void TqorKalenderModell::SetGroesse(const QSize& groesse) {
    const QSize neu(qMax(groesse.width(), kMinBreite), qMax(groesse.height(), kMinHoehe));
    if (neu == m_groesse) return;
    m_groesse = neu;
    Anordnen();
}

QRect TqorKalenderModell::TitelBereich() const {
    return QRect(QPoint(3, 3), QPoint(m_groesse.width() - 23, 23 - 1));
}

QRect TqorKalenderModell::ViewBereich() const {
    return QRect(QPoint(3, 23), QPoint(m_groesse.width() - 23 - 1, m_groesse.height() - 3 - 1));
}

void TqorKalenderModell::Anordnen() {
    const QRect bereich = ViewBereich();
    const int n = int(m_views.size());
    if (n == 0) return;
    auto gitter = [&](int spalten, int ab, const QRect& flaeche) {
        const int anzahl = n - ab;
        const int zeilen = qMax(1, anzahl / spalten);
        const int zb = flaeche.width() / spalten, zh = flaeche.height() / zeilen;
        // The pixels left over are split, half before the grid.
        const int ox = flaeche.left() + (flaeche.width() - zb * spalten) / 2;
        const int oy = flaeche.top() + (flaeche.height() - zh * zeilen) / 2;
        for (int i = 0; i < anzahl; ++i)
            m_views[ab + i]->rect =
                QRect((i % spalten) * zb + ox + 1, (i / spalten) * zh + oy + 1, zb - 1, zh - 1);
    };
    switch (m_anzeige) {
    case kaTag: {
        const int rechts = bereich.right() + 1 - bereich.width() / 4;
        gitter(1, 1, QRect(QPoint(rechts, bereich.top()), bereich.bottomRight()));
        m_views[0]->rect = QRect(QPoint(bereich.left() + 1, m_views[1]->rect.top()),
                                 QPoint(rechts - 1, m_views[3]->rect.bottom()));
        break;
    }
    case kaWoche:
    case kaMonat:
        gitter(7, 0, bereich);
        break;
    case kaJahr:
        gitter(4, 0, bereich);
        break;
    }
    ItemsAnordnen();
}

void TqorKalenderModell::TermineLaden() {
    if (!OnGetTermine) return;
    QList<TqorCustomTag*> tage;
    for (auto& v : m_views)
        if (auto* t = dynamic_cast<TqorCustomTag*>(v.get())) {
            t->items.clear();
            tage << t;
        }
    m_termine.clear();
    if (tage.isEmpty()) return; // the year view shows no entries
    QDate von = tage.first()->datum, bis = von;
    for (TqorCustomTag* t : tage) {
        von = qMin(von, t->datum);
        bis = qMax(bis, t->datum);
    }
    OnGetTermine(QDateTime(von, QTime(0, 0)), QDateTime(bis, QTime(23, 59, 59)), m_termine);
    for (TqorCustomTag* t : tage) {
        const QDate tag = t->datum;
        auto eintrag = [&](const TqorEreignisList& liste, int i, bool feiertag) {
            TqorKalenderViewItem item;
            item.liste = &liste;
            item.index = i;
            item.text = liste[i].Text;
            item.feiertag = feiertag;
            t->items.append(item);
        };
        if (m_anzeige != kaTag)
            for (int i = 0; i < m_feiertage.size(); ++i)
                if (m_feiertage[i].Von.date() == tag) eintrag(m_feiertage, i, true);
        for (int i = 0; i < m_termine.size(); ++i) {
            const TqorKalenderEreignis& e = m_termine[i];
            if (e.Bis.isValid() && e.Von.date() < e.Bis.date() && e.Von.date() <= tag && tag <= e.Bis.date())
                eintrag(m_termine, i, false);
        }
        for (int i = 0; i < m_termine.size(); ++i) {
            const TqorKalenderEreignis& e = m_termine[i];
            const bool mehrtaegig = e.Bis.isValid() && e.Von.date() < e.Bis.date();
            if (!mehrtaegig && e.Ganztags() && e.Von.date() == tag) eintrag(m_termine, i, false);
        }
        for (int i = 0; i < m_termine.size(); ++i) {
            const TqorKalenderEreignis& e = m_termine[i];
            const bool mehrtaegig = e.Bis.isValid() && e.Von.date() < e.Bis.date();
            if (!mehrtaegig && !e.Ganztags() && e.Von.date() == tag) eintrag(m_termine, i, false);
        }
        if (m_anzeige == kaTag && t->items.isEmpty()) {
            TqorKalenderViewItem platz;
            platz.text = QStringLiteral("neuer Termin ...");
            t->items.append(platz);
        }
    }
    ItemsAnordnen();
}

void TqorKalenderModell::ItemsAnordnen() {
    const QFontMetrics fm(Schrift);
    for (auto& v : m_views)
        if (auto* t = dynamic_cast<TqorCustomTag*>(v.get())) t->ItemsAnordnen(fm);
}

QPolygon TqorKalenderModell::TabPolygon(int i) const {
    const int w = m_groesse.width(), h = m_groesse.height();
    const int hoehe = (h + 25) / 4;
    const int oben = -1 + i * (hoehe - kEcke);
    const int unten = i == 3 ? h : oben + hoehe;
    const int x0 = w - kTabBreite, x1 = w - 1;
    return QPolygon({QPoint(x0, oben), QPoint(x1 - kEcke, oben), QPoint(x1, oben + kEcke),
                     QPoint(x1, unten - kEcke), QPoint(x1 - kEcke, unten), QPoint(x0, unten)});
}

int TqorKalenderModell::TabAt(const QPoint& punkt) const {
    int treffer = -1;
    for (int i = 0; i < 4; ++i)
        if (TabPolygon(i).boundingRect().contains(punkt)) treffer = i;
    return treffer;
}

TqorKalenderView* TqorKalenderModell::ViewAt(const QPoint& punkt) const {
    for (const auto& v : m_views)
        if (v->rect.contains(punkt)) return v.get();
    return nullptr;
}

void TqorKalenderModell::Rahmen(QPainter& p, const QRect& r) const {
    if (Flat) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        p.setPen(QColor(Qt::white));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

void TqorKalenderModell::Paint(QPainter& p) const {
    p.save();
    p.setFont(Schrift);
    const QRect haupt(0, 0, m_groesse.width() - kTabBreite, m_groesse.height());
    p.fillRect(haupt, ActivTabColor);
    Rahmen(p, haupt);
    PaintTabs(p);
    for (const auto& v : m_views) {
        p.fillRect(v->rect, ActivTabColor);
        p.setPen(kSilber);
        p.setBrush(Qt::NoBrush);
        p.drawRect(v->rect.adjusted(0, 0, -1, -1));
        QRect inhalt = v->rect;
        if (v->headerHeight > 0) {
            const QRect kopf(v->rect.left(), v->rect.top(), v->rect.width(), v->headerHeight);
            p.fillRect(kopf, kSilber);
            v->PaintHeader(p, kopf);
            inhalt.setTop(kopf.bottom() + 1);
        }
        v->PaintContent(p, inhalt.adjusted(2, 2, -2, -2));
    }
    PaintTitel(p);
    p.restore();
}

void TqorKalenderModell::PaintTabs(QPainter& p) const {
    static const char* const namen[] = {"Tag", "Woche", "Monat", "Jahr"};
    auto tab = [&](int i, bool aktiv) {
        const QPolygon poly = TabPolygon(i);
        p.setBrush(aktiv ? ActivTabColor : TabColor);
        p.setPen(aktiv && !Flat ? ActivTabColor : QColor(Qt::black));
        p.drawPolygon(poly);
        if (aktiv && !Flat) {
            p.setPen(ActivTabColor); // the active tab joins the main area
            p.drawLine(poly[0], poly[5]);
        }
        const QRect r = poly.boundingRect();
        QString text = QString::fromLatin1(namen[i]);
        const QFontMetrics fm(p.font());
        while (!text.isEmpty() && fm.horizontalAdvance(text) > r.height())
            text.chop(1);
        p.save();
        p.setPen(Qt::black);
        p.translate(r.center());
        p.rotate(90); // reading downward
        p.drawText(QRect(-r.height() / 2, -r.width() / 2, r.height(), r.width()), Qt::AlignCenter, text);
        p.restore();
    };
    for (int i = 3; i >= 0; --i)
        if (i != m_anzeige) tab(i, false);
    tab(m_anzeige, true);
}

void TqorKalenderModell::PaintTitel(QPainter& p) const {
    const QRect band = TitelBereich();
    p.fillRect(band, TabColor);
    Rahmen(p, band);
    p.setPen(Qt::yellow);
    const QRect text = band.adjusted(2, 0, -2, 0);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FeiertagAm(m_datum));
    QString mitte;
    switch (m_anzeige) {
    case kaTag:
    case kaWoche:
        mitte = DatumText(m_datum, QStringLiteral("dd. mmmm yyyy")) + QStringLiteral(",  ") +
                WochentagName(m_datum.dayOfWeek());
        break;
    case kaMonat:
        mitte = DatumText(m_datum, QStringLiteral("mmmm yyyy"));
        break;
    case kaJahr:
        mitte = DatumText(m_datum, QStringLiteral("yyyy"));
        break;
    }
    p.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, mitte);
    p.drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
               QStringLiteral("%1. KW").arg(KalenderWoche(m_datum)));
}
