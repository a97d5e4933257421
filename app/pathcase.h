// Finding a file named in a page whose letter case differs from the name on disk: pages written
// on case-blind systems link "Logo.GIF" to "logo.gif".
#pragma once

#include <QString>

// On a case-sensitive file system, finds the existing path that equals the given one without
// regard to letter case: the exact path first, then each component matched case-insensitively,
// down to the first one that has no match. Returns the path as it is on disk, or the given path
// unchanged when nothing matches.
QString FindPathNoCase(const QString& path);

// Whether the path names a file, or a link to one. Inside a batch the answer comes from the
// folder's listing, as FindPathNoCase's does.
bool IsExistingFile(const QString& path);

// While one lives, a folder listed for FindPathNoCase is not listed again for a name it lacks,
// and FindPathNoCase and IsExistingFile answer for an absolute, clean path from the folder's
// listing alone, without a look at the file itself: for checking many links at once, when
// nothing is expected to change in between.
class TPathCaseBatch {
public:
    TPathCaseBatch();
    ~TPathCaseBatch();
    TPathCaseBatch(const TPathCaseBatch&) = delete;
    TPathCaseBatch& operator=(const TPathCaseBatch&) = delete;
};
