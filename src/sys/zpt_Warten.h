#pragma once
// Wait indication around longer work: hourglass cursor and a hint text. Nests.
#include <QObject>
#include <QString>

class WarteAnzeige : public QObject {
    Q_OBJECT
public:
    static WarteAnzeige& instanz();
    QString hinweis() const { return m_hinweis; }
    int tiefe() const { return m_tiefe; }

    void anfang(const QString& text);
    void ende();

signals:
    void hinweisGeaendert(const QString& text);

private:
    void hinweisSetzen(const QString& text);
    QString m_hinweis;
    int m_tiefe = 0;
    bool m_cursorGesetzt = false;
};

void WarteAnfang(const QString& text = {});
void WarteEnde();

// Brackets a block with WarteAnfang/WarteEnde, also when it throws.
class WarteBlock {
public:
    explicit WarteBlock(const QString& text = {}) { WarteAnfang(text); }
    ~WarteBlock() { WarteEnde(); }
    WarteBlock(const WarteBlock&) = delete;
    WarteBlock& operator=(const WarteBlock&) = delete;
};
