#include "app/pathcase.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

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

class TFolderNames {
public:
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
        return *FFolders.insert(dir, std::move(listing));
    }

    QMutex FMutex;
    QHash<QString, TListing> FFolders;
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

QString FindPathNoCase(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString abs = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const qsizetype slash = abs.lastIndexOf(u'/');
    if (slash < 0 || slash == abs.size() - 1)
        return path;
    const auto join = [](const QString& dir, const QString& name) {
        return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
    };
    // Usually only the last name differs in case: one look at the folder settles it.
    QString dir = slash == 0 ? u"/"_s : abs.left(slash);
    if (!QFileInfo(dir).isDir()) {
        // Otherwise walk down from the root, one name at a time, and give up at the first name
        // that has no match: a link may be thousands of names deep, so no recursion, and no
        // look at a folder below one that is missing.
        QString walked = u"/"_s;
        const QStringView parents = QStringView(abs).first(slash);
        qsizetype from = 1;
        while (from <= parents.size()) {
            qsizetype to = parents.indexOf(u'/', from);
            if (to < 0)
                to = parents.size();
            const QString name = parents.sliced(from, to - from).toString();
            from = to + 1;
            if (name.isEmpty())
                continue;
            QString next = join(walked, name);
            if (!QFileInfo(next).isDir()) {
                const QString found = FolderNames().Lookup(walked, name);
                if (found.isEmpty())
                    return path;
                next = join(walked, found);
                if (!QFileInfo(next).isDir())
                    return path;
            }
            walked = std::move(next);
        }
        dir = walked;
    }
    const QString found = FolderNames().Lookup(dir, abs.mid(slash + 1));
    return found.isEmpty() ? path : join(dir, found);
}
