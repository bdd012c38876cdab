#pragma once
// Settings of one window in the section bearing the window's class name, and the
// window's placement, loaded and saved in one go.
#include "settings/zpt_ParameterSpeicher.h"

#include <QObject>
#include <functional>

class QWidget;

class TzptParameter : public QObject {
    Q_OBJECT
public:
    explicit TzptParameter(QWidget* besitzer);

    using Ereignis = std::function<void(QObject*)>;
    Ereignis OnBeforeLaden, OnLaden, OnAfterLaden;
    Ereignis OnBeforeSpeichern, OnSpeichern, OnAfterSpeichern;

    QString DateiName;
    int TagExclusive = 0;
    int TagInclusive = 0;
    bool FormPosSizeSave = false;

    QString WertLesen(const QString& schluessel, const QString& vorgabe = {}) const;
    int ZahlLesen(const QString& schluessel, int vorgabe) const;
    void WertSchreiben(const QString& schluessel, const QString& wert);
    QString EinstellungsDateiName() const;

    void Laden();
    void Speichern();

    // The store on the owner's section and file.
    TParameterSpeicher Speicher() const;

private:
    void PlatzLaden(TParameterSpeicher& s);
    void PlatzSpeichern(const std::function<void(const QString&, const QString&)>& schreiben);
    QWidget* m_besitzer;
};

// Property set on a window whose placement came from the settings file.
inline constexpr const char* kPlatzGeladen = "zptPlatzGeladen";

// True when a screen-size switch ("/8X6", "/10X7") fixes the main window's size.
bool FesteFenstergroesse(int& breite, int& hoehe);
