#pragma once
// The program's German help page (next to the program), shown at the section of the
// window that is active when F1 is pressed.
#include <QString>
#include <QUrl>

class QEvent;
class QObject;
class QWidget;

// Windows name their section by this property (an int: main window 2, camera import 5,
// burn wizard 6); a window without it shows the main window's section.
inline constexpr const char* kHilfeKontext = "HilfeKontext";
QString HilfeSeite();
QUrl HilfeAdresse(int kontext);
int HilfeKontext(const QWidget* fenster);
// Opens the help window at the section; a missing page is reported.
void HilfeZeigen(int kontext);
// F1 anywhere: the help for the active window. True when the event was F1.
bool HilfeTaste(QEvent* ereignis);
