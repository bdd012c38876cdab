#include "camera/alb_DatumKorrektur.h"

#include "sys/zpt_Interaktion.h"
#include "widgets/zpt_DatumEdit.h"

#include <QHBoxLayout>
#include <QLabel>

Tam_Datumskorrektur::Tam_Datumskorrektur(QWidget* parent) : Tak_FormF2(parent) {
    setObjectName(QStringLiteral("Tam_Datumskorrektur"));
    setWindowTitle(QStringLiteral("Datumskorrektur"));
    resize(279, 100);
    auto* zeile = new QHBoxLayout(Inhalt());
    zeile->addWidget(new QLabel(QStringLiteral("Erstes Bild vom:"), Inhalt()));
    ed_Datum = new TzptDatumEdit(Inhalt());
    ed_Datum->setObjectName(QStringLiteral("ed_Datum"));
    zeile->addWidget(ed_Datum, 1);
}

bool Tam_Datumskorrektur::DatumKorrigieren(QDateTime& datum) {
    ed_Datum->setDate(datum.date());
    ed_Datum->setFocus();
    if (interaktion().ModalZeigen(*this) != mrOk) return false;
    datum = QDateTime(ed_Datum->date(), QTime(0, 0));
    return true;
}
