#include "settings/zpt_ParameterSpeicher.h"

#include "settings/zpt_ProfilDatei.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Sperre.h"

bool ZahlAusText(const QString& text, int& zahl) {
    bool ok = false;
    int wert = 0;
    if (text.size() >= 3 && (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))) {
        const qlonglong v = text.mid(2).toLongLong(&ok, 16);
        ok = ok && v <= 0xFFFFFFFFLL && !text.mid(2).startsWith(u'-') && !text.mid(2).startsWith(u'+');
        wert = static_cast<int>(static_cast<quint32>(v));
    } else {
        wert = text.toInt(&ok, 10);
    }
    if (ok) zahl = wert;
    return ok;
}

bool TagGewaehlt(int tag, int tagInclusive, int tagExclusive) {
    if (tagInclusive == 0 && tagExclusive == 0) return true;
    if (tagInclusive != 0 && tag == tagInclusive) return true;
    return tagExclusive != 0 && tag != tagExclusive;
}

QString TParameterSpeicher::EinstellungsDateiName() const {
    const QString eigener = m_dateiName.trimmed();
    return eigener.isEmpty() ? StandardIniDateiName() : eigener;
}

TProfilDatei TParameterSpeicher::Datei() const {
    return TProfilDatei(EinstellungsDateiName(), regulaer::Verweise::Folgen);
}

void TParameterSpeicher::SchreibFehler() const {
    if (!LetzteSperrMeldung().isEmpty()) throw EFehler(LetzteSperrMeldung());
    throw EFehler(QStringLiteral("nach %1 kann nicht geschrieben werden").arg(EinstellungsDateiName()));
}

QString TParameterSpeicher::WertLesen(const QString& schluessel, const QString& vorgabe) const {
    if (schluessel.isEmpty()) return vorgabe;
    return Datei().LeseString(m_sektion, schluessel, vorgabe);
}

int TParameterSpeicher::ZahlLesen(const QString& schluessel, int vorgabe) const {
    if (schluessel.isEmpty()) return vorgabe;
    int zahl = vorgabe;
    return ZahlAusText(WertLesen(schluessel), zahl) ? zahl : vorgabe;
}

void TParameterSpeicher::WertSchreiben(const QString& schluessel, const QString& wert) {
    if (schluessel.isEmpty()) return;
    TProfilDatei d = Datei();
    if (!d.SchreibeString(m_sektion, schluessel, wert)) SchreibFehler();
}

bool TParameterSpeicher::SchluesselVorhanden(const QString& schluessel) const {
    return !schluessel.isEmpty() && Datei().Lesen().SchluesselVorhanden(m_sektion, schluessel);
}

bool TParameterSpeicher::BoolLesen(const QString& schluessel, bool vorgabe) const {
    return ZahlLesen(schluessel, vorgabe ? 1 : 0) != 0;
}

void TParameterSpeicher::BoolSchreiben(const QString& schluessel, bool wert) {
    WertSchreiben(schluessel, wert ? QStringLiteral("1") : QStringLiteral("0"));
}

void TParameterSpeicher::ZahlSchreiben(const QString& schluessel, int wert) {
    WertSchreiben(schluessel, QString::number(wert));
}

void TParameterSpeicher::SektionLoeschen() {
    TProfilDatei d = Datei();
    if (!d.SektionVorhanden(m_sektion)) return;
    if (!d.LoescheSektion(m_sektion)) SchreibFehler();
}

void TParameterSpeicher::SektionErsetzen(const QVector<std::pair<QString, QString>>& werte) {
    TProfilDatei d = Datei();
    if (werte.isEmpty() && !d.SektionVorhanden(m_sektion)) return; // nothing to erase or write
    QVector<std::pair<QString, QString>> mitNamen;
    for (const auto& w : werte)
        if (!w.first.isEmpty()) mitNamen.append(w);
    const bool ok = d.Aendern([&](TProfilDokument& doc) {
        // Erased, then written anew at the end in one pass (the keys are distinct).
        doc.LoescheSektion(m_sektion);
        doc.WeitereSektionenLoeschen(m_sektion);
        doc.SektionAnhaengen(m_sektion, mitNamen);
    });
    if (!ok) SchreibFehler();
}

TProfilDokument TParameterSpeicher::Dokument() const {
    return Datei().Lesen();
}

QRect PlatzAufBildschirmen(const QRect& platz, const QList<QRect>& bildschirme) {
    if (bildschirme.isEmpty()) return platz;
    // Enough to grab the title bar and move it: 100 x 30 pixels of its top.
    const QRect titel(platz.topLeft(), QSize(qMin(platz.width(), 100), 30));
    for (const QRect& b : bildschirme) {
        const QRect sichtbar = b & titel;
        if (sichtbar.width() >= qMin(platz.width(), 100) && sichtbar.height() >= 30) return platz;
    }
    const QRect& erster = bildschirme.first();
    QRect neu(platz.topLeft(), platz.size().boundedTo(erster.size()));
    neu.moveLeft(qBound(erster.left(), neu.left(), erster.right() + 1 - neu.width()));
    neu.moveTop(qBound(erster.top(), neu.top(), erster.bottom() + 1 - neu.height()));
    return neu;
}
