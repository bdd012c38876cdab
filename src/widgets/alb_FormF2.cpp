#include "widgets/alb_FormF2.h"

#include "sys/zpt_Interaktion.h"
#include "widgets/zpt_SpeicherButtonPanel.h"

#include <QAction>
#include <QVBoxLayout>

Tak_FormF2::Tak_FormF2(QWidget* parent) : Tak_Form(parent) {
    resize(345, 150);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_inhalt = new QWidget(this);
    layout->addWidget(m_inhalt, 1);
    bp = new TzptSpeicherButtonPanel(this);
    bp->setObjectName(QStringLiteral("bp"));
    bp->setButtonAlignment(ButtonAusrichtung::Rechts);
    bp->setFlat(false);
    bp->setbbSpeichernCaption(QStringLiteral("Speichern"));
    bp->OnSpeichernClick = [this](QObject*) { ax_SpeichernExecute(); };
    bp->OnAbbruchClick = [this](QObject*) { ax_AbbruchExecute(); };
    layout->addWidget(bp);

    const auto aktionen =
        AktionenAnlegen(this, {{"ax_Speichern", QStringLiteral("Speichern"), QKeySequence(Qt::Key_F2),
                                [this] { ax_SpeichernExecute(); }},
                               {"ax_Abbruch", QStringLiteral("Abbruch"), QKeySequence(Qt::Key_Escape),
                                [this] { ax_AbbruchExecute(); }}});
    ax_Speichern = aktionen[0];
    ax_Abbruch = aktionen[1];
}

void Tak_FormF2::ax_SpeichernExecute() {
    setModalResult(mrOk);
}
void Tak_FormF2::ax_AbbruchExecute() {
    setModalResult(mrCancel);
}
