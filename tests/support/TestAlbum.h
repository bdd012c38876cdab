#pragma once
// Builds small albums for tests: year folders, day folders with JPEGs and ALBUM.DAT.
#include "support/TestOrdner.h"

#include <QSize>
#include <QStringList>
#include <memory>

class Tam_Main;

struct TestAlbum {
    TestOrdner ordner;
    QString pfad() const { return ordner.pfad(); }
    // Creates year/day with the given pictures (small JPEGs) and an optional title.
    QString tag(const QString& jahr, const QString& tag, const QStringList& bilder,
                const QString& titel = {});
    // The main window on this album with the given arguments, shown and active.
    std::unique_ptr<Tam_Main> fenster(QStringList argumente, QSize groesse) const;
};
