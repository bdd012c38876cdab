#include "sys/alb_Konflikt.h"

#include <QRegularExpression>

namespace {
constexpr auto kOhneGross = QRegularExpression::CaseInsensitiveOption;

// The time of the name; invalid for an impossible date or time.
QDateTime Zeit(const QString& datum, const QString& uhrzeit) {
    // Checked apart: QDateTime takes an invalid time for midnight.
    const QDate d = QDate::fromString(datum, QStringLiteral("yyyyMMdd"));
    const QTime t = QTime::fromString(uhrzeit, QStringLiteral("HHmmss"));
    if (!d.isValid() || !t.isValid()) return {};
    const QDateTime zeit(d, t);
    if (zeit.isValid()) return zeit;
    // An hour the clock skips here (the copy was named on a computer in another time zone):
    // at this zone's offset from before the change.
    return QDateTime(d, t, Qt::OffsetFromUTC, QDateTime(d.addDays(-1), QTime(12, 0)).offsetFromUtc());
}

std::optional<TKonfliktKopie> Kopie(TKonfliktKopie::Art art, const QString& vorn, const QString& endung,
                                    const QString& geraet, const QDateTime& zeit) {
    if (vorn.isEmpty() || !zeit.isValid()) return std::nullopt;
    // A copy of a copy (the sync program put a conflict copy itself aside) is a version of
    // the first copy's original.
    const QString original = vorn + endung;
    const auto innen = KonfliktKopie(original);
    return TKonfliktKopie{art, innen ? innen->original : original, geraet, zeit};
}
} // namespace

std::optional<TKonfliktKopie> KonfliktKopie(const QString& name) {
    // The original's extension (from its last dot on) stays behind the marker.
    // Syncthing's short device ID: seven characters of its base32 alphabet.
    static const QRegularExpression syncthing(
        QStringLiteral("^(.+)\\.sync-conflict-(\\d{8})-(\\d{6})(?:-([A-Z2-7]{7}))?(\\.[^.]*)?$"), kOhneGross);
    static const QRegularExpression nextcloud(
        QStringLiteral(
            "^(.+) \\(conflicted copy (?:(.+) )?(\\d{4})-(\\d{2})-(\\d{2}) (\\d{6})\\)(\\.[^.]*)?$"),
        kOhneGross);
    static const QRegularExpression nextcloudAlt(
        QStringLiteral("^(.+)_conflict-(\\d{8})-(\\d{6})(\\.[^.]*)?$"), kOhneGross);
    if (const auto m = syncthing.match(name); m.hasMatch())
        return Kopie(TKonfliktKopie::Art::Syncthing, m.captured(1), m.captured(5), m.captured(4),
                     Zeit(m.captured(2), m.captured(3)));
    if (const auto m = nextcloud.match(name); m.hasMatch())
        return Kopie(TKonfliktKopie::Art::Nextcloud, m.captured(1), m.captured(7), m.captured(2),
                     Zeit(m.captured(3) + m.captured(4) + m.captured(5), m.captured(6)));
    if (const auto m = nextcloudAlt.match(name); m.hasMatch())
        return Kopie(TKonfliktKopie::Art::NextcloudAlt, m.captured(1), m.captured(4), {},
                     Zeit(m.captured(2), m.captured(3)));
    return std::nullopt;
}

bool IstSyncZwischendatei(const QString& name) {
    static const QRegularExpression muster(QStringLiteral("^(?:\\.syncthing\\..+\\.tmp|~syncthing~.+\\.tmp|"
                                                          "\\.~lock\\..+#|\\._?sync_.*\\.db.*|.+\\.part)$"),
                                           kOhneGross);
    return muster.match(name).hasMatch();
}

bool IstSyncDatei(const QString& name) {
    return IstSyncZwischendatei(name) || KonfliktKopie(name).has_value();
}
