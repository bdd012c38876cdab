#pragma once
// Builds small albums for tests: year folders, day folders with JPEGs and ALBUM.DAT.
#include "support/TestOrdner.h"

#include <QStringList>

struct TestAlbum {
    TestOrdner ordner;
    QString pfad() const { return ordner.pfad(); }
    // Creates year/day with the given pictures (small JPEGs) and an optional title.
    QString tag(const QString& jahr, const QString& tag, const QStringList& bilder,
                const QString& titel = {});
};
