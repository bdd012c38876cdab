#include "widgets/alb_Form.h"

#include "settings/zpt_Parameter.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_sys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTreeView>

namespace {
// One filter for the whole application: it sees Enter before the focused control
// and offers it to the handlers of the window kinds.
class EnterFilter : public QObject {
public:
    static EnterFilter& instanz() {
        static EnterFilter* filter = [] {
            auto* f = new EnterFilter;
            qApp->installEventFilter(f);
            return f;
        }();
        return *filter;
    }
    QList<std::function<bool(QWidget*)>> behandler;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
        if (k->modifiers() & ~Qt::KeypadModifier) return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w != QApplication::focusWidget()) return false;
        for (const auto& b : behandler)
            if (b(w)) return true;
        return false;
    }
};
} // namespace

void EnterAbfangen(std::function<bool(QWidget*)> behandeln) {
    if (qApp) EnterFilter::instanz().behandler << std::move(behandeln);
}

Tak_Form::Tak_Form(QWidget* parent) : QDialog(parent) {
    // Qt's window colour is the platform's dialog face already.
    static const bool angemeldet = [] {
        EnterAbfangen([](QWidget* w) {
            auto* form = qobject_cast<Tak_Form*>(w->window());
            if (!form || !Tak_Form::EnterWirdTab(w)) return false;
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(w, &tab);
            return true;
        });
        return true;
    }();
    Q_UNUSED(angemeldet);
}

bool Tak_Form::EnterWirdTab(const QWidget* w) {
    if (!w) return false;
    // A control that acts on Enter itself says so (the list of a day's other files opens its file).
    const char* eigen = "EnterSelbst";
    if (w->property(eigen).toBool() || (w->parentWidget() && w->parentWidget()->property(eigen).toBool()))
        return false;
    // An edit field inside a combo box or spin box counts as that control.
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QTreeView*>(w) || qobject_cast<const QTableView*>(w);
}

void Tak_Form::showEvent(QShowEvent* e) {
    // Centred on the main window when it first opens, unless its place was stored;
    // after that it opens where the user left it.
    auto* haupt = qobject_cast<QWidget*>(Hauptfenster());
    if (haupt && haupt != this && !e->spontaneous() && !m_platziert && !property(kPlatzGeladen).toBool()) {
        const QRect h = haupt->frameGeometry();
        move(h.left() + (h.width() - width()) / 2, h.top() + (h.height() - height()) / 2);
    }
    if (!e->spontaneous()) m_platziert = true;
    QDialog::showEvent(e);
}

void Tak_Form::reject() {
    done(mrCancel);
}

QList<QAction*> AktionenAnlegen(QWidget* fenster, const QList<AktionsEintrag>& tabelle) {
    QList<QAction*> aktionen;
    for (const AktionsEintrag& e : tabelle) {
        auto* a = new QAction(e.caption, fenster);
        a->setObjectName(QString::fromLatin1(e.name));
        a->setShortcut(e.taste);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setToolTip(e.hinweis.isEmpty() ? e.caption : e.hinweis);
        a->setStatusTip(e.hinweis);
        if (e.ausfuehren)
            QObject::connect(a, &QAction::triggered, fenster,
                             [befehl = e.ausfuehren] { Geschuetzt(befehl); });
        fenster->addAction(a);
        aktionen << a;
    }
    return aktionen;
}
