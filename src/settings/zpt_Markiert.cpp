#include "settings/zpt_Markiert.h"

#include "settings/zpt_ParameterSpeicher.h"
#include "settings/zpt_Schrifttext.h"
#include "sys/zpt_Farbe.h"
#include "widgets/zpt_ColorButton.h"
#include "widgets/zpt_DatumEdit.h"
#include "widgets/zpt_FontButton.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_KeyComboBox.h"
#include "widgets/zpt_ListViewPanel.h"
#include "widgets/zpt_PfadEdit.h"
#include "widgets/zpt_RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace {
// Ends the numbered keys of lines and list items.
const QString kEnde = QStringLiteral("@#@");

QStringList Komponenten(QObject* besitzer, int inkl, int exkl, QList<QObject*>& liste) {
    QStringList namen;
    for (QObject* o : besitzer->findChildren<QObject*>()) {
        const QString name = o->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        if (!TagGewaehlt(TagVon(o), inkl, exkl)) continue;
        liste << o;
        namen << name;
    }
    return namen;
}

QStringList ZeilenLesen(const QString& name, const WertLeser& lesen) {
    QStringList zeilen;
    for (int i = 0;; ++i) {
        const QString wert = lesen(name + u'_' + QString::number(i), kEnde);
        if (wert == kEnde) break;
        zeilen << wert;
    }
    return zeilen;
}

void ZeilenSchreiben(const QString& name, const QStringList& zeilen, const WertSchreiber& schreiben) {
    for (int i = 0; i < zeilen.size(); ++i)
        schreiben(name + u'_' + QString::number(i), zeilen[i]);
}

int Zahl(const WertLeser& lesen, const QString& schluessel, int vorgabe) {
    int zahl = vorgabe;
    return ZahlAusText(lesen(schluessel, QString::number(vorgabe)), zahl) ? zahl : vorgabe;
}

QString Bool(bool an) {
    return an ? QStringLiteral("1") : QStringLiteral("0");
}

// Speed buttons: checkable tool buttons that are not part of a tool bar.
QToolButton* SchnellKnopf(QObject* o) {
    auto* b = qobject_cast<QToolButton*>(o);
    return b && b->isCheckable() && !qobject_cast<QToolBar*>(b->parent()) ? b : nullptr;
}

QString KnopfName(const QToolButton* b) {
    if (!b->objectName().isEmpty()) return b->objectName();
    return b->defaultAction() ? b->defaultAction()->objectName() : QString();
}

// Memos: the window library's multi-line edits, plain or rich.
std::optional<QString> MemoText(QObject* o) {
    if (auto* m = qobject_cast<QPlainTextEdit*>(o)) return m->toPlainText();
    if (auto* m = qobject_cast<QTextEdit*>(o)) return m->toPlainText();
    return std::nullopt;
}

void MemoSetzen(QObject* o, const QString& text) {
    if (auto* m = qobject_cast<QPlainTextEdit*>(o)) m->setPlainText(text);
    if (auto* m = qobject_cast<QTextEdit*>(o)) m->setPlainText(text);
}

QStringList ListenEintraege(const QListWidget* l) {
    QStringList eintraege;
    for (int i = 0; i < l->count(); ++i)
        eintraege << l->item(i)->text();
    return eintraege;
}
} // namespace

void TagSetzen(QObject* komponente, int tag) {
    komponente->setProperty(kTagEigenschaft, tag);
}

int TagVon(const QObject* komponente) {
    return komponente->property(kTagEigenschaft).toInt();
}

QString OhneAnfuehrung(const QString& text) {
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') return text.mid(1, text.size() - 2);
    return text;
}

void MarkierteSpeichern(QObject* besitzer, int inkl, int exkl, const WertSchreiber& schreiben) {
    QList<QObject*> komponenten;
    const QStringList namen = Komponenten(besitzer, inkl, exkl, komponenten);
    for (int i = 0; i < komponenten.size(); ++i) {
        QObject* o = komponenten[i];
        const QString& name = namen[i];
        // The kinds in their order; a later row's value replaces an earlier one.
        if (const auto memo = MemoText(o))
            ZeilenSchreiben(name, memo->split(u'\n'), schreiben);
        else if (auto* e = qobject_cast<QLineEdit*>(o))
            schreiben(name, e->text());
        else if (auto* d = qobject_cast<TzptDatumEdit*>(o))
            schreiben(name, d->Text());
        if (auto* k = qobject_cast<TzptKeyComboBox*>(o)) schreiben(name, k->Key());
        if (auto* f = qobject_cast<TzptColorButton*>(o))
            schreiben(name, QString::number(ColorRefAusFarbe(f->Color())));
        if (auto* f = qobject_cast<TzptFontButton*>(o))
            schreiben(name, SchriftText(f->font(), f->Schriftfarbe));
        if (auto* p = qobject_cast<TzptPfadEdit*>(o)) schreiben(name, OhneAnfuehrung(p->Text()));
        if (auto* l = qobject_cast<TzptListViewPanel*>(o)) {
            schreiben(name + QStringLiteral("_V"), OhneAnfuehrung(l->Verzeichnis()));
            schreiben(name + QStringLiteral("_J"), l->Joker());
        }
        if (auto* g = qobject_cast<Tzpt_Groupbox*>(o)) schreiben(name, Bool(g->AllEnabled()));
        if (auto* c = qobject_cast<QCheckBox*>(o)) schreiben(name, Bool(c->isChecked()));
        if (auto* r = qobject_cast<QRadioButton*>(o)) schreiben(name, Bool(r->isChecked()));
        if (auto* b = SchnellKnopf(o)) schreiben(name, Bool(b->isChecked()));
        // A key combo box keeps its key, not the position of its entry.
        if (auto* c = qobject_cast<QComboBox*>(o); c && !qobject_cast<TzptKeyComboBox*>(o))
            schreiben(name, QString::number(c->currentIndex()));
        if (auto* r = qobject_cast<TzptRadioGroup*>(o)) schreiben(name, QString::number(r->ItemIndex()));
        if (auto* l = qobject_cast<QListWidget*>(o)) {
            schreiben(name, QString::number(l->currentRow()));
            ZeilenSchreiben(name, ListenEintraege(l), schreiben);
        }
        if (auto* t = qobject_cast<QToolBar*>(o))
            for (QToolButton* b : t->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
                if (!KnopfName(b).isEmpty()) schreiben(KnopfName(b), Bool(b->isChecked()));
    }
}

void MarkierteLaden(QObject* besitzer, int inkl, int exkl, const WertLeser& lesen) {
    QList<QObject*> komponenten;
    const QStringList namen = Komponenten(besitzer, inkl, exkl, komponenten);
    for (int i = 0; i < komponenten.size(); ++i) {
        QObject* o = komponenten[i];
        const QString& name = namen[i];
        if (MemoText(o))
            MemoSetzen(o, ZeilenLesen(name, lesen).join(u'\n'));
        else if (auto* e = qobject_cast<QLineEdit*>(o))
            e->setText(lesen(name, e->text()));
        else if (auto* d = qobject_cast<TzptDatumEdit*>(o))
            d->setText(lesen(name, d->Text()));
        if (auto* k = qobject_cast<TzptKeyComboBox*>(o)) k->setKey(lesen(name, k->Key()));
        if (auto* f = qobject_cast<TzptColorButton*>(o))
            f->setColor(FarbeAusColorRef(quint32(Zahl(lesen, name, int(ColorRefAusFarbe(f->Color()))))));
        if (auto* f = qobject_cast<TzptFontButton*>(o)) {
            const QString text = lesen(name, {});
            if (!text.isEmpty()) {
                QFont schrift = f->font();
                SchriftAusText(text, schrift, f->Schriftfarbe); // a bad number ends the loading
                f->setFont(schrift);
            }
        }
        if (auto* p = qobject_cast<TzptPfadEdit*>(o)) p->setText(OhneAnfuehrung(lesen(name, p->Text())));
        if (auto* l = qobject_cast<TzptListViewPanel*>(o)) {
            l->setVerzeichnis(OhneAnfuehrung(lesen(name + QStringLiteral("_V"), l->Verzeichnis())));
            l->setJoker(lesen(name + QStringLiteral("_J"), l->Joker()));
        }
        if (auto* g = qobject_cast<Tzpt_Groupbox*>(o))
            g->setAllEnabled(Zahl(lesen, name, g->AllEnabled()) != 0);
        if (auto* c = qobject_cast<QCheckBox*>(o)) c->setChecked(Zahl(lesen, name, c->isChecked()) != 0);
        if (auto* r = qobject_cast<QRadioButton*>(o)) r->setChecked(Zahl(lesen, name, r->isChecked()) != 0);
        if (auto* b = SchnellKnopf(o)) b->setChecked(Zahl(lesen, name, b->isChecked()) != 0);
        if (auto* c = qobject_cast<QComboBox*>(o); c && !qobject_cast<TzptKeyComboBox*>(o))
            c->setCurrentIndex(Zahl(lesen, name, c->currentIndex()));
        if (auto* r = qobject_cast<TzptRadioGroup*>(o)) r->setItemIndex(Zahl(lesen, name, r->ItemIndex()));
        if (auto* l = qobject_cast<QListWidget*>(o)) {
            const int vorher = l->currentRow();
            l->clear();
            l->addItems(ZeilenLesen(name, lesen));
            l->setCurrentRow(Zahl(lesen, name, vorher));
        }
        if (auto* t = qobject_cast<QToolBar*>(o))
            for (QToolButton* b : t->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
                if (!KnopfName(b).isEmpty()) b->setChecked(Zahl(lesen, KnopfName(b), b->isChecked()) != 0);
    }
}
