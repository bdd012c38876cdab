#pragma once
// A row of flat-capable buttons that never take the focus, laid out left, right or
// centred; hidden buttons take no room.
#include "widgets/zpt_ButtonReihe.h"

#include <QFrame>
#include <QHash>
#include <functional>

class QToolButton;
class QButtonGroup;

class TzptMultiButtonPanel : public QFrame {
    Q_OBJECT
public:
    explicit TzptMultiButtonPanel(QWidget* parent = nullptr);

    bool Flat() const { return m_flat; }
    void setFlat(bool flat);
    ButtonAusrichtung ButtonAlignment() const { return m_ausrichtung; }
    void setButtonAlignment(ButtonAusrichtung a);

    QToolButton* AddButton(const QString& caption, const QString& hint, std::function<void()> klick,
                           bool allowAllUp = false, int groupIndex = 0, const QString& glyph = {});
    const QList<QToolButton*>& Buttons() const { return m_buttons; }
    // Lays the row out now (also run on every resize).
    void Anordnen();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QList<QToolButton*> m_buttons;
    QHash<int, QButtonGroup*> m_gruppen;
    bool m_flat = false;
    bool m_creating = true;
    ButtonAusrichtung m_ausrichtung = ButtonAusrichtung::Links;
};
