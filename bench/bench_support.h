#pragma once
// Timing, memory and fixture helpers shared by the benchmarks.
#include <QString>
#include <QStringList>
#include <QVector>
#include <chrono>

struct Messung {
    QVector<double> ms;
    double median() const;
    double max() const;
};

template <typename F> double MillisekundenVon(F&& f) {
    const auto a = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count();
}

// Peak resident memory of this process in MiB.
double SpitzenspeicherMiB();
// Folder below the build folder for generated benchmark data (kept between runs).
QString BenchDatenOrdner(const QString& name);
// An album of `jahre` years up to 2025 with 250 day folders a year, each with two small
// pictures and an ALBUM.DAT (title and a caption); generated once.
QString JahresAlbum(int jahre);
// Makes sure `anzahl` photo-like JPEGs of the given size exist in `ordner`.
QStringList MusterJpegs(const QString& ordner, int anzahl, int breite, int hoehe);

// The reference for picture timings: libjpeg-turbo, full size, RGB, default settings,
// into one buffer.
void PlainDekodieren(const QString& pfad);

// Keeps the output to the figures: drops the platform plugin's warnings (the
// offscreen plugin's "does not support propagateSizeHints()" among them).
void NurZahlenAusgeben();

class QApplication;
class TzptFotoPanel;

// Lets the background work of a human pause run: `ms` of the event loop.
void Verweilen(QApplication& app, int ms = 400);
// The photo panel at 1920 x 1080, large pictures fitted, showing the folder.
void PanelOeffnen(QApplication& app, TzptFotoPanel& panel, const QString& ordner);
// Paging through the whole folder at a human pace (a look at each picture, then the
// next key), starting with an empty cache.
Messung GemaechlichBlaettern(QApplication& app, TzptFotoPanel& panel);
// From creating the main window on this album to its first picture shown, `runden` times.
Messung StartMessen(QApplication& app, const QString& album, int runden);
