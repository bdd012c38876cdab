#pragma once
// A button whose own font is the chosen font; a click opens the font dialog.
#include <QPushButton>
#include <functional>

class TzptFontButton : public QPushButton {
    Q_OBJECT
public:
    explicit TzptFontButton(QWidget* parent = nullptr);
    // The font's colour, kept with it in the settings.
    QColor Schriftfarbe = Qt::black;
    std::function<void(QObject*)> OnFontChanged;
    void DialogAusfuehren();
};
