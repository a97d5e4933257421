#include "app/pathcase.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Directory listings by folder, lowercased name to the name on disk (the first in name order
// wins). Pages check thousands of links against the same few folders on every scan, so a folder
// is listed once. A name found is checked to be still there; a name not found lists the folder
// again, unless it was listed in the same batch of look-ups, or the folder has not changed since
// a listing taken well after its last change (time stamps are too coarse to trust a listing
// made in the same instant as a change).
int gBatchDepth = 0;
quint64 gBatchGeneration = 0;

struct TListingView {
    const QHash<QString, QString>* Names = nullptr;
    const QSet<QString>* Entries = nullptr;
    const QSet<QString>* Files = nullptr;
};

// A batch answers for an absolute, clean path only: for "a/./b" or "file/" the disk's own
// answer differs from the folder listing's.
bool SplitForBatch(const QString& path, QString* dir, QString* name) {
    if (gBatchDepth == 0 || !path.startsWith(u'/') || QDir::cleanPath(path) != path)
        return false;
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash == path.size() - 1)
        return false;
    *dir = slash == 0 ? u"/"_s : path.left(slash);
    *name = path.mid(slash + 1);
    return true;
}

class TFolderNames {
public:
    // Inside a batch: the folder's listing of this batch, taken now if need be; null when the
    // folder is not there, so the caller looks at the disk itself.
    template <typename Fn>
    auto InBatch(const QString& dir, Fn answer) -> std::optional<decltype(answer(TListingView{}))> {
        const QMutexLocker lock(&FMutex);
        auto it = FFolders.constFind(dir);
        const TListing& listing =
            it != FFolders.constEnd() && it->Generation == gBatchGeneration ? *it : List(dir);
        if (!listing.Exists)
            return std::nullopt;
        return answer(TListingView{&listing.Names, &listing.Entries, &listing.Files});
    }

    // Inside a batch: the folder as spelt on disk, as `walk` finds it, found once a batch.
    template <typename Fn> QString WalkedInBatch(const QString& dir, Fn walk) {
        {
            const QMutexLocker lock(&FMutex);
            if (FWalkedGeneration != gBatchGeneration) {
                FWalked.clear();
                FWalkedGeneration = gBatchGeneration;
            }
            const auto it = FWalked.constFind(dir);
            if (it != FWalked.constEnd())
                return *it;
        }
        const QString walked = walk(); // looks folders up itself
        const QMutexLocker lock(&FMutex);
        FWalked.insert(dir, walked);
        return walked;
    }

    QString Lookup(const QString& dir, const QString& name) {
        const QMutexLocker lock(&FMutex);
        const QString key = name.toLower();
        auto it = FFolders.constFind(dir);
        if (it != FFolders.constEnd()) {
            const QString found = it->Names.value(key);
            if (!found.isEmpty()) {
                if (QFileInfo::exists(QDir(dir).filePath(found)))
                    return found;
            } else if ((gBatchDepth > 0 && it->Generation == gBatchGeneration) ||
                       Settled(*it, QFileInfo(dir).lastModified())) {
                return {};
            }
        }
        return List(dir).Names.value(key);
    }

private:
    struct TListing {
        QHash<QString, QString> Names;
        QSet<QString> Entries; // every name as it is on disk
        QSet<QString> Files;   // those that are files, or links to files
        bool Exists = false;
        QDateTime Changed; // the folder's time stamp when it was listed
        QDateTime Listed;
        quint64 Generation = 0; // the batch of look-ups it was listed in
    };

    static bool Settled(const TListing& l, const QDateTime& changed) {
        return changed.isValid() && changed == l.Changed && l.Changed.msecsTo(l.Listed) > 2000;
    }

    const TListing& List(const QString& dir) {
        if (FFolders.size() > 512)
            FFolders.clear();
        TListing listing;
        listing.Changed = QFileInfo(dir).lastModified();
        listing.Listed = QDateTime::currentDateTimeUtc();
        listing.Generation = gBatchDepth > 0 ? gBatchGeneration : 0;
        const QStringList entries = QDir(dir).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& e : entries) {
            const QString key = e.toLower();
            if (!listing.Names.contains(key)) // entries come in name order: the first one wins
                listing.Names.insert(key, e);
        }
        if (gBatchDepth > 0) {
            // What a batch answers from the listing alone. The kind of each entry comes with the
            // listing itself on most file systems; only links are looked at one by one.
            listing.Exists = QFileInfo(dir).isDir();
            listing.Entries = QSet<QString>(entries.cbegin(), entries.cend());
            const QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden);
            listing.Files = QSet<QString>(files.cbegin(), files.cend());
        }
        return *FFolders.insert(dir, std::move(listing));
    }

    QMutex FMutex;
    QHash<QString, TListing> FFolders;
    QHash<QString, QString> FWalked; // missing folders of this batch as found on disk
    quint64 FWalkedGeneration = 0;
};

TFolderNames& FolderNames() {
    static TFolderNames names;
    return names;
}

} // namespace

TPathCaseBatch::TPathCaseBatch() {
    if (gBatchDepth++ == 0)
        ++gBatchGeneration;
}

TPathCaseBatch::~TPathCaseBatch() {
    --gBatchDepth;
}

namespace {

QString Join(const QString& dir, const QString& name) {
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
}

// The folder `parents` (absolute and clean) as spelt on disk, found from the root down one name
// at a time; empty at the first name that has no match. A link may be thousands of names deep,
// so no recursion, and no look at a folder below one that is missing.
QString WalkDown(QStringView parents) {
    QString walked = u"/"_s;
    qsizetype from = 1;
    while (from <= parents.size()) {
        qsizetype to = parents.indexOf(u'/', from);
        if (to < 0)
            to = parents.size();
        const QString name = parents.sliced(from, to - from).toString();
        from = to + 1;
        if (name.isEmpty())
            continue;
        QString next = Join(walked, name);
        if (!QFileInfo(next).isDir()) {
            const QString found = FolderNames().Lookup(walked, name);
            if (found.isEmpty())
                return {};
            next = Join(walked, found);
            if (!QFileInfo(next).isDir())
                return {};
        }
        walked = std::move(next);
    }
    return walked;
}

} // namespace

QString FindPathNoCase(const QString& path) {
    QString dir, name;
    if (SplitForBatch(path, &dir, &name)) {
        const auto found = FolderNames().InBatch(dir, [&](const TListingView& l) {
            if (l.Entries->contains(name))
                return path;
            const QString onDisk = l.Names->value(name.toLower());
            return onDisk.isEmpty() ? path : Join(dir, onDisk);
        });
        if (found)
            return *found;
        // The folder is not there as spelt: it is looked for, letter case aside, once a batch
        // (a page links thousands of files in a few missing folders).
        const QString walked = FolderNames().WalkedInBatch(dir, [&] { return WalkDown(dir); });
        if (walked.isEmpty())
            return path;
        const QString onDisk = FolderNames().Lookup(walked, name);
        return onDisk.isEmpty() ? path : Join(walked, onDisk);
    }
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString abs = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const qsizetype slash = abs.lastIndexOf(u'/');
    if (slash < 0 || slash == abs.size() - 1)
        return path;
    // Usually only the last name differs in case: one look at the folder settles it.
    dir = slash == 0 ? u"/"_s : abs.left(slash);
    if (!QFileInfo(dir).isDir()) {
        dir = WalkDown(QStringView(abs).first(slash));
        if (dir.isEmpty())
            return path;
    }
    const QString found = FolderNames().Lookup(dir, abs.mid(slash + 1));
    return found.isEmpty() ? path : Join(dir, found);
}

bool IsExistingFile(const QString& path) {
    QString dir, name;
    if (SplitForBatch(path, &dir, &name)) {
        const auto found = FolderNames().InBatch(
            dir, [&](const TListingView& l) { return l.Files->contains(name); });
        // Not in a folder that is not there.
        return found.value_or(false);
    }
    return QFileInfo(path).isFile();
}
