#pragma once
// The bases of the caption files: per day folder, each entry (the title, each picture's
// caption, each set-aside caption) as this computer last had it from disk before its own
// change. A sync program that keeps one album on several computers puts a version that
// lost a race aside as a conflict copy; with the base, the copy is merged entry by entry
// without asking where only one side changed an entry. The bases live in the user's
// cache folder (never in the album): one small file per day folder, named by a hash of
// the folder's path. A missing or broken base file means no base is known.
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

class TProfilDokument;

// The entries of a caption file by key: "titel" (one line), "bild <name as EintragsName spells it>"
// (the caption's lines), "papierkorb <identity> <name>" (a set-aside caption). An entry
// without text is absent.
using TEintraege = QHash<QString, QStringList>;
TEintraege EintraegeLesen(const TProfilDokument& doc);
inline const QString kTitelEintrag = QStringLiteral("titel");
// A name as an entry's key spells it (lower case, umlauts composed).
QString EintragsName(const QString& name);
// The picture name an entry key names as the file spells it (empty for the title).
QString EintragBild(const TProfilDokument& doc, const QString& schluessel);

struct TBasis {
    bool bekannt = false; // false: no base file, or a broken one
    // The whole file as the base: a key that is missing here was absent.
    TEintraege werte;
    // What this computer itself last wrote to an entry (an empty list: it removed the
    // entry); while the file still holds that, the entry's base stays as it was.
    QHash<QString, QStringList> meine;
    // The entries of the file as this computer last wrote it (a hash): where the file holds
    // something else, another computer wrote it having seen this one's writes (else the sync
    // program had put one version aside), so this computer's writes are the base now.
    QString geschrieben;
    // Copies merged whole (a hash of their bytes): one that comes again (back from the
    // trash, or sent once more) brings nothing new and must not take back a merge.
    QStringList abgeglichen;
};
// The hash a merged copy is remembered by.
QString KopienKennung(const QByteArray& bytes);

namespace basis {

// The base file of a day folder (in the cache folder; the folder's path made canonical).
QString Datei(const QString& tagOrdner);
TBasis Lesen(const QString& tagOrdner);
// Replaces the base file atomically; false when it cannot be written.
bool Schreiben(const QString& tagOrdner, const TBasis& basis);

// Called by every writer of a caption file under its lock, with the file as read just
// before the change and as changed. Changed entries keep their base while the file still
// holds this computer's own last write of them, else their base is what was read; every
// other entry's base is what was read, unless it still holds this computer's own write.
// While conflict copies of the caption file wait beside it to be merged, the base stays
// as it is (it is the base those copies are merged against). Never fails the write.
void Vormerken(const QString& tagOrdner, const TProfilDokument& vorher, const TProfilDokument& nachher);

// After a merge that left no conflict copy: the merged file is the new base; `kopien`
// (their KopienKennung) are remembered as merged.
void NachAbgleich(const QString& tagOrdner, const TEintraege& gemergt, const QStringList& kopien);

// The base of a burn list: the list as this computer last read it, kept while the file
// holds what this computer itself wrote last (its own changes are not the base).
std::optional<QStringList> ListeLesen(const QString& datei);
void ListeGelesen(const QString& datei, const QStringList& eintraege);
// A write of the list: `vorher` as read under the lock, `nachher` as written. With
// `halten`, the base stays as it is (conflict copies wait to be merged against it).
void ListeGeschrieben(const QString& datei, const QStringList& vorher, const QStringList& nachher,
                      bool halten);
// After a merge that left no conflict copy: the list merged is the new base.
void ListeNachAbgleich(const QString& datei, const QStringList& eintraege);

// Test seam: with an empty path, the bases go where the cache folder is (the default).
void OrdnerSetzen(const QString& ordner);

} // namespace basis
