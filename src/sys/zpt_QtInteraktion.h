#pragma once
// The real dialogs behind the interaction seam.
#include "sys/zpt_Interaktion.h"

class QtInteraktion : public Interaktion {
public:
    int Meldung(const MeldungsAnfrage& anfrage) override;
    void Piep() override;
    bool DateiOeffnen(const QString& titel, const QString& filter, const QString& standardEndung,
                      QString& name) override;
    bool OrdnerWaehlen(const QString& titel, QString& ordner) override;
    bool FarbeWaehlen(QColor& farbe, const QStringList& eigeneFarben = {}) override;
    bool SchriftWaehlen(QFont& schrift) override;
    int ModalZeigen(QDialog& dialog) override;
};
