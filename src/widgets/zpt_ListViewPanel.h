#pragma once
// The files of a folder matching a list of masks, in four views (large icons, small
// icons, list, details) with a title line, a button row and a context menu.
#include "widgets/zpt_DateiListe.h"

#include <QWidget>
#include <functional>

class QLabel;
class QListView;
class QMenu;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;
class TzptMultiButtonPanel;

class TzptListViewPanel : public QWidget {
    Q_OBJECT
public:
    enum class Ansicht { GrosseSymbole, KleineSymbole, Liste, Details };

    explicit TzptListViewPanel(QWidget* parent = nullptr);

    QString Verzeichnis() const { return m_verzeichnis; }
    void setVerzeichnis(const QString& ordner);
    QString Joker() const { return m_joker; }
    void setJoker(const QString& joker);
    bool Active() const { return m_aktiv; }
    void setActive(bool an);
    TSortierungNach Sortierung() const { return m_sortierung; }
    void setSortierung(TSortierungNach nach);
    Ansicht ViewStyle() const { return m_ansicht; }
    void setViewStyle(Ansicht a);
    bool MultiSelect() const;
    void setMultiSelect(bool an);
    void setCaptionVisible(bool an);
    void setButtonsVisible(bool an);

    std::function<void(QObject*)> OnVerzeichnisChanged;

    // Captions of the entries in their order.
    QStringList Eintraege() const;
    // Full names of the selected entries, each followed by ";".
    QString Auswahl() const { return m_auswahl; }
    // "Ordner...": the folder dialog, started at Verzeichnis.
    void OrdnerWaehlen();
    // Opens the one selected entry with its program (a double click does this).
    void Oeffnen();

    QLabel* la_Caption;
    TzptMultiButtonPanel* mb;
    QStackedWidget* lv;
    QMenu* Menu() const { return m_menu; }

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void Fuellen();
    void Anordnen();
    void AuswahlGeaendert();
    QString m_verzeichnis;
    QString m_joker = QStringLiteral("*.*;");
    bool m_aktiv = false;
    TSortierungNach m_sortierung = TSortierungNach::snName;
    Ansicht m_ansicht = Ansicht::GrosseSymbole;
    QVector<TDateiEintrag> m_eintraege;
    QString m_auswahl;
    QStandardItemModel* m_modell;
    QListView* m_symbole;
    QTreeView* m_details;
    QMenu* m_menu;
};
