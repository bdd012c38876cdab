#include "burn/vrkWizardNavigation.h"

bool TWizardNavigation::Sichtbar(int i) const {
    return i >= 0 && i < seiten.size() && (entwurf || seiten[i].runtimeVisible);
}

int TWizardNavigation::Vorherige() const {
    for (int i = aktiv - 1; i >= 0; --i)
        if (Sichtbar(i)) return i;
    return -1;
}

int TWizardNavigation::Naechste() const {
    for (int i = aktiv + 1; i < seiten.size(); ++i)
        if (Sichtbar(i)) return i;
    return -1;
}

int TWizardNavigation::ErsteSichtbare() const {
    for (int i = 0; i < seiten.size(); ++i)
        if (Sichtbar(i)) return i;
    return -1;
}

QString TWizardNavigation::StatusText() const {
    int position = 0, anzahl = 0;
    for (int i = 0; i < seiten.size(); ++i)
        if (Sichtbar(i)) {
            ++anzahl;
            if (i == aktiv) position = anzahl;
        }
    return QStringLiteral("Seite %1 von %2").arg(position).arg(anzahl);
}

bool TWizardNavigation::ZurueckAktiv() const {
    return Vorherige() >= 0 && (entwurf || (aktiv >= 0 && seiten[aktiv].enableBack));
}

bool TWizardNavigation::WeiterAktiv(bool lastTAction) const {
    return Naechste() >= 0 || lastTAction;
}

QString TWizardNavigation::WeiterCaption(const QString& caption, const QString& lastCaption) const {
    return Naechste() < 0 && !lastCaption.isEmpty() ? lastCaption : caption;
}
