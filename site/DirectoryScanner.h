// A synchronous depth-first walk of a directory tree that reports every file and subdirectory
// through one handler and, on request, deletes what it visits. The site browser deletes a
// directory with it; find and replace across a project search and change files with it.
//
// A walk never follows a symbolic link: a link to a directory is reported as a directory but
// never entered, and deleting removes the link itself, never what it names. So a deleting walk
// cannot reach outside its root, and a link loop cannot make a walk endless.
#pragma once

#include "site/dirfiletype.h"

#include <QFlags>
#include <QString>

#include <functional>

enum TFileAttrEx {
    fteAny = 0x01,
    fteReadOnly = 0x02,
    fteHidden = 0x04,
    fteSystem = 0x08,
    fteArchive = 0x10,
    fteVolumeID = 0x20
};
Q_DECLARE_FLAGS(TFileAttributes, TFileAttrEx)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFileAttributes)

enum TScanTarget { stFiles, stDirectories };

class TDirectoryScanner;

// Sender, CurrentDir (absolute, no trailing separator), Filename (bare name), Level (depth of
// CurrentDir below RootDir, 0 for the root; 255 for 255 and every deeper level: the walk itself
// goes to the bottom of the tree), FileType.
using TScanEvent =
    std::function<void(TDirectoryScanner* Sender, const QString& CurrentDir,
                       const QString& Filename, quint8 Level, TDirectoryFileType FileType)>;
using TScanNotifyEvent = std::function<void(TDirectoryScanner* Sender)>;

// The scanner's mask rule on one bare file name: "*" any run of characters, "?" one character,
// letters without regard to case; "*" and "*.*" match every name, with or without a dot.
bool MaskMatches(const QString& mask, const QString& name);

class TDirectoryScanner {
public:
    TDirectoryScanner();

    // The walk's start. A trailing separator is dropped; an empty value, one with "*", "<", ">",
    // "?" or "|", or one that names no existing directory is ignored (the old value stays). The
    // result says whether the value was taken, so a deleting job never walks an old root.
    const QString& RootDir() const { return FRootDir; }
    bool setRootDir(const QString& value);

    // File-name pattern with "*" and "?", compared without case; "*" and "*.*" match every name.
    // A value with "/", "<", ">", "\" or "|" is ignored.
    const QString& Mask() const { return FMask; }
    bool setMask(const QString& value);

    // Which special entries are visited: hidden ones (a name starting with ".") need fteHidden,
    // system ones (devices, pipes, sockets) fteSystem; fteAny admits all of them.
    TFileAttributes Attributes() const { return FAttributes; }
    void setAttributes(TFileAttributes value) { FAttributes = value; }

    bool RecursiveScan() const { return FRecursiveScan; }
    void setRecursiveScan(bool value) { FRecursiveScan = value; }

    bool OnlyDirectories() const { return FOnlyDirectories; }
    void setOnlyDirectories(bool value) { FOnlyDirectories = value; }

    // Deleting always runs files before subdirectories: ClearAll on forces stFiles, and
    // stDirectories turns ClearAll off.
    TScanTarget PrimaryTarget() const { return FPrimaryTarget; }
    void setPrimaryTarget(TScanTarget value);
    bool ClearAll() const { return FClearAll; }
    void setClearAll(bool value);

    TScanEvent OnProcessDirectory;
    TScanNotifyEvent OnScanComplete;

    // True from the start of a walk until its end (also when a handler throws: the exception
    // ends the walk and goes on to the caller, and a later Scan can start).
    bool Scanning() const { return FScanning; }

    // Walks the tree from RootDir and returns when the walk and OnScanComplete are done. Does
    // nothing while a walk is running (also when called from a handler).
    void Scan();

private:
    void ScanDirectory(const QString& dir, int level);
    bool Admits(bool hidden, bool system) const;
    bool MatchesMask(const QString& name) const;

    QString FRootDir;
    QString FMask = QStringLiteral("*.*");
    TFileAttributes FAttributes;
    bool FRecursiveScan = true;
    bool FOnlyDirectories = false;
    TScanTarget FPrimaryTarget = stFiles;
    bool FClearAll = false;
    bool FScanning = false;
};
