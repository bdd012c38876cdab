#include "widgets/zpt_ButtonReihe.h"

QVector<int> ButtonReiheLayout(ButtonAusrichtung ausrichtung, int breite, const QVector<int>& breiten) {
    QVector<int> links;
    const int n = int(breiten.size());
    if (n == 0) return links;
    int rest = breite;
    for (int b : breiten)
        rest -= b;
    int x = 0, abstand = 5;
    switch (ausrichtung) {
    case ButtonAusrichtung::Links:
        break;
    case ButtonAusrichtung::Rechts:
        x = rest - 5 * (n + 1);
        break;
    case ButtonAusrichtung::Mitte:
        abstand = rest / (n + 1);
        break;
    }
    for (int b : breiten) {
        x += abstand;
        links << x;
        x += b;
    }
    return links;
}
