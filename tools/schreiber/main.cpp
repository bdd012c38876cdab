// One of the program's writers on its own, for the fault-injection driver, which kills
// it at random moments: pixoluda-schreiber ART ARGUMENTE...
//   titel ORDNER TEXT | bildtext ORDNER BILD ZEILE... | einstellungen DATEI ANZAHL WERT
//   index DATEI ANZAHL WERT | brennliste DATEI ANZAHL | import KARTE ALBUM
//   export cd|labor|namen|folge GRUNDPFAD LISTE ZIEL | speichernunter QUELLE ZIEL
// Many writes one after the other, for the concurrency check (each with names of its own):
//   bildtexte ORDNER NAME N | werte DATEI NAME N | indexwerte DATEI NAME N | listenwerte DATEI NAME N
// Deliberately broken writers, which the fault injection's checks must catch:
//   kaputt-loeschen ORDNER | kaputt-halb DATEI | kaputt-ohne-sync DATEI
// Merging what a sync program put aside as conflict copies (ORDNER: an album's base
// folder or a day folder; every day folder below it with conflict copies of its caption
// file, and every burn list there with copies beside it):
//   abgleich ORDNER
// prints "konflikte=C uebernommen=M gefragt=A offen=O papierkorb=P" (copies found, entries
// taken without a question, questions answered, questions left open, copies put into the
// trash). Questions stay open unless the test switch PIXOLUDA_KONFLIKT_ANTWORT=beide|diese|jene
// answers every one of them so.
// Exit code 0 when the write succeeded (for abgleich: when nothing failed and no copy was
// unreadable).
#include "album/alb_Abgleich.h"
#include "album/alb_ini.h"
#include "burn/alb_Brennliste.h"
#include "burn/alb_Export.h"
#include "camera/alb_Import.h"
#include "settings/BigIni.h"
#include "settings/zpt_ParameterSpeicher.h"
#include "sys/alb_Konflikt.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_sys.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
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

// Every day folder below `ordner` (and it itself) with conflict copies of its caption
// file, and every burn list there with copies: merged, answering with the test switch.
bool Abgleichen(const QString& ordner) {
    const QByteArray antwort = qgetenv("PIXOLUDA_KONFLIKT_ANTWORT");
    TWahl wahl = TWahl::Offen;
    if (antwort == "beide") wahl = TWahl::Beide;
    if (antwort == "diese") wahl = TWahl::Diese;
    if (antwort == "jene") wahl = TWahl::Jene;
    QSet<QString> tage, listen;
    // Links are not followed: a folder reached twice, or outside the album, is not merged.
    QDirIterator it(ordner, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo fi = it.nextFileInfo();
        const auto k = KonfliktKopie(fi.fileName());
        if (!k) continue;
        if (IstAlbumKonfliktkopie(fi.fileName())) tage.insert(fi.path());
        if (k->original.endsWith(QLatin1String(".Pixolud"), Qt::CaseInsensitive))
            listen.insert(fi.path() + u'/' + k->original);
    }
    int konflikte = 0, uebernommen = 0, gefragt = 0, offen = 0, papierkorb = 0;
    bool ok = true;
    for (const QString& tag : tage) {
        const TAbgleichPlan plan = AbgleichPruefen(tag);
        konflikte += int(plan.kopien.size());
        TAbgleichErgebnis e;
        // A copy merged after another may ask anew about texts the first changed: the
        // answers are given again until nothing more is answered.
        for (int runde = 0; runde <= plan.kopien.size(); ++runde) {
            QHash<QString, TWahl> wahlen;
            if (wahl != TWahl::Offen)
                for (const TKonfliktFrage& f : AbgleichPruefen(tag).fragen)
                    wahlen.insert(f.Schluessel(), wahl);
            e = AbgleichAnwenden(tag, wahlen);
            uebernommen += e.uebernommen;
            gefragt += e.gefragt;
            papierkorb += e.imPapierkorb;
            if (e.offen == 0 || e.gefragt == 0 || !e.fehler.isEmpty()) break;
        }
        offen += e.offen;
        for (const QString& f : e.fehler + e.unlesbar)
            std::fprintf(stderr, "%s: %s\n", qPrintable(tag), qPrintable(f));
        ok = ok && e.fehler.isEmpty() && e.unlesbar.isEmpty();
    }
    for (const QString& liste : listen) {
        const TBrennliste::TAbgleich a = TBrennliste::KonfliktkopienAbgleichen(liste, AddBackslash(ordner));
        konflikte += a.kopien;
        uebernommen += a.hinzu + a.entfernt;
        papierkorb += a.imPapierkorb;
        for (const QString& f : a.fehler + a.unlesbar)
            std::fprintf(stderr, "%s: %s\n", qPrintable(liste), qPrintable(f));
        ok = ok && a.fehler.isEmpty() && a.unlesbar.isEmpty();
    }
    std::printf("konflikte=%d uebernommen=%d gefragt=%d offen=%d papierkorb=%d\n", konflikte, uebernommen,
                gefragt, offen, papierkorb);
    return ok;
}

bool Ausfuehren(const QStringList& a) {
    const QString art = a.value(0);
    if (art.startsWith(QLatin1String("kaputt-"))) return Kaputt(art, a.value(1));
    if (art.endsWith(QLatin1String("werte")) || art == u"bildtexte") return VieleSchreiben(a);
    if (art == u"abgleich") return Abgleichen(a.value(1));
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
