#include "app/zpt_Hilfe.h"

#include "sys/zpt_sys.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

QString HilfeSeite() {
    return ProgrammVerzeichnis() + QStringLiteral("Pixolud.html");
}

QUrl HilfeAdresse(int kontext) {
    QUrl adresse = QUrl::fromLocalFile(HilfeSeite());
    adresse.setFragment(QStringLiteral("kontext%1").arg(kontext));
    return adresse;
}

int HilfeKontext(const QWidget* fenster) {
    for (const QWidget* w = fenster; w; w = w->parentWidget())
        if (const int k = w->window()->property(kHilfeKontext).toInt(); k > 0) return k;
    return 2;
}

void HilfeZeigen(int kontext) {
    if (!DateiVorhanden(HilfeSeite(), true)) return;
    // One help window for the program; it stays open beside the others.
    static QPointer<QDialog> fenster;
    static QTextBrowser* browser = nullptr;
    if (!fenster) {
        fenster = new QDialog(qobject_cast<QWidget*>(Hauptfenster()), Qt::Window);
        fenster->setObjectName(QStringLiteral("Tam_Hilfe"));
        fenster->setWindowTitle(QStringLiteral("Pixoluda – Hilfe"));
        fenster->resize(640, 560);
        browser = new QTextBrowser(fenster);
        browser->setObjectName(QStringLiteral("browser"));
        browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(fenster);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
    }
    browser->setSource(HilfeAdresse(kontext));
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
}

bool HilfeTaste(QEvent* ereignis) {
    if (ereignis->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(ereignis);
    if (k->key() != Qt::Key_F1 || k->modifiers() != Qt::NoModifier) return false;
    HilfeZeigen(HilfeKontext(QApplication::activeWindow()));
    return true;
}
