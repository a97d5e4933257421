// Rules every element dialog's markup follows, as QtCore functions the dialogs and tests share.
#pragma once

#include "app/insertion.h"

#include <QChar>
#include <QString>

// An attribute written when filled: nothing when the value is empty or blanks only, otherwise a
// blank, the name, "=" and the untrimmed value in double quotes (nothing in it is escaped).
void AppendFilled(QString& text, const QString& name, const QString& value);
// An attribute always written: a blank, the name, "=" and the value in double quotes.
void AppendAttribute(QString& text, const QString& name, const QString& value);
// The class attribute of a class list: written only when a class was chosen (non-empty).
void AppendClass(QString& text, const QString& chosenClass);

// How paths are spelt: the separator, and whether a path starts with a drive ("C:") that must
// match for a relative path to exist.
struct TPathRules {
    QChar Separator = u'/';
    bool Drives = false;
    // Folder names differ by letter case only where the file system ignores case.
    Qt::CaseSensitivity FolderCase = Qt::CaseSensitive;
};
// The Linux form and the backslash-and-drive form.
TPathRules NativePathRules();
TPathRules DrivePathRules();

// The chosen file's path relative to the page's file, with "/" separators: the common leading
// folders are dropped, ".." climbs out of each remaining folder of the page. A page without a file
// name, or (with drives) a file on another drive, gives the chosen file's full path.
QString PageRelativePath(const QString& chosenFile, const QString& pageFile,
                         const TPathRules& rules = NativePathRules());
