#include "burn/KefForm.h"

#include "sys/zpt_sys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {
const QEvent::Type kNachErstellen = QEvent::Type(QEvent::User + 200);

// Sees Enter before the focused control does, for every TKefForm window.
class EnterFilter : public QObject {
public:
    static void Installieren() {
        static EnterFilter* filter = nullptr;
        if (!filter && qApp) {
            filter = new EnterFilter;
            qApp->installEventFilter(filter);
        }
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) || (k->modifiers() & ~Qt::KeypadModifier))
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w != QApplication::focusWidget()) return false;
        auto* form = qobject_cast<TKefForm*>(w->window());
        return form && form->EnterBehandeln();
    }
};
} // namespace

TKefForm::TKefForm(QWidget* parent) : QDialog(parent) {
    EnterFilter::Installieren();
    QCoreApplication::postEvent(this, new QEvent(kNachErstellen));
}

bool TKefForm::EnterBehandeln() {
    // A push button takes Enter itself: it is pressed.
    if (!ActivReturn || qobject_cast<QPushButton*>(focusWidget())) return false;
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
