#include "widgets/zpt_RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TzptRadioGroup::TzptRadioGroup(QWidget* parent) : QGroupBox(parent) {
    m_gruppe = new QButtonGroup(this);
    new QVBoxLayout(this);
    connect(m_gruppe, &QButtonGroup::idClicked, this, [this] {
        if (OnClick) OnClick(this);
    });
}

void TzptRadioGroup::setItems(const QStringList& items) {
    for (QAbstractButton* b : m_gruppe->buttons()) {
        m_gruppe->removeButton(b);
        delete b;
    }
    m_items = items;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        m_gruppe->addButton(b, i);
        layout()->addWidget(b);
    }
}

int TzptRadioGroup::ItemIndex() const {
    return m_gruppe->checkedId();
}

void TzptRadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = m_gruppe->button(index)) {
        b->setChecked(true);
        return;
    }
    // None chosen: an exclusive group keeps one unless told otherwise for a moment.
    m_gruppe->setExclusive(false);
    for (QAbstractButton* b : m_gruppe->buttons())
        b->setChecked(false);
    m_gruppe->setExclusive(true);
}
