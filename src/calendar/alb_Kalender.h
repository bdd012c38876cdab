#pragma once
// "Kalender": the album's days in the calendar; a day with a folder shows its first
// picture and its title, and closing the window goes to it.
#include "widgets/alb_Form.h"

#include <QDate>

class QScrollArea;
class QSplitter;
class TqorKalender;
class TzptFotoPanel;

class Tam_Kalender : public Tak_Form {
    Q_OBJECT
public:
    explicit Tam_Kalender(QWidget* parent = nullptr);

    QScrollArea* Panel1;
    TzptFotoPanel* foto;
    QSplitter* Splitter1;
    QScrollArea* ScrollBox1;
    TqorKalender* kal;
    QString Grundpfad;

    // Shows the calendar at the date; true with the chosen date when it has a folder.
    bool Ausfuehren(const QString& grundpfad, QDate& datum);
    void kalDateChange();

private:
    bool m_neuLadenGeplant = false;
    bool m_titelNachgereicht = false; // while entries are shown anew for titles read later
};

Tam_Kalender& KalenderFenster();
