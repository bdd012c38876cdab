#include "widgets/alb_Directory.h"

#include "widgets/zpt_PfadEdit.h"

#include <QVBoxLayout>

Tak_Directory::Tak_Directory(QWidget* parent) : Tak_FormF2(parent) {
    setObjectName(QStringLiteral("Tak_Directory"));
    setWindowTitle(QStringLiteral("Verzeichnis wählen"));
    resize(width(), 99);
    ed = new TzptVerzeichnisEdit(Inhalt());
    ed->setObjectName(QStringLiteral("ed"));
    ed->setText(QStringLiteral("Verzeichnis wählen"));
    auto* layout = new QVBoxLayout(Inhalt());
    layout->setContentsMargins(8, 12, 8, 4);
    layout->addWidget(ed);
    layout->addStretch();
}
