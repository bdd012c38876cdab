#pragma once
// "Suchen" (Ctrl+F): a search field and the hits, filled as one types; Enter or a double
// click shows a hit in the main window, which stays beside the search window.
#include "album/alb_SuchDienst.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;

class Tam_Suche : public QWidget {
    Q_OBJECT
public:
    explicit Tam_Suche(QWidget* parent = nullptr);

    QLineEdit* ed_Suche;
    QListWidget* lb_Treffer;
    QLabel* la_Anzahl;
    // How long a search waits for the album's check before it shows what is known.
    int FristMs = TSuchDienst::kFristMs;
    // Shows a hit in the main window.
    std::function<void(const TSuchTreffer&)> OnZeigen;

    // Shows the window over this index (brought up to date first), the field focused.
    void Oeffnen(TSuchDienst* index);
    void Suchen();
    // Shows these hits.
    void Anzeigen(const QList<TSuchTreffer>& treffer);
    // Shows the hit in row `zeile` (the current one when -1, else the first).
    void TrefferZeigen(int zeile = -1);
    const QList<TSuchTreffer>& Treffer() const { return m_treffer; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    TSuchDienst* m_index = nullptr;
    QList<TSuchTreffer> m_treffer;
};

// The text of a hit as its row shows it: date, title, the line with the words marked
// (<b>), the picture's name. HTML-escaped: titles and captions are text.
QString TrefferHtml(const TSuchTreffer& t);
