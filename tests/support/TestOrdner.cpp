#include "support/TestOrdner.h"

#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Schalter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>

TestOrdner::TestOrdner() {
    m_dir.setAutoRemove(true);
}

QString TestOrdner::pfad(const QString& name) const {
    return QDir::toNativeSeparators(name.isEmpty() ? m_dir.path() : m_dir.filePath(name));
}

QString TestOrdner::datei(const QString& name, const QByteArray& inhalt) const {
    const QString p = pfad(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly)) f.write(inhalt);
    return p;
}

QString TestOrdner::ordner(const QString& name) const {
    const QString p = pfad(name);
    QDir().mkpath(p);
    return p;
}

QString TestOrdner::unlesbar(const QString& name) const {
    const QString p = pfad(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile::link(QStringLiteral("/proc/self/mem"), p);
    return p;
}

QByteArray TestOrdner::lesen(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TestKonfiguration::TestKonfiguration() {
    m_vorher = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_ordner.pfad().toLocal8Bit());
    // The documents folder too (burn lists lie there), not the real one of the user.
    QFile dirs(m_ordner.pfad(QStringLiteral("user-dirs.dirs")));
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write("XDG_DOCUMENTS_DIR=\"" + m_ordner.pfad(QStringLiteral("Dokumente")).toLocal8Bit() +
                   "\"\n");
    StandardIniZuruecksetzen();
    StandardIniOrtSetzen(IniOrt::ProBenutzer);
    ProgrammArgumenteSetzen({});
}

TestKonfiguration::~TestKonfiguration() {
    qputenv("XDG_CONFIG_HOME", m_vorher);
    StandardIniZuruecksetzen();
    ProgrammArgumenteSetzen({});
}

KleinesDateisystem::KleinesDateisystem(int kib) {
    QProcess p;
    p.start(QStringLiteral("mount"),
            {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
             QStringLiteral("size=%1k").arg(kib), QStringLiteral("tmpfs"), m_ordner.pfad()});
    m_da = p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

KleinesDateisystem::~KleinesDateisystem() {
    if (m_da) QProcess::execute(QStringLiteral("umount"), {m_ordner.pfad()});
}

void KleinesDateisystem::fuellen(qint64 frei) const {
    QFile f(pfad(QStringLiteral("fueller")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(1024, 'f');
    while (QStorageInfo(pfad()).bytesAvailable() > frei && f.write(block) == block.size()) {
    }
}
