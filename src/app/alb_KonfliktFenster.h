#pragma once
// The conflict window: per day with open conflicts, every caption or title whose texts
// compete (both versions, where they come from and when) and every picture a sync program
// put aside beside its original. The newer version is preselected; nothing happens
// unless the user confirms with "Übernehmen".
#include "album/alb_KonfliktAuswahl.h"
#include "widgets/alb_Form.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

class Tam_Konflikte : public Tak_Form {
    Q_OBJECT
public:
    explicit Tam_Konflikte(QWidget* parent = nullptr);

    QComboBox* cb_Tag;
    QScrollArea* sa_Eintraege;
    QPushButton* bb_Uebernehmen;
    QPushButton* bb_Schliessen;

    // Shows the days, `start` first. True when the user confirmed the choices of the day
    // shown at that moment (Tag() and Auswahl() then tell which and what).
    bool Ausfuehren(const QVector<TTagKonflikte>& tage, int start = 0);
    const TKonfliktAuswahl& Auswahl() const { return m_auswahl; }
    QString Tag() const { return m_auswahl.Tag().ordner; }
    // The picture choices in the form the background run takes them.
    QVector<std::pair<TBildKonflikt, TBildWahl>> BildWahlen() const;

    // The label a day has in the list: its folder name and the number of its conflicts.
    static QString TagText(const TTagKonflikte& tag);

private:
    void TagZeigen(int index);
    void FrageAufbauen(QVBoxLayout* liste, int i);
    void BildAufbauen(QVBoxLayout* liste, int i);

    QVector<TTagKonflikte> m_tage;
    TKonfliktAuswahl m_auswahl;
};
