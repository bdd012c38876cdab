#pragma once
// Edit fields with a browse button: one for a folder, one for a file name.
#include <QWidget>

class QLineEdit;
class QToolButton;

class TzptPfadEdit : public QWidget {
    Q_OBJECT
public:
    QString Text() const;
    void setText(const QString& text);
    QLineEdit* Edit() const { return m_edit; }
    QToolButton* Knopf() const { return m_knopf; }
    // Opens the browser; true when the user chose something.
    virtual bool Durchsuchen() = 0;

signals:
    void textChanged(const QString& text);

protected:
    explicit TzptPfadEdit(QWidget* parent);

private:
    QLineEdit* m_edit;
    QToolButton* m_knopf;
};

class TzptVerzeichnisEdit : public TzptPfadEdit {
    Q_OBJECT
public:
    explicit TzptVerzeichnisEdit(QWidget* parent = nullptr) : TzptPfadEdit(parent) {}
    bool Durchsuchen() override;
};

class TzptDateinameEdit : public TzptPfadEdit {
    Q_OBJECT
public:
    explicit TzptDateinameEdit(QWidget* parent = nullptr) : TzptPfadEdit(parent) {}
    // Filter of the file dialog, e.g. "Bilder (*.jpg)".
    QString Filter;
    QString Endung;
    bool Durchsuchen() override;
};
