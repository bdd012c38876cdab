#include "display/zpt_VideoStandbild.h"

#include "display/zpt_VideoSpieler.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVideoFrame>

namespace {
constexpr int kWartenMs = 5000;
constexpr qint64 kStandbildZeit = 1000;
} // namespace

QString StandbildDatei(const QString& pfad) {
    const QFileInfo f(pfad);
    if (!f.isFile()) return {};
    // The time of the inode's change too: a video copied over another with its size and
    // time kept (a sync program, "cp -p") is still another file.
    const QString merkmal = f.absoluteFilePath() + u'\n' + QString::number(f.size()) + u'\n' +
                            QString::number(f.lastModified().toMSecsSinceEpoch()) + u'\n' +
                            QString::number(f.metadataChangeTime().toMSecsSinceEpoch());
    const QByteArray hash = QCryptographicHash::hash(merkmal.toUtf8(), QCryptographicHash::Sha1).toHex();
    // Beside the search's cache, readable by the user alone: stills show what the videos show.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Pixolud/standbilder/") + QString::fromLatin1(hash) + QStringLiteral(".jpg");
}

TStandbilder::TStandbilder(QObject* parent) : QObject(parent) {
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("Standbilder"));
    m_arbeiter = new QObject;
    m_arbeiter->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_arbeiter, &QObject::deleteLater);
    m_thread->start(QThread::LowPriority);
}

TStandbilder::~TStandbilder() {
    {
        QMutexLocker sperre(&m_mutex);
        m_warteschlange.clear();
    }
    // quit() also ends a bounded wait inside Machen.
    m_thread->quit();
    m_thread->wait();
}

void TStandbilder::Anfordern(const QStringList& pfade) {
    QMutexLocker sperre(&m_mutex);
    const bool lief = !m_warteschlange.isEmpty();
    m_warteschlange = pfade;
    if (!lief && !pfade.isEmpty())
        QMetaObject::invokeMethod(
            m_arbeiter, [this] { Weiter(); }, Qt::QueuedConnection);
}

void TStandbilder::Weiter() {
    QString pfad;
    {
        QMutexLocker sperre(&m_mutex);
        if (m_warteschlange.isEmpty()) return;
        pfad = m_warteschlange.first();
    }
    const QImage bild = Machen(pfad);
    emit fertig(pfad, bild);
    QMutexLocker sperre(&m_mutex);
    // Removed only now, so that a call meanwhile sees the worker busy and does not start a second run.
    if (!m_warteschlange.isEmpty() && m_warteschlange.first() == pfad) m_warteschlange.removeFirst();
    if (!m_warteschlange.isEmpty())
        QMetaObject::invokeMethod(
            m_arbeiter, [this] { Weiter(); }, Qt::QueuedConnection);
}

QImage TStandbilder::Machen(const QString& pfad) {
    const QString datei = StandbildDatei(pfad);
    if (datei.isEmpty() || m_unlesbar.contains(datei)) return {};
    QImageReader leser(datei);
    QImage bild = leser.read();
    if (!bild.isNull()) return bild;

    TVideoSpieler spieler(nullptr, false);
    if (!spieler.Oeffnen(pfad, kWartenMs)) {
        m_unlesbar.insert(datei);
        return {};
    }
    const qint64 dauer = spieler.Dauer();
    spieler.setPosition(dauer > 0 ? qMin(kStandbildZeit, dauer / 2) : kStandbildZeit);
    spieler.Abspielen();
    if (spieler.BildNummer() == 0) {
        QEventLoop schleife;
        QTimer::singleShot(kWartenMs, &schleife, &QEventLoop::quit);
        connect(&spieler, &TVideoSpieler::bildNeu, &schleife, &QEventLoop::quit);
        connect(&spieler, &TVideoSpieler::beendet, &schleife, &QEventLoop::quit);
        connect(&spieler, &TVideoSpieler::fehlgeschlagen, &schleife, &QEventLoop::quit);
        schleife.exec();
    }
    bild = VerkleinertesBild(spieler.Frame(), kStandbildBreite);
    spieler.Schliessen();
    if (bild.isNull()) {
        m_unlesbar.insert(datei);
        return {};
    }
    bild = bild.convertToFormat(QImage::Format_RGB32);
    ++m_erzeugt;
    // A cache that cannot be written costs the next start the same decoding, nothing else.
    const QString ordner = QFileInfo(datei).path();
    if (QDir().mkpath(ordner)) {
        for (const QString& o : {QFileInfo(ordner).path(), ordner})
            QFile::setPermissions(o, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSaveFile aus(datei);
        if (aus.open(QIODevice::WriteOnly) && bild.save(&aus, "JPEG", 85) &&
            aus.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
            aus.commit();
    }
    return bild;
}
