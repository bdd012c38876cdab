#pragma once
// The "Speichern"/"Abbruch" row at the bottom of every save-or-cancel dialog.
#include "widgets/zpt_MultiButtonPanel.h"

class TzptSpeicherButtonPanel : public TzptMultiButtonPanel {
    Q_OBJECT
public:
    explicit TzptSpeicherButtonPanel(QWidget* parent = nullptr);

    bool bbSpeichernEnabled() const;
    void setbbSpeichernEnabled(bool e);
    bool bbAbbruchEnabled() const;
    void setbbAbbruchEnabled(bool e);
    QString bbSpeichernCaption() const;
    void setbbSpeichernCaption(const QString& c);

    QToolButton* bbSpeichern() const { return m_speichern; }
    QToolButton* bbAbbruch() const { return m_abbruch; }

    std::function<void(QObject*)> OnSpeichernClick;
    std::function<void(QObject*)> OnAbbruchClick;

private:
    QToolButton* m_speichern;
    QToolButton* m_abbruch;
};
