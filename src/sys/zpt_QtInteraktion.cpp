#include "sys/zpt_QtInteraktion.h"

#include "sys/zpt_Farbe.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
QString Titel(MeldungsArt art) {
    switch (art) {
    case MeldungsArt::Fehler:
        return QStringLiteral("Fehler");
    case MeldungsArt::Information:
        return QStringLiteral("Information");
    case MeldungsArt::Bestaetigung:
        return QStringLiteral("Bestätigung");
    case MeldungsArt::Warnung:
        return QStringLiteral("Warnung");
    }
    return {};
}

QMessageBox::Icon Symbol(MeldungsArt art) {
    switch (art) {
    case MeldungsArt::Fehler:
        return QMessageBox::Critical;
    case MeldungsArt::Information:
        return QMessageBox::Information;
    case MeldungsArt::Bestaetigung:
        return QMessageBox::Question;
    case MeldungsArt::Warnung:
        return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}
} // namespace

int QtInteraktion::Meldung(const MeldungsAnfrage& a) {
    QMessageBox box(Symbol(a.art), Titel(a.art), QString(a.text).replace(u'\r', u'\n'), QMessageBox::NoButton,
                    QApplication::activeWindow());
    struct Knopf {
        int maske;
        const char* text;
        int ergebnis;
        QMessageBox::ButtonRole rolle;
    };
    static const Knopf knoepfe[] = {{mbOK, "OK", mrOk, QMessageBox::AcceptRole},
                                    {mbJa, "&Ja", mrYes, QMessageBox::YesRole},
                                    {mbNein, "&Nein", mrNo, QMessageBox::NoRole},
                                    {mbAbbruch, "Abbrechen", mrCancel, QMessageBox::RejectRole}};
    QList<std::pair<QPushButton*, int>> ergebnisse;
    for (const Knopf& k : knoepfe) {
        if (!(a.knoepfe & k.maske)) continue;
        QPushButton* b = box.addButton(QString::fromUtf8(k.text), k.rolle);
        ergebnisse.append({b, k.ergebnis});
        if (k.ergebnis == a.vorgabe)
            box.setDefaultButton(b);
        else
            b->setAutoDefault(false);
    }
    if (a.vorgabe == mrNone && !ergebnisse.isEmpty()) ergebnisse.first().first->setAutoDefault(false);
    box.exec();
    for (const auto& [b, e] : ergebnisse)
        if (box.clickedButton() == b) return e;
    return a.knoepfe & mbNein ? mrNo : mrCancel;
}

void QtInteraktion::Piep() {
    QApplication::beep();
}

namespace {
// "Text|Muster|Text|Muster" (masks separated by ";") as Qt's "Text (Muster);;...".
QString QtFilter(const QString& filter) {
    const QStringList teile = filter.split(u'|');
    if (teile.size() < 2) return filter;
    QStringList qt;
    for (int i = 0; i + 1 < teile.size(); i += 2)
        qt << teile[i] + QStringLiteral(" (") + QString(teile[i + 1]).replace(u';', u' ') + u')';
    return qt.join(QStringLiteral(";;"));
}
} // namespace

bool QtInteraktion::DateiOeffnen(const QString& titel, const QString& filter, const QString& standardEndung,
                                 QString& name) {
    QFileDialog dlg(QApplication::activeWindow(), titel, QFileInfo(name).path(), QtFilter(filter));
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(standardEndung);
    dlg.selectFile(QFileInfo(name).fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    name = QDir::toNativeSeparators(dlg.selectedFiles().first());
    return true;
}

bool QtInteraktion::OrdnerWaehlen(const QString& titel, QString& ordner) {
    const QString neu = QFileDialog::getExistingDirectory(QApplication::activeWindow(), titel, ordner);
    if (neu.isEmpty()) return false;
    ordner = QDir::toNativeSeparators(neu);
    return true;
}

bool QtInteraktion::FarbeWaehlen(QColor& farbe, const QStringList& eigeneFarben) {
    for (int i = 0; i < eigeneFarben.size() && i < QColorDialog::customCount(); ++i)
        if (const QColor c = FarbeAusEintrag(eigeneFarben[i]); c.isValid())
            QColorDialog::setCustomColor(i, c);
    const QColor neu = QColorDialog::getColor(farbe, QApplication::activeWindow());
    if (!neu.isValid()) return false;
    farbe = neu;
    return true;
}

bool QtInteraktion::SchriftWaehlen(QFont& schrift) {
    bool ok = false;
    const QFont neu = QFontDialog::getFont(&ok, schrift, QApplication::activeWindow());
    if (ok) schrift = neu;
    return ok;
}

int QtInteraktion::ModalZeigen(QDialog& dialog) {
    return dialog.exec();
}
