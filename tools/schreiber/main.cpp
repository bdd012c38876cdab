// One of the program's writers on its own, for the fault-injection driver, which kills
// it at random moments: pixoluda-schreiber ART ARGUMENTE...
//   titel ORDNER TEXT | bildtext ORDNER BILD ZEILE... | einstellungen DATEI ANZAHL WERT
//   index DATEI ANZAHL WERT | brennliste DATEI ANZAHL | import KARTE ALBUM
//   export cd|labor|namen|folge GRUNDPFAD LISTE ZIEL | speichernunter QUELLE ZIEL
// Exit code 0 when the write succeeded.
#include "album/alb_ini.h"
#include "burn/alb_Brennliste.h"
#include "burn/alb_Export.h"
#include "camera/alb_Import.h"
#include "settings/BigIni.h"
#include "settings/zpt_ParameterSpeicher.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_sys.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
struct Still : TFortschritt {
    void Start(const QString&, int) override {}
    void Schritt() override {}
    bool Abgebrochen() const override { return false; }
    void Stop() override {}
};

bool Ausfuehren(const QStringList& a) {
    const QString art = a.value(0);
    if (art == u"titel") return TitelSchreiben(a.value(1), a.value(2));
    if (art == u"bildtext") return BildtextSchreiben(a.value(1), a.value(2), a.mid(3));
    if (art == u"einstellungen") {
        TParameterSpeicher s(QStringLiteral("Tam_Test"));
        s.setDateiName(a.value(1));
        QVector<std::pair<QString, QString>> werte;
        for (int i = 0; i < a.value(2).toInt(); ++i)
            werte.append({QStringLiteral("k%1").arg(i), a.value(3) + QString::number(i)});
        s.SektionErsetzen(werte);
        return true;
    }
    if (art == u"index") {
        TBigIniFile index(a.value(1));
        for (int i = 0; i < a.value(2).toInt(); ++i)
            index.WriteString(QStringLiteral("%1").arg(2000 + i % 20), QStringLiteral("tag%1").arg(i),
                              a.value(3) + QString::number(i));
        index.FlushFile();
        return true;
    }
    if (art == u"brennliste") {
        TBrennliste l;
        QStringList e;
        for (int i = 0; i < a.value(2).toInt(); ++i)
            e << QStringLiteral("2005/200501%1/bild%2.jpg").arg(i % 28 + 1, 2, 10, QChar(u'0')).arg(i);
        l.Setzen(e);
        l.Speichern(a.value(1));
        return true;
    }
    if (art == u"import") {
        TKameraImport imp;
        imp.Quelle = a.value(1);
        imp.Zielordner = a.value(2);
        imp.Loeschen = true;
        return imp.Ausfuehren(imp.Dateien());
    }
    if (art == u"export") {
        Still still;
        QStringList eintraege;
        TextDateiToItems(a.value(3), eintraege);
        TExport e(a.value(2), eintraege, still);
        const QString modus = a.value(1), ziel = a.value(4);
        if (modus == u"cd") e.CDKopieren(ziel, true, {});
        if (modus == u"labor") e.FotolaborKopieren(ziel);
        if (modus == u"namen") e.NamenKopierenMitUnterverzeichnissen(ziel);
        if (modus == u"folge") e.NamenKopierenFortlaufend(ziel);
        return e.Fehlerzahl == 0;
    }
    if (art == u"speichernunter") return DateiKopierenMitPfad(a.value(1), a.value(2));
    return false;
}
} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts for the title pictures
    try {
        return Ausfuehren(app.arguments().mid(1)) ? 0 : 1;
    } catch (const EFehler& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.meldung));
        return 1;
    }
}
