#include "settings/zpt_Parameter.h"

#include "settings/zpt_Markiert.h"

#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "sys/zpt_sysWidgets.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QWidget>

bool FesteFenstergroesse(int& breite, int& hoehe) {
    if (SchalterVorhanden(QStringLiteral("/8X6")) || SchalterVorhanden(QStringLiteral("8X6"))) {
        breite = 800;
        hoehe = 600;
        return true;
    }
    if (SchalterVorhanden(QStringLiteral("/10X7")) || SchalterVorhanden(QStringLiteral("10X7"))) {
        breite = 1024;
        hoehe = 768;
        return true;
    }
    return false;
}

TzptParameter::TzptParameter(QWidget* besitzer) : QObject(besitzer), m_besitzer(besitzer) {
    setObjectName(QStringLiteral("PAR"));
}

TParameterSpeicher TzptParameter::Speicher() const {
    TParameterSpeicher s(m_besitzer ? QString::fromLatin1(m_besitzer->metaObject()->className())
                                    : QStringLiteral("Standard"));
    s.setDateiName(DateiName);
    return s;
}

QString TzptParameter::WertLesen(const QString& schluessel, const QString& vorgabe) const {
    return Speicher().WertLesen(schluessel, vorgabe);
}

int TzptParameter::ZahlLesen(const QString& schluessel, int vorgabe) const {
    return Speicher().ZahlLesen(schluessel, vorgabe);
}

void TzptParameter::WertSchreiben(const QString& schluessel, const QString& wert) {
    TParameterSpeicher s = Speicher();
    s.WertSchreiben(schluessel, wert);
}

QString TzptParameter::EinstellungsDateiName() const {
    return Speicher().EinstellungsDateiName();
}

void TzptParameter::Laden() {
    if (!m_besitzer) return;
    if (!DateiName.trimmed().isEmpty() && !QFileInfo::exists(DateiName.trimmed())) return;
    if (OnBeforeLaden) OnBeforeLaden(this);
    TParameterSpeicher s = Speicher();
    if (FormPosSizeSave) PlatzLaden(s);
    // One read of the file for all marked controls.
    const TProfilDokument doc = s.Dokument();
    const QString sektion = s.Sektion();
    MarkierteLaden(m_besitzer, TagInclusive, TagExclusive,
                   [&](const QString& schluessel, const QString& vorgabe) {
                       return doc.LeseString(sektion, schluessel, vorgabe);
                   });
    if (OnLaden) OnLaden(this);
    if (OnAfterLaden) OnAfterLaden(this);
}

void TzptParameter::Speichern() {
    if (!m_besitzer) return;
    if (OnBeforeSpeichern) OnBeforeSpeichern(this);
    TParameterSpeicher s = Speicher();
    // The section is written anew in one go: placement, then the marked controls.
    QVector<std::pair<QString, QString>> werte;
    QHash<QString, qsizetype> stelle;
    const WertSchreiber schreiben = [&](const QString& schluessel, const QString& wert) {
        const QString k = schluessel.toLower();
        if (stelle.contains(k)) {
            werte[stelle.value(k)].second = wert; // a later kind's value replaces the earlier one
            return;
        }
        stelle.insert(k, werte.size());
        werte.append({schluessel, wert});
    };
    if (FormPosSizeSave) PlatzSpeichern(schreiben);
    MarkierteSpeichern(m_besitzer, TagInclusive, TagExclusive, schreiben);
    s.SektionErsetzen(werte);
    if (OnSpeichern) OnSpeichern(this);
    if (OnAfterSpeichern) OnAfterSpeichern(this);
}

void TzptParameter::PlatzSpeichern(const WertSchreiber& schreiben) {
    // The 800x600 test size of the main window is never stored.
    if (m_besitzer == Hauptfenster() &&
        (SchalterVorhanden(QStringLiteral("/8X6")) || SchalterVorhanden(QStringLiteral("8X6"))))
        return;
    auto janein = [](bool an) { return an ? QStringLiteral("1") : QStringLiteral("0"); };
    const bool maximiert = m_besitzer->isMaximized();
    schreiben(QStringLiteral("__MAXIMIZED"), janein(maximiert));
    // Qt windows are never docked to a screen edge.
    schreiben(QStringLiteral("__ALIGNLEFT"), janein(false));
    schreiben(QStringLiteral("__ALIGNRIGHT"), janein(false));
    if (maximiert) return;
    const QRect g = m_besitzer->geometry();
    schreiben(QStringLiteral("__TOP"), QString::number(g.top()));
    schreiben(QStringLiteral("__LEFT"), QString::number(g.left()));
    schreiben(QStringLiteral("__WIDTH"), QString::number(g.width()));
    schreiben(QStringLiteral("__HEIGHT"), QString::number(g.height()));
}

void TzptParameter::PlatzLaden(TParameterSpeicher& s) {
    int b = 0, h = 0;
    if (FesteFenstergroesse(b, h) && (m_besitzer == Hauptfenster() || !Hauptfenster())) {
        m_besitzer->setWindowState(Qt::WindowNoState);
        m_besitzer->resize(b, h);
        Zentrieren(m_besitzer);
        return;
    }
    const bool maximiert = s.BoolLesen(QStringLiteral("__MAXIMIZED"), m_besitzer->isMaximized());
    // A window with a stored place is not centred again when it is shown.
    if (maximiert || !s.WertLesen(QStringLiteral("__LEFT")).isEmpty() ||
        !s.WertLesen(QStringLiteral("__TOP")).isEmpty())
        m_besitzer->setProperty(kPlatzGeladen, true);
    const QRect g = m_besitzer->geometry();
    const QRect gespeichert(s.ZahlLesen(QStringLiteral("__LEFT"), g.left()),
                            s.ZahlLesen(QStringLiteral("__TOP"), g.top()),
                            s.ZahlLesen(QStringLiteral("__WIDTH"), g.width()),
                            s.ZahlLesen(QStringLiteral("__HEIGHT"), g.height()));
    QList<QRect> bildschirme;
    if (QGuiApplication::primaryScreen())
        bildschirme << QGuiApplication::primaryScreen()->availableGeometry();
    for (const QScreen* b : QGuiApplication::screens())
        if (b != QGuiApplication::primaryScreen()) bildschirme << b->availableGeometry();
    m_besitzer->setGeometry(PlatzAufBildschirmen(gespeichert, bildschirme));
    if (maximiert) m_besitzer->setWindowState(m_besitzer->windowState() | Qt::WindowMaximized);
}
