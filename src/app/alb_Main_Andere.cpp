// Tam_Main: the other files of a day (videos, sounds) in the top bar.
#include "app/alb_AndereDateien.h"
#include "app/alb_Main.h"

#include "display/zpt_FotoPanel.h"
#include "sys/zpt_Shell.h"
#include "widgets/zpt_Dialoge.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QToolButton>

void Tam_Main::AndereDateienSetzen(const QList<TzptKeyString>& dateien) {
    cb_Andere->Leeren();
    for (const TzptKeyString& d : dateien)
        cb_Andere->AddKey(d.key, d.text);
    // Each day starts with its first file chosen, ready to be opened.
    cb_Andere->setKey(cb_Andere->KeyList().isEmpty() ? QString() : cb_Andere->KeyList().first());
    bb_Andere->setEnabled(!cb_Andere->KeyLeer());
}

bool Tam_Main::AndereDateienAnzeigen() const {
    return m_andereAnzeigen;
}

void Tam_Main::ax_AndereDateienExecute() {
    QString maske = AndereDateienMaske;
    if (!EinzelDialog<Tam_AndereDateien>().Ausfuehren(maske)) return;
    AndereDateienMaske = maske;
    TagAnzeigen([this] { foto->First(); });
}

void Tam_Main::ax_AndereDateienAnzeigenExecute() {
    m_andereAnzeigen = !m_andereAnzeigen;
    Aktion("ax_AndereDateienAnzeigen")->setChecked(m_andereAnzeigen);
    FensterteileAnpassen();
}

void Tam_Main::cb_AndereChange() {
    bb_Andere->setEnabled(!cb_Andere->KeyLeer());
}

void Tam_Main::bb_AndereClick() {
    if (!cb_Andere->KeyLeer()) zptDateiStarten(foto->Grundpfad() + cb_Andere->Key(), true);
    FotoFokus();
}
