#pragma once
// Scripted stand-in for the user: records every question and answers from queues.
#include "sys/zpt_Interaktion.h"

#include <QList>
#include <QQueue>
#include <functional>

class ScriptInteraktion : public Interaktion {
public:
    ScriptInteraktion();
    ~ScriptInteraktion() override;

    int Meldung(const MeldungsAnfrage& anfrage) override;
    void Piep() override { ++piepse; }
    bool DateiOeffnen(const QString& titel, const QString& filter, const QString& standardEndung,
                      QString& name) override;
    bool OrdnerWaehlen(const QString& titel, QString& ordner) override;
    bool FarbeWaehlen(QColor& farbe, const QStringList& eigeneFarben = {}) override;
    bool SchriftWaehlen(QFont& schrift) override;
    int ModalZeigen(QDialog& dialog) override;

    QList<MeldungsAnfrage> meldungen;
    int piepse = 0;
    QStringList dateiFilter;
    int modalGezeigt = 0;

    // Answers; an empty queue answers with the default button / Cancel.
    QQueue<int> antworten;
    QQueue<QString> dateien; // file or folder choices; empty string = cancel
    QQueue<QColor> farben;   // invalid colour = cancel
    QStringList letzteEigeneFarben;
    QQueue<QFont> schriften; // an empty queue cancels
    QQueue<std::function<int(QDialog&)>> dialoge;

private:
    Interaktion* m_vorher;
};
