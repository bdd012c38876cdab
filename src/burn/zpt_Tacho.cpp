#include "burn/zpt_Tacho.h"

#include "burn/zpt_TachoText.h"
#include "sys/zpt_Meldungen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
// The user cannot close it; the only way out is the abort button.
class TachoDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void closeEvent(QCloseEvent* e) override { e->ignore(); }
    void reject() override {}
};

// The one progress window of the program.
struct Gemeinsam {
    QPointer<QDialog> fenster;
    QLabel* zeile1 = nullptr;
    QLabel* zeile2 = nullptr;
    QProgressBar* balken = nullptr;
    QPushButton* abbruch = nullptr;
    TzptTacho* erbauer = nullptr;
    QPointer<QWidget> vorher;
    int tiefe = -1;
};

Gemeinsam& g() {
    static Gemeinsam gemeinsam;
    return gemeinsam;
}

QLabel* Zeile(QWidget* eltern, int y, const QColor& farbe, const QString& text) {
    auto* l = new QLabel(text, eltern);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, farbe);
    l->setPalette(p);
    l->setAlignment(Qt::AlignCenter);
    // 13 pixels high as designed, taller where the screen font needs it.
    l->setGeometry(14, y, 337, qMax(13, l->fontMetrics().height()));
    return l;
}
} // namespace

TzptTacho::TzptTacho(QObject* besitzer) : QObject(besitzer) {
    Jetzt = [] { return QDateTime::currentMSecsSinceEpoch(); };
}

TzptTacho::~TzptTacho() {
    if (m_aktiv) setActive(false);
}

QDialog* TzptTacho::Fenster() {
    return g().fenster.data();
}

int TzptTacho::Verschachtelung() {
    return g().tiefe;
}

void TzptTacho::setCaption(const QString& text) {
    m_caption = text;
    if (!m_aktiv || g().erbauer != this || !g().zeile1) return;
    g().zeile1->setText(text);
    QCoreApplication::processEvents();
}

void TzptTacho::setOptions(int optionen) {
    if (!m_aktiv) m_optionen = optionen;
}

void TzptTacho::setInterval(int ms) {
    m_intervall = ms;
    if (m_aktiv && g().fenster)
        if (auto* uhr = g().fenster->findChild<QTimer*>()) uhr->setInterval(ms);
}

void TzptTacho::setMax(int max) {
    m_max = max;
    if (m_aktiv && g().erbauer == this && g().balken) g().balken->setMaximum(qMax(0, max));
}

void TzptTacho::setPosition(int position) {
    m_position = position;
    if (m_aktiv && g().erbauer == this && g().balken)
        g().balken->setValue(qBound(0, position, g().balken->maximum()));
}

void TzptTacho::setFormCaption(const QString& titel) {
    m_formCaption = titel;
    // A nested progress keeps the shared window's title.
    if (g().fenster && g().erbauer == this && g().tiefe <= 0) g().fenster->setWindowTitle(titel);
}

void TzptTacho::Start(const QString& formCaption, int max) {
    setFormCaption(formCaption);
    setOptions(doCancel | doLabel | doModal | doSmooth | doZeit);
    setPosition(0);
    setMax(max);
    if (!m_aktiv) setActive(true);
}

void TzptTacho::setActive(bool an) {
    if (an == m_aktiv) return;
    if (an) {
        m_aktiv = true;
        m_abgebrochen = false;
        m_start = Jetzt();
        if (g().tiefe < 0) {
            FensterBauen();
            g().tiefe = 0;
        } else {
            ++g().tiefe;
        }
        QCoreApplication::processEvents();
        return;
    }
    m_aktiv = false;
    if (g().tiefe == 0) FensterEntfernen();
    --g().tiefe;
}

void TzptTacho::FensterBauen() {
    Gemeinsam& w = g();
    auto* besitzer = qobject_cast<QWidget*>(parent());
    auto* f = new TachoDialog(besitzer ? besitzer->window() : nullptr,
                              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    f->setObjectName(QStringLiteral("Tacho"));
    f->setWindowTitle(m_formCaption);
    auto* panel = new QFrame(f);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    int y = 14;
    w.zeile1 = w.zeile2 = nullptr;
    w.abbruch = nullptr;
    if (m_optionen & doLabel) {
        w.zeile1 = Zeile(panel, y, Qt::blue, m_caption);
        y += w.zeile1->height() + 5;
    }
    if (m_optionen & doZeit) {
        w.zeile2 = Zeile(panel, y, QColor(0x80, 0, 0), QStringLiteral("Vorbereitung ..."));
        y += w.zeile2->height() + 5;
    }
    w.balken = new QProgressBar(panel);
    w.balken->setGeometry(14, y, 337, 15);
    w.balken->setRange(0, qMax(0, m_max));
    w.balken->setValue(qBound(0, m_position, qMax(0, m_max)));
    w.balken->setTextVisible(!(m_optionen & doSmooth));
    w.balken->setFocusPolicy(Qt::NoFocus);
    y += 15 + 5;
    if (m_optionen & doCancel) {
        w.abbruch = new QPushButton(QStringLiteral("Abbruch"), panel);
        w.abbruch->setGeometry(145, y + 5, 75, 25);
        connect(w.abbruch, &QPushButton::clicked, this, &TzptTacho::AbbruchFragen);
        y += 5 + 25 + 5;
    }
    if (m_optionen & doAutomatic) {
        auto* uhr = new QTimer(f);
        uhr->setInterval(m_intervall);
        connect(uhr, &QTimer::timeout, f,
                [b = w.balken] { b->setValue(b->value() >= b->maximum() ? b->minimum() : b->value() + 1); });
        uhr->start();
    }
    f->setFixedSize(364, y + 9);
    panel->setGeometry(0, 0, 364, y + 9);
    // Centred on its owner, or on the screen.
    const QRect um =
        besitzer
            ? besitzer->window()->frameGeometry()
            : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect());
    f->move(um.center() - QPoint(f->width() / 2, f->height() / 2));
    if (m_optionen & doModal) {
        // The program's other windows take no input while it shows (not by disabling
        // them: that would disable this window with its owner).
        w.vorher = QApplication::activeWindow();
        f->setWindowModality(Qt::ApplicationModal);
    }
    w.fenster = f;
    w.erbauer = this;
    f->show();
}

void TzptTacho::FensterEntfernen() {
    Gemeinsam& w = g();
    if (w.fenster) w.fenster->hide();
    if (w.vorher) w.vorher->activateWindow();
    delete w.fenster.data();
    w.zeile1 = w.zeile2 = nullptr;
    w.balken = nullptr;
    w.abbruch = nullptr;
    w.erbauer = nullptr;
}

void TzptTacho::StepBy(int n) {
    Gemeinsam& w = g();
    if (!m_aktiv || w.tiefe != 0) return; // nested progresses leave the window alone
    setPosition(m_position + n);
    if ((m_optionen & doLabel) && w.zeile1) w.zeile1->setText(TachoZeile(m_position, m_max));
    if ((m_optionen & doZeit) && w.zeile2) {
        const qint64 jetzt = Jetzt();
        if (jetzt - m_letzteAnzeige > 1000) {
            m_letzteAnzeige = jetzt;
            w.zeile2->setText(RestzeitZeile(jetzt - m_start, m_position, m_max));
        }
    }
    QCoreApplication::processEvents(); // here a click on "Abbruch" is handled
}

void TzptTacho::AbbruchFragen() {
    if (MeldungsDialog(QStringLiteral("Soll die Verarbeitung wirklich abgebrochen werden ?"),
                       MeldungsArt::Bestaetigung, mbJa | mbNein, mrYes) != mrYes)
        return;
    m_abgebrochen = true;
    if (g().abbruch && g().erbauer == this) g().abbruch->setEnabled(false);
}

void TzptTacho::Stop(bool melden) {
    const qint64 vergangen = Jetzt() - m_start;
    if (melden) {
        if (!g().fenster || !g().fenster->isVisible()) Piep();
        InfoAnzeigen(TachoSchluss(m_formCaption, vergangen, m_abgebrochen));
    }
    setActive(false);
}
