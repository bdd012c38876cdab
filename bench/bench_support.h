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
// Makes sure `anzahl` photo-like JPEGs of the given size exist in `ordner`.
QStringList MusterJpegs(const QString& ordner, int anzahl, int breite, int hoehe);

// Keeps the output to the figures: drops the platform plugin's warnings (the
// offscreen plugin's "does not support propagateSizeHints()" among them).
void NurZahlenAusgeben();
