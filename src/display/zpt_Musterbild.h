#pragma once
// Photo-like sample pictures (sky, hills, shapes, grain) for the demo album,
// benchmarks and tests: they compress like photos, unlike flat colour.
#include <QImage>

QImage Musterbild(int breite, int hoehe, quint32 saat);
