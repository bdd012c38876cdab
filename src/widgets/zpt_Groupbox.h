#pragma once
// A group box whose caption is a check box: unticked, every control placed directly
// in the group is disabled.
#include <QGroupBox>
#include <functional>

class QCheckBox;

class Tzpt_Groupbox : public QGroupBox {
    Q_OBJECT
public:
    explicit Tzpt_Groupbox(QWidget* parent = nullptr);

    bool AllEnabled() const { return m_allEnabled; }
    // Sets the check box and the group's controls; raises nothing.
    void setAllEnabled(bool an);
    QString Caption() const;
    // The check box takes the text and its width (text width + 22).
    void setCaption(const QString& text);
    QCheckBox* CheckBox() const { return m_box; }

    // After the user clicked the check box and the group followed it.
    std::function<void(QObject*)> OnAfterClick;

protected:
    void changeEvent(QEvent* e) override;
    void childEvent(QChildEvent* e) override;

private:
    void KinderSchalten();
    QCheckBox* m_box;
    bool m_selbstAus = false; // disabled by its own setEnabled(false)
    bool m_allEnabled = true;
};
