#pragma once
// A date field with a drop-down calendar, in the program's date format "dd.MM.yyyy".
#include <QDateEdit>

class TzptDatumEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TzptDatumEdit(QWidget* parent = nullptr);
    // The date as text in the program's format, and back (an invalid text changes nothing).
    QString Text() const;
    void setText(const QString& text);
};
