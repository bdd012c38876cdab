#pragma once
// Everything of the calendar control but the widget: the date and view, holidays,
// entries, the views and their layout, the painting and what lies under a point.
#include "calendar/qorKalenderViews.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPolygon>
#include <functional>
#include <memory>
#include <vector>

class TqorKalenderModell {
public:
    TqorKalenderModell();
    ~TqorKalenderModell();

    // Properties
    QColor ActivTabColor;
    QColor TabColor;
    bool Flat = true;
    TqorKalenderDatumTyps CanEdit = 0;
    TqorKalenderDatumTyps CanDelete = 0;
    QPixmap GlyphDelete, GlyphEdit, GlyphNew;
    QFont Schrift;

    // Events
    std::function<void()> OnDateChange;
    std::function<void(const QDateTime& von, const QDateTime& bis, TqorEreignisList& items)> OnGetTermine;
    std::function<void(const TqorKalenderEreignis& ereignis)> OnEditTermin;
    std::function<void(const TqorKalenderEreignis& ereignis)> OnDelTermin;
    std::function<void()> OnNewTermin;
    // Asks the owning widget to repaint.
    std::function<void()> NeuZeichnen;

    QDate Datum() const { return m_datum; }
    void SetDatum(const QDate& datum);
    TqorKalenderAnzeige Anzeige() const { return m_anzeige; }
    void SetAnzeige(TqorKalenderAnzeige anzeige);

    const TqorEreignisList& Feiertage() const { return m_feiertage; }
    const TqorEreignisList& Termine() const { return m_termine; }
    const std::vector<std::unique_ptr<TqorKalenderView>>& Views() const { return m_views; }
    // Name of the holiday on `tag`, empty when none.
    QString FeiertagAm(const QDate& tag) const;
    // Text and fill colour of a day; the fill is invalid when the day has none.
    void TagesFarben(const QDate& tag, bool aktiv, QColor& text, QColor& fuellung) const;

    // Layout for a client area of this size (recomputed when it changed).
    void SetGroesse(const QSize& groesse);
    QSize Groesse() const { return m_groesse; }
    QRect TitelBereich() const;
    QRect ViewBereich() const;
    QPolygon TabPolygon(int i) const;
    // Tab under the point (the later of two overlapping tabs wins), -1 for none.
    int TabAt(const QPoint& punkt) const;
    TqorKalenderView* ViewAt(const QPoint& punkt) const;

    void Paint(QPainter& p) const;

    // Reloads the entries through OnGetTermine (day views only).
    void TermineLaden();
    // Counts, for tests and benchmarks, how often the views were built.
    int ViewsAufgebaut = 0;

    static constexpr int kMinBreite = 650;
    static constexpr int kMinHoehe = 410;

private:
    void FeiertageAufbauen(int jahr);
    void ViewsAufbauen();
    void Anordnen();
    void ItemsAnordnen();
    void PaintTabs(QPainter& p) const;
    void PaintTitel(QPainter& p) const;
    void Rahmen(QPainter& p, const QRect& r) const;

    QDate m_datum;
    TqorKalenderAnzeige m_anzeige = kaTag;
    TqorEreignisList m_feiertage;
    TqorEreignisList m_termine;
    std::vector<std::unique_ptr<TqorKalenderView>> m_views;
    QSize m_groesse;
};
