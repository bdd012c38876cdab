#include "widgets/zpt_SpeicherButtonPanel.h"

#include <QToolButton>

TzptSpeicherButtonPanel::TzptSpeicherButtonPanel(QWidget* parent) : TzptMultiButtonPanel(parent) {
    m_speichern = AddButton(QStringLiteral("Speichern"), {}, [this] {
        if (OnSpeichernClick) OnSpeichernClick(this);
    });
    m_abbruch = AddButton(QStringLiteral("Abbruch"), {}, [this] {
        if (OnAbbruchClick) OnAbbruchClick(this);
    });
}

bool TzptSpeicherButtonPanel::bbSpeichernEnabled() const {
    return m_speichern->isEnabled();
}
void TzptSpeicherButtonPanel::setbbSpeichernEnabled(bool e) {
    m_speichern->setEnabled(e);
}
bool TzptSpeicherButtonPanel::bbAbbruchEnabled() const {
    return m_abbruch->isEnabled();
}
void TzptSpeicherButtonPanel::setbbAbbruchEnabled(bool e) {
    m_abbruch->setEnabled(e);
}
QString TzptSpeicherButtonPanel::bbSpeichernCaption() const {
    return m_speichern->text();
}
void TzptSpeicherButtonPanel::setbbSpeichernCaption(const QString& c) {
    m_speichern->setText(c);
}
