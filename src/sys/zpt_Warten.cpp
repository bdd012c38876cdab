#include "sys/zpt_Warten.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

WarteAnzeige& WarteAnzeige::instanz() {
    static WarteAnzeige w;
    return w;
}

void WarteAnzeige::hinweisSetzen(const QString& text) {
    if (text == m_hinweis) return;
    m_hinweis = text;
    emit hinweisGeaendert(text);
}

void WarteAnzeige::anfang(const QString& text) {
    hinweisSetzen(text.isEmpty() ? QStringLiteral("Bitte warten ...") : text);
    if (m_tiefe == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_cursorGesetzt = true;
    }
    ++m_tiefe;
    QCoreApplication::processEvents();
}

void WarteAnzeige::ende() {
    // An unbalanced end must not drive the counter below zero.
    if (m_tiefe > 0) --m_tiefe;
    if (m_tiefe < 1 && m_cursorGesetzt) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorGesetzt = false;
    }
    hinweisSetzen({});
    QCoreApplication::processEvents();
}

void WarteAnfang(const QString& text) {
    WarteAnzeige::instanz().anfang(text);
}
void WarteEnde() {
    WarteAnzeige::instanz().ende();
}
