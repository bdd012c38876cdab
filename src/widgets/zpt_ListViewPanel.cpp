#include "widgets/zpt_ListViewPanel.h"

#include "sys/zpt_Shell.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_MultiButtonPanel.h"

#include <QContextMenuEvent>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

TzptListViewPanel::TzptListViewPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    la_Caption = new QLabel(QStringLiteral("?"), this);
    la_Caption->setObjectName(QStringLiteral("la_Caption"));
    lv = new QStackedWidget(this);
    lv->setObjectName(QStringLiteral("lv"));
    mb = new TzptMultiButtonPanel(this);
    mb->setObjectName(QStringLiteral("mb"));
    layout->addWidget(la_Caption);
    layout->addWidget(lv, 1);
    layout->addWidget(mb);

    // One model and one selection for the icon views and the details view.
    m_modell = new QStandardItemModel(0, 2, this);
    m_modell->setHorizontalHeaderLabels({QStringLiteral("Datei"), QStringLiteral("letzte Änderung")});
    m_symbole = new QListView(lv);
    m_symbole->setModel(m_modell);
    m_symbole->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_symbole->setResizeMode(QListView::Adjust);
    m_details = new QTreeView(lv);
    m_details->setModel(m_modell);
    m_details->setSelectionModel(m_symbole->selectionModel());
    m_details->setRootIsDecorated(false);
    m_details->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_details->header()->setStretchLastSection(true);
    m_details->header()->resizeSection(0, 200);
    m_details->header()->setSectionsClickable(true);
    lv->addWidget(m_symbole);
    lv->addWidget(m_details);
    connect(m_details->header(), &QHeaderView::sectionClicked, this, [this](int spalte) {
        setSortierung(spalte == 1 ? TSortierungNach::snAenderung : TSortierungNach::snName);
    });
    connect(m_symbole->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TzptListViewPanel::AuswahlGeaendert);
    for (QAbstractItemView* v :
         {static_cast<QAbstractItemView*>(m_symbole), static_cast<QAbstractItemView*>(m_details)})
        connect(v, &QAbstractItemView::doubleClicked, this, &TzptListViewPanel::Oeffnen);

    m_menu = new QMenu(this);
    const struct {
        const char* text;
        std::function<void()> tun;
    } befehle[] = {
        {"Große Symbole", [this] { setViewStyle(Ansicht::GrosseSymbole); }},
        {"Kleine Symbole", [this] { setViewStyle(Ansicht::KleineSymbole); }},
        {"Liste", [this] { setViewStyle(Ansicht::Liste); }},
        {"Details", [this] { setViewStyle(Ansicht::Details); }},
        {"Ordner...", [this] { OrdnerWaehlen(); }},
    };
    for (const auto& b : befehle) {
        const QString text = QString::fromUtf8(b.text);
        QToolButton* knopf = mb->AddButton(text, text, b.tun);
        // 80 pixels, wider where the screen font would cut the caption.
        knopf->setFixedWidth(qMax(80, knopf->fontMetrics().horizontalAdvance(text) + 14));
        connect(m_menu->addAction(text), &QAction::triggered, this, b.tun);
    }
    setViewStyle(Ansicht::GrosseSymbole);
}

void TzptListViewPanel::setVerzeichnis(const QString& ordner) {
    m_verzeichnis = AddBackslash(ordner);
    Fuellen();
}

void TzptListViewPanel::setJoker(const QString& joker) {
    m_joker = JokerNormal(joker);
    Fuellen();
}

void TzptListViewPanel::setActive(bool an) {
    m_aktiv = an;
    Fuellen();
}

void TzptListViewPanel::setSortierung(TSortierungNach nach) {
    m_sortierung = nach;
    DateiEintraegeSortieren(m_eintraege, m_sortierung);
    Anordnen();
}

void TzptListViewPanel::setViewStyle(Ansicht a) {
    m_ansicht = a;
    if (a == Ansicht::Details) {
        lv->setCurrentWidget(m_details);
        return;
    }
    lv->setCurrentWidget(m_symbole);
    const bool gross = a == Ansicht::GrosseSymbole;
    m_symbole->setViewMode(a == Ansicht::Liste ? QListView::ListMode : QListView::IconMode);
    m_symbole->setFlow(a == Ansicht::Liste ? QListView::TopToBottom : QListView::LeftToRight);
    m_symbole->setWrapping(true);
    m_symbole->setIconSize(gross ? QSize(32, 32) : QSize(16, 16));
    m_symbole->setGridSize(gross ? QSize(96, 64) : QSize());
}

bool TzptListViewPanel::MultiSelect() const {
    return m_symbole->selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TzptListViewPanel::setMultiSelect(bool an) {
    const auto art = an ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    m_symbole->setSelectionMode(art);
    m_details->setSelectionMode(art);
}

void TzptListViewPanel::setCaptionVisible(bool an) {
    la_Caption->setVisible(an);
}

void TzptListViewPanel::setButtonsVisible(bool an) {
    mb->setVisible(an);
}

void TzptListViewPanel::Fuellen() {
    m_eintraege.clear();
    if (m_aktiv) {
        m_eintraege = DateiEintraegeLesen(m_verzeichnis, m_joker);
        DateiEintraegeSortieren(m_eintraege, m_sortierung);
        la_Caption->setText(m_verzeichnis + m_joker);
    }
    Anordnen();
}

void TzptListViewPanel::Anordnen() {
    m_modell->removeRows(0, m_modell->rowCount());
    static const QFileIconProvider symbole;
    const QLocale ort;
    for (const TDateiEintrag& e : m_eintraege) {
        auto* name = new QStandardItem(symbole.icon(QFileInfo(m_verzeichnis + e.name)), e.name);
        auto* datum = new QStandardItem(ort.toString(e.geaendert, QStringLiteral("dd.MM.yyyy hh:mm:ss")));
        m_modell->appendRow({name, datum});
    }
    AuswahlGeaendert();
}

QStringList TzptListViewPanel::Eintraege() const {
    QStringList namen;
    for (const TDateiEintrag& e : m_eintraege)
        namen << e.name;
    return namen;
}

void TzptListViewPanel::AuswahlGeaendert() {
    QStringList namen;
    for (const QModelIndex& i : m_symbole->selectionModel()->selectedRows())
        namen << m_modell->item(i.row())->text();
    m_auswahl = AuswahlText(m_verzeichnis, namen);
}

void TzptListViewPanel::OrdnerWaehlen() {
    QString ordner = m_verzeichnis;
    if (!VerzeichnisWaehlen(ordner, m_joker) || AddBackslash(ordner) == m_verzeichnis) return;
    setVerzeichnis(ordner);
    if (OnVerzeichnisChanged) OnVerzeichnisChanged(this);
}

void TzptListViewPanel::Oeffnen() {
    const QModelIndexList gewaehlt = m_symbole->selectionModel()->selectedRows();
    if (gewaehlt.size() != 1) return;
    zptDateiStarten(m_verzeichnis + m_modell->item(gewaehlt.first().row())->text(), QStringList(),
                    m_verzeichnis, true);
}

void TzptListViewPanel::contextMenuEvent(QContextMenuEvent* e) {
    m_menu->exec(e->globalPos());
}
