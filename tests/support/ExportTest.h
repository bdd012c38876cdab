#pragma once
// What the export tests share: an album, a target folder, a quiet progress, and readers of
// what an export wrote (the file list, the browser page's album data, the page itself).
#include "burn/alb_Export.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "sys/zpt_sys.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

struct ExportTest : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    TestOrdner ziel;
    TStillerFortschritt still;
    QString G() const { return AddBackslash(album.pfad()); }
    static QStringList Namen(const QString& ordner) {
        return QDir(ordner).entryList(QDir::Files, QDir::Name);
    }
    // The lines of a file list.
    static QStringList Zeilen(const QString& datei) {
        return QString::fromUtf8(TestOrdner::lesen(datei)).split("\r\n", Qt::SkipEmptyParts);
    }
};

// The album data of an album.js.
inline QJsonObject AlbumDaten(const QByteArray& albumJs) {
    QByteArray json = albumJs.mid(albumJs.indexOf('{'));
    json.chop(json.size() - json.lastIndexOf('}') - 1);
    return QJsonDocument::fromJson(json).object();
}

// The pictures of an album.js as "datei" -> "text".
inline QMap<QString, QString> Seitenbilder(const QByteArray& albumJs) {
    QMap<QString, QString> bilder;
    for (const QJsonValue& jahr : AlbumDaten(albumJs)["jahre"].toArray())
        for (const QJsonValue& tag : jahr.toObject()["tage"].toArray())
            for (const QJsonValue& bild : tag.toObject()["bilder"].toArray())
                bilder.insert(bild.toObject()["datei"].toString(), bild.toObject()["text"].toString());
    return bilder;
}

// The page at `url` as headless Chromium leaves it after `budget` ms of the page's own
// time (videos start from the page's script as from a click); empty without Chromium.
inline QString BrowserDom(const QString& url, const QString& profil, int budget = 3000) {
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) return {};
    QProcess p;
    p.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                       "--disable-background-networking", "--disable-component-update", "--disable-sync",
                       "--hide-scrollbars", "--autoplay-policy=no-user-gesture-required",
                       "--user-data-dir=" + profil, "--window-size=1400,1400",
                       "--virtual-time-budget=" + QString::number(budget), "--dump-dom", url});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
