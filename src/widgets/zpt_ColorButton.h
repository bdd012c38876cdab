#pragma once
// A button showing a colour with its caption on it; a click opens the colour dialog.
#include <QPushButton>
#include <functional>

class TzptColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TzptColorButton(QWidget* parent = nullptr);

    QColor Color() const { return m_farbe; }
    void setColor(const QColor& farbe);
    // Offered as the last eight custom colours of the dialog.
    QColor UserColor[8];

    using Ereignis = std::function<void(QObject*)>;
    Ereignis OnBeforeDialog, OnAfterDialog, OnColorChanged;

    // The sixteen custom colours the dialog starts with.
    QStringList EigeneFarben() const;
    // Runs the dialog as a click does (after the button's own click handlers).
    void DialogAusfuehren();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_farbe;
};
