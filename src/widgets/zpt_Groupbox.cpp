#include "widgets/zpt_Groupbox.h"

#include <QCheckBox>
#include <QChildEvent>
#include <QEvent>
#include <QFontMetrics>

Tzpt_Groupbox::Tzpt_Groupbox(QWidget* parent) : QGroupBox(parent) {
    m_box = new QCheckBox(this);
    m_box->setObjectName(QStringLiteral("qt_gruppenschalter"));
    m_box->setChecked(true);
    // On the frame line, where a group caption would stand, covering it.
    m_box->setAutoFillBackground(true);
    m_box->move(8, 0);
    connect(m_box, &QCheckBox::clicked, this, [this](bool an) {
        setAllEnabled(an);
        if (OnAfterClick) OnAfterClick(this);
    });
}

void Tzpt_Groupbox::setAllEnabled(bool an) {
    m_allEnabled = an;
    m_box->setChecked(an);
    KinderSchalten();
}

void Tzpt_Groupbox::KinderSchalten() {
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w != m_box) w->setEnabled(m_allEnabled);
}

QString Tzpt_Groupbox::Caption() const {
    return m_box->text();
}

void Tzpt_Groupbox::setCaption(const QString& text) {
    m_box->setText(text);
    m_box->resize(QFontMetrics(font()).horizontalAdvance(text) + 22, m_box->sizeHint().height());
}

void Tzpt_Groupbox::changeEvent(QEvent* e) {
    QGroupBox::changeEvent(e);
    if (e->type() != QEvent::EnabledChange) return;
    // Only the group's own switching counts: a disabled window or panel around it greys
    // it for a while and gives it back as it was.
    if (isEnabled()) {
        if (!m_selbstAus) return;
        m_selbstAus = false;
        // A group that was disabled comes back unticked: its controls stay off.
        setAllEnabled(m_box->isChecked());
    } else if (testAttribute(Qt::WA_ForceDisabled)) {
        m_selbstAus = true;
        m_box->setChecked(false);
        setAllEnabled(false);
    }
}

void Tzpt_Groupbox::childEvent(QChildEvent* e) {
    QGroupBox::childEvent(e);
    // A control placed into an unticked group starts disabled.
    if (e->type() == QEvent::ChildPolished && !m_allEnabled)
        if (auto* w = qobject_cast<QWidget*>(e->child()); w && w != m_box) w->setEnabled(false);
}
