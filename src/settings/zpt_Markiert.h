#pragma once
// The values of a window's marked controls: every component the window owns whose tag
// is selected keeps its value between runs, under the component's name, encoded by
// its kind (text, key, colour, font, check state, index, lines, ...).
#include <QString>
#include <functional>

class QObject;

// Our controls carry their tag in this property (an int), as the window library's
// components carry theirs.
inline constexpr const char* kTagEigenschaft = "Tag";
void TagSetzen(QObject* komponente, int tag);
int TagVon(const QObject* komponente);
// Names a new control and marks it with the tag (99: kept between runs).
template <typename T> T* Markieren(T* komponente, const char* name, int tag = 99) {
    komponente->setObjectName(QString::fromLatin1(name));
    TagSetzen(komponente, tag);
    return komponente;
}

// Reads a key; the default when it is missing.
using WertLeser = std::function<QString(const QString& schluessel, const QString& vorgabe)>;
using WertSchreiber = std::function<void(const QString& schluessel, const QString& wert)>;

// Every owned component in creation order, nested ones included; only named ones
// (unnamed parts inside our composite controls are no components of the window).
void MarkierteLaden(QObject* besitzer, int tagInclusive, int tagExclusive, const WertLeser& lesen);
void MarkierteSpeichern(QObject* besitzer, int tagInclusive, int tagExclusive,
                        const WertSchreiber& schreiben);

// Text without one pair of enclosing double quotes.
QString OhneAnfuehrung(const QString& text);
