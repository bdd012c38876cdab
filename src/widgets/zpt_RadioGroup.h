#pragma once
// A framed group of radio buttons chosen by index, as a radio group of the window
// library: one item per line, -1 when none is chosen.
#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;

class TzptRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TzptRadioGroup(QWidget* parent = nullptr);
    QStringList Items() const { return m_items; }
    void setItems(const QStringList& items);
    int ItemIndex() const;
    // An index outside the items chooses none.
    void setItemIndex(int index);
    std::function<void(QObject*)> OnClick;

private:
    QStringList m_items;
    QButtonGroup* m_gruppe;
};
