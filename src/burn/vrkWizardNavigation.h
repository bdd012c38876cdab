#pragma once
// The rules of the wizard control without the screen: which pages take part, where
// back and next lead, what the buttons and the status line say.
#include <QString>
#include <QVector>

struct TWizardSeite {
    bool runtimeVisible = true;
    bool enableBack = true;
};

class TWizardNavigation {
public:
    QVector<TWizardSeite> seiten;
    int aktiv = -1;
    bool entwurf = false; // at design time every page counts

    bool Sichtbar(int i) const;
    // Nearest visible page before / after the active one; -1 when none.
    int Vorherige() const;
    int Naechste() const;
    int ErsteSichtbare() const;
    // "Seite %d von %d": the active page among the visible ones (0 when it is hidden).
    QString StatusText() const;
    bool ZurueckAktiv() const;
    bool WeiterAktiv(bool lastTAction) const;
    QString WeiterCaption(const QString& caption, const QString& lastCaption) const;
};
