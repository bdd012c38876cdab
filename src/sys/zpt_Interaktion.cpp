#include "sys/zpt_Interaktion.h"

#include <cstdio>

namespace {

// Used before the user interface exists (and by command-line tools): answers every
// question with its default and prints messages, so nothing blocks.
class StilleInteraktion : public Interaktion {
public:
    int Meldung(const MeldungsAnfrage& a) override {
        std::fprintf(stderr, "%s\n", qPrintable(QString(a.text).replace(u'\r', u'\n')));
        if (a.vorgabe != mrNone) return a.vorgabe;
        return (a.knoepfe & mbOK) ? mrOk : mrCancel;
    }
    void Piep() override {}
    bool DateiOeffnen(const QString&, const QString&, const QString&, QString&) override { return false; }
    bool OrdnerWaehlen(const QString&, QString&) override { return false; }
    bool FarbeWaehlen(QColor&, const QStringList&) override { return false; }
    bool SchriftWaehlen(QFont&) override { return false; }
    int ModalZeigen(QDialog&) override { return mrCancel; }
};

StilleInteraktion stille;
Interaktion* aktuelle = &stille;

} // namespace

Interaktion& interaktion() {
    return *aktuelle;
}

Interaktion* InteraktionSetzen(Interaktion* neu) {
    Interaktion* alt = aktuelle;
    aktuelle = neu ? neu : &stille;
    return alt == &stille ? nullptr : alt;
}
