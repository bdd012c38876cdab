#include "calendar/qorKalender.h"

#include <QMouseEvent>
#include <QPainter>

TqorKalender::TqorKalender(QWidget* parent) : QWidget(parent) {
    setMinimumSize(TqorKalenderModell::kMinBreite, TqorKalenderModell::kMinHoehe);
    resize(TqorKalenderModell::kMinBreite, TqorKalenderModell::kMinHoehe);
    setMouseTracking(true);
    setAutoFillBackground(false);
    m_modell.ActivTabColor = palette().color(QPalette::ToolTipBase);
    m_modell.TabColor = palette().color(QPalette::Dark);
    QFont schrift = font();
    schrift.setFamily(QStringLiteral("Arial"));
    schrift.setPointSize(8);
    m_modell.Schrift = schrift;
    m_modell.NeuZeichnen = [this] { update(); };
}

void TqorKalender::setActivTabColor(const QColor& c) {
    if (c == m_modell.ActivTabColor) return;
    m_modell.ActivTabColor = c;
    update();
}

void TqorKalender::setTabColor(const QColor& c) {
    if (c == m_modell.TabColor) return;
    m_modell.TabColor = c;
    update();
}

void TqorKalender::setFlat(bool flat) {
    if (flat == m_modell.Flat) return;
    m_modell.Flat = flat;
    update();
}

void TqorKalender::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window()); // the strip beside the tabs shows the parent's colour
    m_modell.Paint(p);
}

void TqorKalender::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    m_modell.SetGroesse(size());
}

void TqorKalender::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        QFont schrift = font();
        schrift.setFamily(QStringLiteral("Arial"));
        schrift.setPointSize(8);
        m_modell.Schrift = schrift;
        update();
    }
}

TqorKalender::Teil TqorKalender::TeilAt(const QPoint& punkt, const TqorKalenderViewItem** gefunden) const {
    auto* tag = dynamic_cast<TqorCustomTag*>(m_modell.ViewAt(punkt));
    if (!tag) return Teil::Keiner;
    for (const TqorKalenderViewItem& item : tag->items) {
        *gefunden = &item;
        if (item.editRect.contains(punkt)) return Teil::Bearbeiten;
        if (item.delRect.contains(punkt)) return Teil::Loeschen;
        if (item.newRect.contains(punkt)) return Teil::Neu;
        if (item.rect.contains(punkt)) return Teil::Eintrag;
    }
    *gefunden = nullptr;
    return Teil::Keiner;
}

void TqorKalender::NachEreignis() {
    m_modell.TermineLaden();
    update();
}

void TqorKalender::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint punkt = e->position().toPoint();
    const int tab = m_modell.TabAt(punkt);
    if (tab >= 0) {
        m_modell.SetAnzeige(TqorKalenderAnzeige(tab));
        return;
    }
    TqorKalenderView* view = m_modell.ViewAt(punkt);
    if (!view) return;
    const QDate d = view->DateAt(punkt);
    if (d.isValid()) m_modell.SetDatum(d);
    // The date may have rebuilt the views: look again.
    const TqorKalenderViewItem* item = nullptr;
    const Teil teil = TeilAt(punkt, &item);
    const TqorKalenderEreignis* ereignis = item ? item->ereignis() : nullptr;
    const TqorKalenderEreignis kopie = ereignis ? *ereignis : TqorKalenderEreignis();
    if (teil == Teil::Bearbeiten && ereignis && (m_modell.CanEdit & TypBit(kopie.Typ))) {
        if (m_modell.OnEditTermin) m_modell.OnEditTermin(kopie);
        NachEreignis();
    } else if (teil == Teil::Loeschen && ereignis && (m_modell.CanDelete & TypBit(kopie.Typ))) {
        if (m_modell.OnDelTermin) m_modell.OnDelTermin(kopie);
        NachEreignis();
    } else if (teil == Teil::Neu) {
        if (m_modell.OnNewTermin) m_modell.OnNewTermin();
        NachEreignis();
    }
}

void TqorKalender::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint punkt = e->position().toPoint();
    if (m_modell.TabAt(punkt) >= 0) return;
    TqorKalenderView* view = m_modell.ViewAt(punkt);
    if (!view) return;
    if (dynamic_cast<TqorMonat*>(view)) {
        m_modell.SetAnzeige(kaTag);
        return;
    }
    const TqorKalenderViewItem* item = nullptr;
    const Teil teil = TeilAt(punkt, &item);
    if (teil == Teil::Eintrag && item) {
        const TqorKalenderEreignis* ereignis = item->ereignis();
        if (ereignis && !item->feiertag) {
            const TqorKalenderEreignis kopie = *ereignis;
            if ((m_modell.CanEdit & TypBit(kopie.Typ)) && m_modell.OnEditTermin) m_modell.OnEditTermin(kopie);
        } else if (m_modell.OnNewTermin) {
            m_modell.OnNewTermin(); // a holiday or the placeholder
        }
        NachEreignis();
    } else if (teil == Teil::Keiner) {
        m_modell.SetAnzeige(kaTag);
    }
}

void TqorKalender::mouseMoveEvent(QMouseEvent* e) {
    const TqorKalenderViewItem* item = nullptr;
    const Teil teil = TeilAt(e->position().toPoint(), &item);
    const bool knopf = teil == Teil::Bearbeiten || teil == Teil::Loeschen || teil == Teil::Neu;
    setCursor(knopf ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
