#pragma once
// Edits the caption of one picture, line by line.
#include "widgets/alb_FormF2.h"

class QPlainTextEdit;

class Tam_Text : public Tak_FormF2 {
    Q_OBJECT
public:
    explicit Tam_Text(QWidget* parent = nullptr);
    QPlainTextEdit* re;
    // Reads the picture's caption, shows it and writes it back when confirmed.
    // False when cancelled or when the caption could not be written (with a message).
    bool Ausfuehren(const QString& bildPfad);
    QStringList Zeilen() const;

protected:
    void showEvent(QShowEvent* e) override;
};
