#include "widgets/zpt_PfadEdit.h"

#include "sys/zpt_Interaktion.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

TzptPfadEdit::TzptPfadEdit(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_edit = new QLineEdit(this);
    m_knopf = new QToolButton(this);
    m_knopf->setText(QStringLiteral("..."));
    m_knopf->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_knopf);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &TzptPfadEdit::textChanged);
    connect(m_knopf, &QToolButton::clicked, this, [this] {
        Durchsuchen();
        m_edit->setFocus();
    });
}

QString TzptPfadEdit::Text() const {
    return m_edit->text();
}
void TzptPfadEdit::setText(const QString& text) {
    m_edit->setText(text);
}

bool TzptVerzeichnisEdit::Durchsuchen() {
    QString ordner = Text();
    if (!interaktion().OrdnerWaehlen(QStringLiteral("Verzeichnis wählen"), ordner)) return false;
    setText(ordner);
    return true;
}

bool TzptDateinameEdit::Durchsuchen() {
    QString name = Text();
    if (!interaktion().DateiOeffnen(QStringLiteral("Datei wählen"), Filter, Endung, name)) return false;
    setText(name);
    return true;
}
