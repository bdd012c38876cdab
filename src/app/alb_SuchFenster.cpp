#include "app/alb_SuchFenster.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
constexpr int kHoechstens = 1000;

// Rows with marked words: the row's HTML laid out by a text document.
class HtmlZeile : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        QTextDocument doc;
        doc.setDefaultFont(o.font);
        doc.setHtml(index.data(Qt::UserRole).toString());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.palette.setColor(
            QPalette::Text,
            o.palette.color(o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        p->save();
        p->translate(o.rect.topLeft());
        p->setClipRect(o.rect.translated(-o.rect.topLeft()));
        doc.documentLayout()->draw(p, ctx);
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QTextDocument doc;
        doc.setDefaultFont(option.font);
        doc.setHtml(index.data(Qt::UserRole).toString());
        return QSize(int(doc.idealWidth()), int(doc.size().height()));
    }
};
} // namespace

QString TrefferHtml(const TSuchTreffer& t) {
    QString zeile;
    int bis = 0;
    for (const auto& [anfang, laenge] : t.marken) {
        zeile += t.zeile.mid(bis, anfang - bis).toHtmlEscaped() + QStringLiteral("<b>") +
                 t.zeile.mid(anfang, laenge).toHtmlEscaped() + QStringLiteral("</b>");
        bis = anfang + laenge;
    }
    zeile += t.zeile.mid(bis).toHtmlEscaped();
    QString kopf = t.datum.isEmpty() ? t.tag : t.datum;
    if (!t.titel.isEmpty()) kopf += QStringLiteral(" - ") + t.titel;
    QString html = QStringLiteral("<b>") + kopf.toHtmlEscaped() + QStringLiteral("</b>");
    if (!zeile.isEmpty()) html += QStringLiteral("<br>") + zeile;
    if (!t.bild.isEmpty()) html += QStringLiteral(" <i>(") + t.bild.toHtmlEscaped() + QStringLiteral(")</i>");
    return html;
}

Tam_Suche::Tam_Suche(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Tam_Suche"));
    setWindowTitle(QStringLiteral("Suchen"));
    setProperty("HilfeKontext", 9);
    resize(460, 520);
    auto* spalte = new QVBoxLayout(this);
    ed_Suche = new QLineEdit(this);
    ed_Suche->setObjectName(QStringLiteral("ed_Suche"));
    ed_Suche->setPlaceholderText(QStringLiteral("Wörter aus Titeln und Bildunterschriften"));
    ed_Suche->setClearButtonEnabled(true);
    ed_Suche->installEventFilter(this);
    lb_Treffer = new QListWidget(this);
    lb_Treffer->setObjectName(QStringLiteral("lb_Treffer"));
    lb_Treffer->setItemDelegate(new HtmlZeile(lb_Treffer));
    lb_Treffer->setUniformItemSizes(false);
    // Rows laid out as they are needed: a thousand hits must not hold up the first ones.
    lb_Treffer->setLayoutMode(QListView::Batched);
    lb_Treffer->setBatchSize(50);
    lb_Treffer->installEventFilter(this);
    la_Anzahl = new QLabel(this);
    la_Anzahl->setObjectName(QStringLiteral("la_Anzahl"));
    spalte->addWidget(ed_Suche);
    spalte->addWidget(lb_Treffer, 1);
    spalte->addWidget(la_Anzahl);
    connect(ed_Suche, &QLineEdit::textChanged, this, &Tam_Suche::Suchen);
    connect(lb_Treffer, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* i) { TrefferZeigen(lb_Treffer->row(i)); });
    auto* schliessen = new QAction(this);
    schliessen->setShortcut(Qt::Key_Escape);
    schliessen->setShortcutContext(Qt::WindowShortcut);
    connect(schliessen, &QAction::triggered, this, &QWidget::close);
    addAction(schliessen);
}

void Tam_Suche::Oeffnen(TSuchDienst* index) {
    if (m_index != index && index)
        connect(index, &TSuchDienst::Nachgeprueft, this,
                [this](const QString& text, const QList<TSuchTreffer>& treffer) {
                    // The checked hits of what is typed now; the row chosen stays where it can.
                    if (text != ed_Suche->text()) return;
                    const int zeile = lb_Treffer->currentRow();
                    Anzeigen(treffer);
                    if (zeile >= 0 && zeile < lb_Treffer->count()) lb_Treffer->setCurrentRow(zeile);
                });
    m_index = index;
    if (m_index) m_index->AllesPruefen(); // what changed outside the program meanwhile
    show();
    raise();
    activateWindow();
    ed_Suche->setFocus();
    ed_Suche->selectAll();
    Suchen();
}

void Tam_Suche::Suchen() {
    if (!m_index) {
        Anzeigen({});
        return;
    }
    // An empty field finds nothing: it need not wait for the album's check.
    const bool leer = ed_Suche->text().trimmed().isEmpty();
    Anzeigen(m_index->Suchen(ed_Suche->text(), kHoechstens, leer ? 0 : FristMs));
}

void Tam_Suche::Anzeigen(const QList<TSuchTreffer>& treffer) {
    lb_Treffer->clear();
    m_treffer = treffer;
    if (!m_index) return;
    for (const TSuchTreffer& t : std::as_const(m_treffer)) {
        auto* i = new QListWidgetItem(lb_Treffer);
        i->setData(Qt::UserRole, TrefferHtml(t));
        // A tool tip that looks like markup is shown as markup: the caption is text.
        i->setToolTip(t.zeile.isEmpty() ? QString()
                                        : Qt::convertFromPlainText(t.zeile, Qt::WhiteSpaceNormal));
    }
    QString text;
    if (!ed_Suche->text().trimmed().isEmpty())
        text = m_treffer.size() >= kHoechstens ? QStringLiteral("Mehr als %1 Treffer").arg(kHoechstens - 1)
               : m_treffer.size() == 1         ? QStringLiteral("1 Treffer")
                                               : QStringLiteral("%1 Treffer").arg(m_treffer.size());
    if (const int n = m_index->Unlesbar(); n > 0)
        text += (text.isEmpty() ? QString() : QStringLiteral(" - ")) +
                (n == 1 ? QStringLiteral("1 Tag konnte nicht gelesen werden")
                        : QStringLiteral("%1 Tage konnten nicht gelesen werden").arg(n));
    la_Anzahl->setText(text);
    if (!m_treffer.isEmpty()) lb_Treffer->setCurrentRow(0);
}

void Tam_Suche::TrefferZeigen(int zeile) {
    if (zeile < 0) zeile = qMax(0, lb_Treffer->currentRow());
    if (zeile >= m_treffer.size()) return;
    lb_Treffer->setCurrentRow(zeile);
    if (OnZeigen) OnZeigen(m_treffer[zeile]);
}

bool Tam_Suche::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
        TrefferZeigen(o == ed_Suche && lb_Treffer->currentRow() < 0 ? 0 : -1);
        return true;
    }
    // Down and Up move through the hits while the cursor stays in the field.
    if (o == ed_Suche && (taste == Qt::Key_Down || taste == Qt::Key_Up) && lb_Treffer->count() > 0) {
        const int r =
            qBound(0, lb_Treffer->currentRow() + (taste == Qt::Key_Down ? 1 : -1), lb_Treffer->count() - 1);
        lb_Treffer->setCurrentRow(r);
        return true;
    }
    return QWidget::eventFilter(o, e);
}
