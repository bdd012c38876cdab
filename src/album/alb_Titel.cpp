#include "album/alb_Titel.h"

#include "sys/zpt_Interaktion.h"

#include <QLineEdit>
#include <QShowEvent>

Tam_Titel::Tam_Titel(QWidget* parent) : Tak_FormF2(parent) {
    setObjectName(QStringLiteral("Tam_Titel"));
    setWindowTitle(QStringLiteral("Titel der Fotoserie"));
    resize(368, 91);
    ed = new QLineEdit(Inhalt());
    ed->setObjectName(QStringLiteral("ed"));
    ed->setGeometry(16, 16, 329, ed->sizeHint().height());
}

bool Tam_Titel::Ausfuehren(QString& titel) {
    ed->setText(titel);
    if (interaktion().ModalZeigen(*this) != mrOk) return false;
    titel = ed->text();
    return true;
}

void Tam_Titel::showEvent(QShowEvent* e) {
    Tak_FormF2::showEvent(e);
    ed->setFocus();
    ed->selectAll();
}
