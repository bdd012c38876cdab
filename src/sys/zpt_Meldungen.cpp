#include "sys/zpt_Meldungen.h"

#include "sys/zpt_Fehler.h"

QString FormatText(const QString& format, const QStringList& argumente) {
    QString ergebnis;
    int naechstes = 0;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            ergebnis += c;
            continue;
        }
        if (format[i + 1] == u'%') {
            ergebnis += u'%';
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < format.size() && (format[j].isDigit() || format[j] == u'.' || format[j] == u'-'))
            ++j;
        if (j < format.size() && QStringLiteral("sdnu").contains(format[j].toLower())) {
            ergebnis += naechstes < argumente.size() ? argumente[naechstes] : QString();
            ++naechstes;
            i = j;
        } else {
            ergebnis += c;
        }
    }
    return ergebnis;
}

int MeldungsDialog(const QString& text, MeldungsArt art, int knoepfe, int vorgabe, int, const QString&, int,
                   int) {
    // Help context and position are accepted for the callers' sake; Qt centres on the
    // active window.
    return interaktion().Meldung({art, text, knoepfe, vorgabe});
}

void Piep() {
    interaktion().Piep();
}

void FehlerAnzeigen(const QString& text) {
    Piep();
    MeldungsDialog(text, MeldungsArt::Fehler, mbOK, mrOk);
}

void InfoAnzeigen(const QString& text) {
    MeldungsDialog(text, MeldungsArt::Information, mbOK, mrNone);
}

void InfoFormat(const QString& format, const QStringList& argumente) {
    InfoAnzeigen(FormatText(format, argumente));
}

void InfoListe(const QString& text) {
    InfoAnzeigen(QString(text).replace(u';', u'\r'));
}

bool JaNeinFrage(const QString& text) {
    return MeldungsDialog(text, MeldungsArt::Bestaetigung, mbJa | mbNein, mrNo) == mrYes;
}

bool JaNeinFrageFormat(const QString& format, const QStringList& argumente) {
    return JaNeinFrage(FormatText(format, argumente));
}

QString InternerFehlerText(const QString& modul, const QString& text) {
    return QStringLiteral("Interner Fehler im Modul [") + modul + QStringLiteral("]\r\r") + text +
           QStringLiteral("\rBenachrichtigen Sie bitte Ihren Systemadministrator.");
}

void InternerFehler(const QString& modul, const QString& text) {
    FehlerAnzeigen(InternerFehlerText(modul, text));
    throw EAbbruch();
}

bool Geschuetzt(const std::function<void()>& befehl) {
    try {
        befehl();
        return true;
    } catch (const EAbbruch&) {
    } catch (const EFehler& f) {
        FehlerAnzeigen(f.meldung);
    } catch (const std::exception& e) {
        FehlerAnzeigen(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
