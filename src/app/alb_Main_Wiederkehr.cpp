// Tam_Main: an album that could not be read at all (its network drive gone) is looked at
// again every second, off the GUI thread, since a look may hang as long as the drive does;
// when its year can be read again, the year is shown again, at the day and picture the
// user had.
#include "app/alb_Main.h"

#include "display/zpt_FotoPanel.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <thread>

namespace {
constexpr int kWiederkehrMs = 1000;
}

void Tam_Main::WiederkehrAbwarten(bool albumFort, const QString& tagVorher, const QString& bildVorher) {
    if (!albumFort) {
        // The album could be read: a later loss is told again.
        m_albumFortGemeldet = false;
        if (m_wiederkehr) m_wiederkehr->stop();
        return;
    }
    if (!m_wiederkehr) {
        m_wiederkehr = new QTimer(this);
        m_wiederkehr->setInterval(kWiederkehrMs);
        connect(m_wiederkehr, &QTimer::timeout, this, &Tam_Main::WiederkehrPruefen);
    }
    if (m_wiederkehr->isActive()) return; // still gone: the first day and picture stay the aim
    m_tagVorAusfall = tagVorher;
    m_bildVorAusfall = bildVorher;
    m_wiederkehr->start();
}

void Tam_Main::WiederkehrPruefen() {
    if (m_wiederkehrPruefung || cb_Jahr->KeyIndex() < 0) return;
    m_wiederkehrPruefung = true;
    const QString jahrOrdner = AddBackslash(AddBackslash(Grundpfad) + cb_Jahr->ListenKey());
    QPointer<Tam_Main> fenster(this);
    // Not joined: a look at a hanging drive may outlast the window; it reports to nobody then.
    std::thread([fenster, jahrOrdner] {
        const bool lesbar = VerzeichnisExistiert(jahrOrdner) && QFileInfo(jahrOrdner).isReadable();
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app,
                [fenster, jahrOrdner, lesbar] {
                    if (fenster) fenster->WiederkehrGeprueft(jahrOrdner, lesbar);
                },
                Qt::QueuedConnection);
    }).detach();
}

void Tam_Main::WiederkehrGeprueft(const QString& jahrOrdner, bool lesbar) {
    m_wiederkehrPruefung = false;
    if (!lesbar || !m_wiederkehr->isActive() || cb_Jahr->KeyIndex() < 0 ||
        jahrOrdner != AddBackslash(AddBackslash(Grundpfad) + cb_Jahr->ListenKey()))
        return;
    const QString tag = m_tagVorAusfall, bild = m_bildVorAusfall;
    TageLesen();
    if (cb_Tage->KeyList().isEmpty()) return;
    cb_Tage->setKey(cb_Tage->KeyList().contains(tag, Qt::CaseInsensitive) ? tag : cb_Tage->KeyList().first());
    TagAnzeigen([this, bild] {
        const int stelle = foto->Files().indexOf(QFileInfo(bild).fileName());
        if (stelle >= 0)
            foto->SetPosition(stelle);
        else
            foto->First();
    });
    FotoFokus();
}
