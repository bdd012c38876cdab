// One of the program's writers on its own, for the fault-injection driver, which kills
// it at random moments: pixoluda-schreiber ART ARGUMENTE...
//   titel ORDNER TEXT | bildtext ORDNER BILD ZEILE... | einstellungen DATEI ANZAHL WERT
//   index DATEI ANZAHL WERT | brennliste DATEI ANZAHL | import KARTE ALBUM
//   export cd|labor|namen|folge GRUNDPFAD LISTE ZIEL | speichernunter QUELLE ZIEL
// Many writes one after the other, for the concurrency check (each with names of its own):
//   bildtexte ORDNER NAME N | werte DATEI NAME N | indexwerte DATEI NAME N | listenwerte DATEI NAME N
// Deliberately broken writers, which the fault injection's checks must catch:
//   kaputt-loeschen ORDNER | kaputt-halb DATEI | kaputt-ohne-sync DATEI
// Exit code 0 when the write succeeded.
#include "album/alb_ini.h"
#include "burn/alb_Brennliste.h"
#include "burn/alb_Export.h"
#include "camera/alb_Import.h"
#include "settings/BigIni.h"
#include "settings/zpt_ParameterSpeicher.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_sys.h"

#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {
// The new content of a caption write, as the broken writers write it.
QByteArray MitNeuemText(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll() + "[BILD NEU.JPG]\r\nZEILE00=neu\r\n";
}

bool VieleSchreiben(const QStringList& a) {
    const QString art = a.value(0), ziel = a.value(1), name = a.value(2);
    const int n = a.value(3).toInt();
    TBrennliste liste;
    if (art == u"listenwerte") liste.Setzen(TBrennliste::DateiLesen(ziel), ziel);
    bool ok = true;
    for (int i = 0; i < n; ++i) {
        const QString eintrag = QStringLiteral("%1_%2").arg(name).arg(i);
        if (art == u"bildtexte") {
            ok = BildtextSchreiben(ziel, eintrag + QStringLiteral(".jpg"), {eintrag}) && ok;
        } else if (art == u"werte") {
            TParameterSpeicher speicher(QStringLiteral("Tam_Test"));
            speicher.setDateiName(ziel);
            speicher.WertSchreiben(eintrag, QString::number(i));
        } else if (art == u"indexwerte") {
            TBigIniFile index(ziel);
            index.WriteString(QStringLiteral("2005"), eintrag, QString::number(i));
            index.FlushFile();
        } else if (art == u"listenwerte") {
            liste.Hinzufuegen(QStringLiteral("2005/20050101/") + eintrag + QStringLiteral(".jpg"));
            liste.Speichern(ziel);
        } else {
            return false;
        }
    }
    return ok;
}

bool Kaputt(const QString& art, const QString& ziel) {
    if (art == u"kaputt-loeschen") {
        // Removes the caption file, then writes it anew atomically.
        QStringList zeilen{QStringLiteral("neu")};
        return QFile::remove(ziel + QStringLiteral("/ALBUM.DAT")) &&
               BildtextSchreiben(ziel, QStringLiteral("NEU.JPG"), zeilen);
    }
    const QByteArray neu = MitNeuemText(ziel);
    if (art == u"kaputt-halb") {
        // Truncates the file and writes it in two halves.
        QFile f(ziel);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return false;
        const qsizetype h = neu.size() / 2;
        return f.write(neu.constData(), h) == h &&
               f.write(neu.constData() + h, neu.size() - h) == neu.size() - h;
    }
    if (art == u"kaputt-ohne-sync") {
        // Atomic, but renamed without syncing the temporary or the folder.
        QFile f(ziel + QStringLiteral(".pixoluda-Ab12Cd"));
        return f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && f.write(neu) == neu.size() &&
               (f.close(), std::rename(QFile::encodeName(f.fileName()).constData(),
                                       QFile::encodeName(ziel).constData()) == 0);
    }
    return false;
}

bool Ausfuehren(const QStringList& a) {
    const QString art = a.value(0);
    if (art.startsWith(QLatin1String("kaputt-"))) return Kaputt(art, a.value(1));
    if (art.endsWith(QLatin1String("werte")) || art == u"bildtexte") return VieleSchreiben(a);
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
        // Every file in the album or left on the card, none failed.
        return imp.Ausfuehren(imp.Dateien()) && imp.Fehlgeschlagen.isEmpty() && imp.NichtGeloescht.isEmpty();
    }
    if (art == u"export") {
        TStillerFortschritt still;
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
