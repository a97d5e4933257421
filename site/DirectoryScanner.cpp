#include "site/DirectoryScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

// Characters that make a root or a mask unacceptable.
bool ContainsAny(const QString& s, QStringView chars) {
    for (QChar c : chars)
        if (s.contains(c))
            return true;
    return false;
}

// One entry of a directory as the walk sees it: links are never followed, so a link's own kind
// decides (a link to a directory is a directory that is never entered).
struct TEntry {
    QString Name;
    bool Directory = false;
    bool Link = false;
    bool Hidden = false;
    bool System = false;
};

QList<TEntry> ReadEntries(const QString& dir) {
    QList<TEntry> result;
    const QDir d(dir);
    if (!d.exists())
        return result;
    const QFileInfoList infos = d.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : infos) {
        TEntry e;
        e.Name = info.fileName();
        e.Link = info.isSymLink();
        // isDir follows a link: a link to a directory counts as a directory, never entered.
        e.Directory = info.isDir();
        e.Hidden = e.Name.startsWith(u'.');
        // Devices, pipes and sockets: reading a pipe could block a search for ever.
        e.System = !e.Link && !info.isDir() && !info.isFile();
        result.append(e);
    }
    return result;
}

// The level a handler is told: deeper levels than a quint8 holds all read as its largest value.
quint8 ReportedLevel(int level) {
    return quint8(qMin(level, int(std::numeric_limits<quint8>::max())));
}

bool MatchFrom(QStringView mask, QStringView name) {
    // Iterative match with one backtrack point for the last "*".
    qsizetype m = 0, n = 0, starM = -1, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starM = m++;
            starN = n;
        } else if (m < mask.size() &&
                   (mask[m] == u'?' || mask[m].toCaseFolded() == name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (starM >= 0) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

} // namespace

bool MaskMatches(const QString& mask, const QString& name) {
    if (mask == u"*.*")
        return true;
    return MatchFrom(mask, name);
}

TDirectoryScanner::TDirectoryScanner() : FRootDir(QDir::homePath()) {}

bool TDirectoryScanner::setRootDir(const QString& value) {
    QString v = value;
    if (v.endsWith(QDir::separator()))
        v.chop(1);
    if (v.isEmpty() || ContainsAny(v, u"*<>?|") || !QFileInfo(v).isDir())
        return false;
    FRootDir = v;
    return true;
}

bool TDirectoryScanner::setMask(const QString& value) {
    if (ContainsAny(value, u"/<>\\|"))
        return false;
    FMask = value;
    return true;
}

void TDirectoryScanner::setPrimaryTarget(TScanTarget value) {
    FPrimaryTarget = value;
    if (value == stDirectories)
        FClearAll = false;
}

void TDirectoryScanner::setClearAll(bool value) {
    FClearAll = value;
    if (value)
        FPrimaryTarget = stFiles;
}

bool TDirectoryScanner::Admits(bool hidden, bool system) const {
    if (FAttributes.testFlag(fteAny))
        return true;
    if (hidden && !FAttributes.testFlag(fteHidden))
        return false;
    if (system && !FAttributes.testFlag(fteSystem))
        return false;
    return true;
}

bool TDirectoryScanner::MatchesMask(const QString& name) const {
    return MaskMatches(FMask, name);
}

void TDirectoryScanner::Scan() {
    if (FScanning)
        return;
    FScanning = true;
    // A handler that throws ends the walk; the flag must not stay set, or no job could start again.
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset{FScanning};
    ScanDirectory(FRootDir, 0);
}

void TDirectoryScanner::ScanDirectory(const QString& dir, int level) {
    const QString sep = QDir::separator();
    const auto reportFiles = [&](bool remove) {
        for (const TEntry& e : ReadEntries(dir)) {
            if (e.Directory || !Admits(e.Hidden, e.System) || !MatchesMask(e.Name))
                continue;
            if (OnProcessDirectory)
                OnProcessDirectory(this, dir, e.Name, ReportedLevel(level), dftFile);
            if (remove)
                QFile::remove(dir + sep + e.Name); // unlinks a link, never its target
        }
    };

    if (!FOnlyDirectories && FPrimaryTarget == stFiles)
        reportFiles(FClearAll);

    for (const TEntry& e : ReadEntries(dir)) {
        if (!e.Directory || !Admits(e.Hidden, e.System) || e.Name.startsWith(u'.'))
            continue;
        const QString path = dir + sep + e.Name;
        if (OnProcessDirectory)
            OnProcessDirectory(this, dir, e.Name, ReportedLevel(level), dftDirectory);
        // Looked at again just before entering: the handler may have changed the tree.
        const bool link = e.Link || QFileInfo(path).isSymLink();
        // No depth limit: a tree deeper than the level can count is still walked whole, or a
        // search would miss its deepest files and a delete would leave them behind. Links are
        // never entered, so the walk ends where the folders end.
        if (FRecursiveScan && !link)
            ScanDirectory(path, level + 1);
        if (FClearAll) {
            if (link)
                QFile::remove(path);
            else
                QDir().rmdir(path);
        }
    }

    if (!FOnlyDirectories && FPrimaryTarget == stDirectories)
        reportFiles(false);

    if (level == 0) {
        FScanning = false;
        if (OnScanComplete)
            OnScanComplete(this);
    }
}
