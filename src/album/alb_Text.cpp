#include "album/alb_Text.h"

#include "sys/zpt_Sperre.h"

#include "album/alb_ini.h"
#include "display/zpt_Metadaten.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Meldungen.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

Tam_Text::Tam_Text(QWidget* parent) : Tak_FormF2(parent) {
    setObjectName(QStringLiteral("Tam_Text"));
    setWindowTitle(QStringLiteral("Bildunterschrift"));
    re = new QPlainTextEdit(Inhalt());
    re->setObjectName(QStringLiteral("re"));
    auto* layout = new QVBoxLayout(Inhalt());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(re);
}

QStringList Tam_Text::Zeilen() const {
    QStringList zeilen = re->toPlainText().split(u'\n');
    // Empty lines at the end are no part of the caption.
    while (!zeilen.isEmpty() && zeilen.back().trimmed().isEmpty())
        zeilen.removeLast();
    return zeilen;
}

bool Tam_Text::Ausfuehren(const QString& bildPfad) {
    if (!BildnameSpeicherbar(QFileInfo(bildPfad).fileName())) {
        FehlerAnzeigen(QStringLiteral("Der Dateiname\r") + bildPfad +
                       QStringLiteral("\renthält einen Zeilenumbruch. Für dieses Bild kann keine "
                                      "Bildunterschrift gespeichert werden."));
        return false;
    }
    QStringList zeilen;
    BildtextLesen(bildPfad, zeilen);
    // No caption here yet: the one the picture carries is offered to start from.
    re->setPlainText(zeilen.isEmpty() ? EingebetteteBildunterschrift(bildPfad) : zeilen.join(u'\n'));
    if (interaktion().ModalZeigen(*this) != mrOk) return false;
    if (!BildtextSchreiben(bildPfad, Zeilen())) {
        FehlerAnzeigen(QStringLiteral("Die Bildunterschrift konnte nicht gespeichert werden:\r") + bildPfad +
                       SperrZusatz());
        return false;
    }
    return true;
}

void Tam_Text::showEvent(QShowEvent* e) {
    Tak_FormF2::showEvent(e);
    re->setFocus();
}
