#pragma once
// Placement of a row of buttons: left, right or centred, hidden buttons take no room.
#include <QVector>

enum class ButtonAusrichtung { Links, Rechts, Mitte };

// Left edges of the visible buttons of the given widths on a row `breite` wide.
QVector<int> ButtonReiheLayout(ButtonAusrichtung ausrichtung, int breite, const QVector<int>& breiten);

inline constexpr int kButtonReiheOben = 3;
inline constexpr int kButtonReiheHoehe = 28;
