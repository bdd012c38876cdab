#include "app/alb_AndereDateien.h"

#include "sys/zpt_Interaktion.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

Tam_AndereDateien::Tam_AndereDateien(QWidget* parent) : Tak_FormF2(parent) {
    setObjectName(QStringLiteral("Tam_AndereDateien"));
    setWindowTitle(QStringLiteral("Anzeige von anderen Dateien"));
    auto* layout = new QVBoxLayout(Inhalt());
    layout->setContentsMargins(12, 8, 12, 4);
    layout->addWidget(
        new QLabel(QStringLiteral("Welche anderen Dateien sollen noch angezeigt werden ?"), Inhalt()));
    layout->addWidget(new QLabel(QStringLiteral("(In der Form *.mov;*.mpeg; eingeben)"), Inhalt()));
    ed_Joker = new QLineEdit(Inhalt());
    ed_Joker->setObjectName(QStringLiteral("ed_Joker"));
    ed_Joker->setFixedWidth(321);
    layout->addWidget(ed_Joker);
    layout->addStretch();
}

bool Tam_AndereDateien::Ausfuehren(QString& maske) {
    ed_Joker->setText(maske);
    if (interaktion().ModalZeigen(*this) != mrOk) return false;
    maske = ed_Joker->text();
    return true;
}

void Tam_AndereDateien::showEvent(QShowEvent* e) {
    Tak_FormF2::showEvent(e);
    ed_Joker->setFocus();
}
