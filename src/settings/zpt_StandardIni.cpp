#include "settings/zpt_StandardIni.h"

#include "settings/zpt_ProfilDatei.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QFileInfo>
#include <memory>

namespace {
QString gesetzterName;
IniOrt ort = IniOrt::OhneOrdner;
std::unique_ptr<TProfilDatei> datei;
} // namespace

void StandardIniDateiNameSetzen(const QString& name) {
    gesetzterName = name;
    datei.reset();
}

void StandardIniOrtSetzen(IniOrt neu) {
    ort = neu;
    datei.reset();
}

TProfilDatei& StandardIniDatei() {
    if (!datei) {
        QString name = gesetzterName;
        if (name.isEmpty()) {
            const QString programm =
                QFileInfo(plattform::ProgrammDatei()).completeBaseName() + QStringLiteral(".ini");
            switch (ort) {
            case IniOrt::OhneOrdner:
                name = programm;
                break;
            case IniOrt::Programmordner:
                name = ProgrammVerzeichnis() + programm;
                break;
            case IniOrt::ProBenutzer:
                name = EinstellungsVerzeichnis() + programm;
                break;
            }
        }
        datei = std::make_unique<TProfilDatei>(name, regulaer::Verweise::Folgen);
    }
    return *datei;
}

QString StandardIniDateiName() {
    return StandardIniDatei().Pfad();
}

void StandardIniZuruecksetzen() {
    gesetzterName.clear();
    datei.reset();
}
