#include "burn/KefForm.h"

#include "sys/zpt_sys.h"
#include "widgets/alb_Form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {
const QEvent::Type kNachErstellen = QEvent::Type(QEvent::User + 200);

} // namespace

TKefForm::TKefForm(QWidget* parent) : QDialog(parent) {
    static const bool angemeldet = [] {
        EnterAbfangen([](QWidget* w) {
            auto* form = qobject_cast<TKefForm*>(w->window());
            return form && form->EnterBehandeln();
        });
        return true;
    }();
    Q_UNUSED(angemeldet);
    QCoreApplication::postEvent(this, new QEvent(kNachErstellen));
}

bool TKefForm::EnterBehandeln() {
    // Enter on a push button presses it, as Space does (the wizard's buttons are no
    // default buttons, so Qt would drop it).
    if (auto* knopf = qobject_cast<QPushButton*>(focusWidget())) {
        if (!knopf->isEnabled()) return false;
        knopf->click();
        return true;
    }
    if (!ActivReturn) return false;
    bool erlaubt = true;
    if (OnTestReturn) OnTestReturn(this, erlaubt);
    if (!erlaubt) return false;
    focusNextChild();
    return true;
}

QSize TKefForm::DpiSkaliert(QSize groesse, double dpi) {
    if (dpi <= 0 || dpi == 96) return groesse;
    return QSize(qRound(groesse.width() * dpi / 96), qRound(groesse.height() * dpi / 96));
}

void TKefForm::GroessenGrenzenSetzen(QSize minimum, QSize maximum) {
    const double dpi = screen() ? screen()->logicalDotsPerInch() : 96;
    setMinimumSize(DpiSkaliert(minimum, dpi));
    if (!maximum.isEmpty()) setMaximumSize(DpiSkaliert(maximum, dpi));
}

bool TKefForm::event(QEvent* e) {
    if (e->type() == kNachErstellen) {
        QCoreApplication::processEvents();
        if (OnAfterCreate) OnAfterCreate(this);
        return true;
    }
    if (e->type() == QEvent::WindowActivate && !m_aktiviert) {
        m_aktiviert = true;
        if (OnFirstActivate) OnFirstActivate(this);
        auto* haupt = qobject_cast<QWidget*>(Hauptfenster());
        if (MainFormSize && haupt && haupt != this) {
            const QScreen* s = screen();
            if (s && s->virtualGeometry().width() <= 800)
                showMaximized();
            else
                setGeometry(haupt->geometry());
        }
    }
    return QDialog::event(e);
}
