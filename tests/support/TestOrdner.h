#pragma once
// Temporary folders and files for tests, and a per-test settings location.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.toStdString() << '"';
}

class TestOrdner {
public:
    TestOrdner();
    // Path inside the folder, with the native separator.
    QString pfad(const QString& name = {}) const;
    // Writes the bytes exactly; creates missing folders.
    QString datei(const QString& name, const QByteArray& inhalt) const;
    QString ordner(const QString& name) const;
    // A file that exists but whose reading fails with an I/O error (also for root,
    // whom no permission bit stops): a link to the process's own memory file.
    QString unlesbar(const QString& name) const;
    static QByteArray lesen(const QString& pfad);

private:
    QTemporaryDir m_dir;
};

// Points the user's configuration folder (XDG_CONFIG_HOME) at a fresh folder and
// forgets the default settings file for the time of a test.
class TestKonfiguration {
public:
    TestKonfiguration();
    ~TestKonfiguration();
    QString pfad(const QString& name = {}) const { return m_ordner.pfad(name); }

private:
    TestOrdner m_ordner;
    QByteArray m_vorher;
};

// A file system of a few KiB (tmpfs) mounted in a temporary folder for the time of a
// test, to fill it; not there where mounting is not allowed.
class KleinesDateisystem {
public:
    explicit KleinesDateisystem(int kib);
    ~KleinesDateisystem();
    bool da() const { return m_da; }
    QString pfad(const QString& name = {}) const { return m_ordner.pfad(name); }
    // Fills it up with a file until `frei` bytes are left.
    void fuellen(qint64 frei) const;

private:
    TestOrdner m_ordner;
    bool m_da = false;
};
