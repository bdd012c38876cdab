#pragma once
// Self-drawn appointment calendar with day, week, month and year views, a tab strip
// on its right edge, German holidays and entries its owner supplies on request.
#include "calendar/qorKalenderModell.h"

#include <QWidget>

class TqorKalender : public QWidget {
    Q_OBJECT
public:
    explicit TqorKalender(QWidget* parent = nullptr);

    TqorKalenderModell& Modell() { return m_modell; }
    const TqorKalenderModell& Modell() const { return m_modell; }

    QDate Datum() const { return m_modell.Datum(); }
    void SetDatum(const QDate& datum) { m_modell.SetDatum(datum); }
    TqorKalenderAnzeige Anzeige() const { return m_modell.Anzeige(); }
    void setAnzeige(TqorKalenderAnzeige a) { m_modell.SetAnzeige(a); }
    QColor ActivTabColor() const { return m_modell.ActivTabColor; }
    void setActivTabColor(const QColor& c);
    QColor TabColor() const { return m_modell.TabColor; }
    void setTabColor(const QColor& c);
    bool Flat() const { return m_modell.Flat; }
    void setFlat(bool flat);
    TqorKalenderDatumTyps CanEdit() const { return m_modell.CanEdit; }
    void setCanEdit(TqorKalenderDatumTyps t) { m_modell.CanEdit = t; }
    TqorKalenderDatumTyps CanDelete() const { return m_modell.CanDelete; }
    void setCanDelete(TqorKalenderDatumTyps t) { m_modell.CanDelete = t; }
    void setGlyphDelete(const QPixmap& b) { m_modell.GlyphDelete = b; }
    void setGlyphEdit(const QPixmap& b) { m_modell.GlyphEdit = b; }
    void setGlyphNew(const QPixmap& b) { m_modell.GlyphNew = b; }

    QSize minimumSizeHint() const override {
        return {TqorKalenderModell::kMinBreite, TqorKalenderModell::kMinHoehe};
    }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // The item of a day view under the point, and which part of it.
    enum class Teil { Keiner, Eintrag, Bearbeiten, Loeschen, Neu };
    Teil TeilAt(const QPoint& punkt, const TqorKalenderViewItem** item) const;
    void NachEreignis();
    TqorKalenderModell m_modell;
};
