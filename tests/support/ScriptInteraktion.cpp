#include "support/ScriptInteraktion.h"

ScriptInteraktion::ScriptInteraktion() {
    m_vorher = InteraktionSetzen(this);
}
ScriptInteraktion::~ScriptInteraktion() {
    InteraktionSetzen(m_vorher);
}

int ScriptInteraktion::Meldung(const MeldungsAnfrage& a) {
    meldungen << a;
    if (!antworten.isEmpty()) return antworten.dequeue();
    if (a.vorgabe != mrNone) return a.vorgabe;
    return mrOk;
}

bool ScriptInteraktion::DateiOeffnen(const QString&, const QString& filter, const QString&, QString& name) {
    dateiFilter << filter;
    if (dateien.isEmpty()) return false;
    const QString n = dateien.dequeue();
    if (n.isEmpty()) return false;
    name = n;
    return true;
}

bool ScriptInteraktion::OrdnerWaehlen(const QString&, QString& ordner) {
    if (dateien.isEmpty()) return false;
    const QString n = dateien.dequeue();
    if (n.isEmpty()) return false;
    ordner = n;
    return true;
}

bool ScriptInteraktion::FarbeWaehlen(QColor& farbe, const QStringList& eigeneFarben) {
    letzteEigeneFarben = eigeneFarben;
    if (farben.isEmpty()) return false;
    const QColor c = farben.dequeue();
    if (!c.isValid()) return false;
    farbe = c;
    return true;
}

bool ScriptInteraktion::SchriftWaehlen(QFont& schrift) {
    if (schriften.isEmpty()) return false;
    schrift = schriften.dequeue();
    return true;
}

int ScriptInteraktion::ModalZeigen(QDialog& dialog) {
    ++modalGezeigt;
    if (dialoge.isEmpty()) return mrCancel;
    return dialoge.dequeue()(dialog);
}
