#include "display/alb_10Bilder.h"

#include "display/zpt_grafik.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_sys.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

int ZehnBilderAnzahl(int anzahl, int start) {
    if (start < 0 || start >= anzahl) return 0;
    return qMin(10, anzahl - start);
}

Tam_10Bilder::Tam_10Bilder(QWidget* parent) : Tak_Form(parent) {
    setObjectName(QStringLiteral("Tam_10Bilder"));
    resize(width(), 446);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(0);
    pb = new QWidget(this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->installEventFilter(this);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    auto* unten = new QHBoxLayout(Panel1);
    TrackBar1 = new QSlider(Qt::Horizontal, Panel1);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 20);
    TrackBar1->setValue(10);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    unten->addWidget(TrackBar1);
    spalte->addWidget(pb, 1);
    spalte->addWidget(Panel1);
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    connect(Timer, &QTimer::timeout, this, &Tam_10Bilder::TimerTimer);
    connect(TrackBar1, &QSlider::valueChanged, this, &Tam_10Bilder::TrackBar1Change);
}

void Tam_10Bilder::Zeigen(const QString& ordner, const QStringList& dateien, int start) {
    // All pictures are decoded before the window appears, each only as far as a screen
    // shows it (one picture pixel per screen pixel, from the top-left corner).
    Anzahl = ZehnBilderAnzahl(int(dateien.size()), start);
    m_bilder.clear();
    Geladen.clear();
    const QScreen* bildschirm = screen();
    const QSize sichtbar = bildschirm ? (QSizeF(bildschirm->size()) * bildschirm->devicePixelRatio()).toSize()
                                      : QSize(4096, 4096);
    for (int i = 0; i < Anzahl; ++i) {
        DekodiertesBild bild;
        const QString datei = AddBackslash(ordner) + dateien[start + i];
        m_bilder << (BildTeilLaden(datei, sichtbar, bild) ? bild.bild : QImage());
        Geladen << datei;
    }
    Aktuell = 0;
    m_gezeigt = -1;
    setWindowTitle(QStringLiteral("0/%1").arg(Anzahl));
    TrackBar1Change();
    // Maximised; without a window manager that means nothing, so fill the screen as well.
    if (QScreen* bildschirm = screen()) setGeometry(bildschirm->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    interaktion().ModalZeigen(*this);
    Timer->stop();
    // Ten screenfuls of pixels are not kept once the window is closed.
    m_bilder.clear();
    m_gezeigt = -1;
}

void Tam_10Bilder::TrackBar1Change() {
    // 0 stops the animation.
    Timer->setInterval(TrackBar1->value() * 10);
    if (Timer->interval() == 0)
        Timer->stop();
    else
        Timer->start();
}

void Tam_10Bilder::TimerTimer() {
    if (Anzahl == 0) return; // no current picture: nothing to show
    setWindowTitle(QStringLiteral("%1/%2").arg(Aktuell).arg(Anzahl));
    m_gezeigt = Aktuell;
    pb->update();
    Aktuell = Aktuell + 1 >= Anzahl ? 0 : Aktuell + 1;
}

bool Tam_10Bilder::eventFilter(QObject* o, QEvent* e) {
    if (o == pb && e->type() == QEvent::Paint && m_gezeigt >= 0 && m_gezeigt < m_bilder.size()) {
        // 1:1 from the top-left corner: one picture pixel per screen pixel, cut where larger.
        QImage bild = m_bilder[m_gezeigt];
        bild.setDevicePixelRatio(pb->devicePixelRatioF());
        QPainter p(pb);
        p.drawImage(QPoint(0, 0), bild);
        return true;
    }
    return Tak_Form::eventFilter(o, e);
}

Tam_10Bilder& ZehnBilderFenster() {
    static QPointer<Tam_10Bilder> fenster;
    if (!fenster) fenster = new Tam_10Bilder(qobject_cast<QWidget*>(Hauptfenster()));
    return *fenster;
}
