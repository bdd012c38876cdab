#include "display/zpt_VideoSpieler.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

void VideoBackendWaehlen() {
    // The GStreamer back end depends on which plugins the system has; FFmpeg's decodes
    // the phones' H.264 and HEVC alike.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

QString VideoFehlerText(const QString& pfad, const QString& grund) {
    QString text = QStringLiteral("Das Video\r") + pfad + QStringLiteral("\rkann nicht abgespielt werden");
    if (!grund.isEmpty()) text += QStringLiteral(" (") + grund + u')';
    return text + u'.';
}

QImage VerkleinertesBild(const QVideoFrame& frame, int breite) {
    QVideoFrame f(frame);
    const auto format = f.pixelFormat();
    const bool planar = format == QVideoFrameFormat::Format_YUV420P,
               nv12 = format == QVideoFrameFormat::Format_NV12;
    if (f.width() <= 0 || f.height() <= 0 || breite <= 0) return {};
    if ((!planar && !nv12) || !f.map(QVideoFrame::ReadOnly)) {
        const QImage ganz = f.toImage();
        return ganz.isNull() ? ganz : ganz.scaledToWidth(breite, Qt::SmoothTransformation);
    }
    const int w = f.width(), h = f.height();
    const int hoehe = qMax(1, int(qint64(h) * breite / w));
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    const uchar* yEbene = f.bits(0);
    const int yZeile = f.bytesPerLine(0);
    const uchar* uEbene = f.bits(1);
    const int uZeile = f.bytesPerLine(1);
    const uchar* vEbene = planar ? f.bits(2) : f.bits(1) + 1;
    const int vZeile = planar ? f.bytesPerLine(2) : uZeile;
    const int schritt = planar ? 1 : 2; // NV12 interleaves U and V
    const bool bt709 = f.surfaceFormat().colorSpace() == QVideoFrameFormat::ColorSpace_BT709;
    const double rv = bt709 ? 1.793 : 1.596, gu = bt709 ? 0.213 : 0.392, gv = bt709 ? 0.533 : 0.813,
                 bu = bt709 ? 2.112 : 2.017;
    for (int zy = 0; zy < hoehe; ++zy) {
        auto* ziel = reinterpret_cast<QRgb*>(bild.scanLine(zy));
        const int y0 = int(qint64(zy) * h / hoehe), y1 = qMax(y0 + 1, int(qint64(zy + 1) * h / hoehe));
        for (int zx = 0; zx < breite; ++zx) {
            const int x0 = int(qint64(zx) * w / breite), x1 = qMax(x0 + 1, int(qint64(zx + 1) * w / breite));
            // Four by four samples of the block average away the finest detail.
            int summe = 0;
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    summe += yEbene[(y0 + (y1 - y0) * i / 4) * yZeile + x0 + (x1 - x0) * j / 4];
            const int cx = (x0 + x1) / 4, cy = (y0 + y1) / 4;
            const double Y = 1.164 * (summe / 16.0 - 16), U = uEbene[cy * uZeile + cx * schritt] - 128.0,
                         V = vEbene[cy * vZeile + cx * schritt] - 128.0;
            auto kanal = [](double x) { return qBound(0, int(x + 0.5), 255); };
            ziel[zx] = qRgb(kanal(Y + rv * V), kanal(Y - gu * U - gv * V), kanal(Y + bu * U));
        }
    }
    f.unmap();
    return bild;
}

TVideoSpieler::TVideoSpieler(QObject* parent, bool mitTon) : QObject(parent), m_frame(new QVideoFrame) {
    m_player = new QMediaPlayer(this);
    // Without a sound device Qt 6.4's FFmpeg back end writes the sound to a device it
    // could not open and crashes: such a machine plays the picture alone.
    m_ton = mitTon && !QMediaDevices::defaultAudioOutput().isNull() ? new QAudioOutput(this) : nullptr;
    m_senke = new QVideoSink(this);
    if (m_ton) m_player->setAudioOutput(m_ton);
    m_player->setVideoSink(m_senke);
    connect(m_senke, &QVideoSink::videoFrameChanged, this, &TVideoSpieler::FrameAngekommen);
    connect(m_player, &QMediaPlayer::positionChanged, this, &TVideoSpieler::positionGeaendert);
    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &TVideoSpieler::zustandGeaendert);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia) emit beendet();
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error e, const QString& text) {
        if (e == QMediaPlayer::NoError || m_datei.isEmpty()) return;
        m_fehler = text;
        emit fehlgeschlagen();
    });
}

TVideoSpieler::~TVideoSpieler() {
    // Stopped before the sink goes, so the back end's threads deliver no more frames.
    m_player->stop();
    delete m_frame;
}

bool TVideoSpieler::Oeffnen(const QString& pfad, int wartenMs) {
    Schliessen();
    // Closed or opened anew while this one loads (the user moved on): given up, no message.
    const int oeffnung = m_oeffnung;
    auto abgebrochen = [this, oeffnung] { return m_oeffnung != oeffnung; };
    m_datei = pfad;
    m_fehler.clear();
    // A pipe or a device named like a video would block the back end's opening for good.
    if (!QFileInfo(pfad).isFile()) {
        m_fehler = QStringLiteral("keine Datei");
        return false;
    }
    m_player->setSource(QUrl::fromLocalFile(pfad));
    // Some back ends load while setSource returns, others later: wait, but not forever.
    auto geladen = [this] {
        const auto s = m_player->mediaStatus();
        return m_player->error() != QMediaPlayer::NoError || s == QMediaPlayer::InvalidMedia ||
               s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::BufferedMedia ||
               s == QMediaPlayer::BufferingMedia || s == QMediaPlayer::EndOfMedia;
    };
    if (!geladen()) {
        QEventLoop schleife;
        QTimer frist;
        frist.setSingleShot(true);
        connect(&frist, &QTimer::timeout, &schleife, &QEventLoop::quit);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, &schleife, [&] {
            if (geladen()) schleife.quit();
        });
        connect(m_player, &QMediaPlayer::errorOccurred, &schleife, &QEventLoop::quit);
        connect(this, &TVideoSpieler::geschlossen, &schleife, &QEventLoop::quit);
        frist.start(wartenMs);
        schleife.exec();
        if (abgebrochen()) {
            m_fehler.clear();
            return false;
        }
    }
    QString grund;
    if (m_player->error() != QMediaPlayer::NoError || m_player->mediaStatus() == QMediaPlayer::InvalidMedia)
        grund =
            m_player->errorString().isEmpty() ? QStringLiteral("ungültige Datei") : m_player->errorString();
    else if (!geladen())
        grund = QStringLiteral("keine Antwort");
    else if (!m_player->hasVideo())
        grund = QStringLiteral("kein Bild im Video");
    if (grund.isEmpty()) return true;
    m_fehler = grund;
    m_player->stop();
    m_player->setSource(QUrl());
    return false;
}

void TVideoSpieler::Schliessen() {
    ++m_oeffnung;
    emit geschlossen();
    m_player->stop();
    if (!m_player->source().isEmpty()) m_player->setSource(QUrl());
    m_datei.clear();
    *m_frame = QVideoFrame();
    m_bild = QImage();
    m_bildNummer = 0;
}

void TVideoSpieler::FrameAngekommen(const QVideoFrame& frame) {
    if (!frame.isValid()) return;
    // Converted only when painted: frames the screen never shows cost nothing.
    *m_frame = frame;
    m_bild = QImage();
    ++m_bildNummer;
    emit bildNeu();
}

QVideoFrame TVideoSpieler::Frame() const {
    return *m_frame;
}

const QImage& TVideoSpieler::Bild() const {
    if (m_bild.isNull() && m_frame->isValid()) m_bild = m_frame->toImage();
    return m_bild;
}

void TVideoSpieler::Abspielen() {
    if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia) m_player->setPosition(0);
    m_player->play();
}

void TVideoSpieler::Anhalten() {
    m_player->pause();
}

bool TVideoSpieler::Spielt() const {
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

void TVideoSpieler::Umschalten() {
    if (Spielt())
        Anhalten();
    else
        Abspielen();
}

void TVideoSpieler::setPosition(qint64 ms) {
    const qint64 dauer = Dauer();
    m_player->setPosition(qBound<qint64>(0, ms, dauer > 0 ? dauer : ms));
}

void TVideoSpieler::Springen(qint64 ms) {
    setPosition(Position() + ms);
}

qint64 TVideoSpieler::Position() const {
    return m_player->position();
}

qint64 TVideoSpieler::Dauer() const {
    return m_player->duration();
}

void TVideoSpieler::setStumm(bool an) {
    m_stumm = an;
    if (m_ton) m_ton->setMuted(an);
}
