// What the site browser and the project dialogs compose or decide, without a window: entry
// paths, the kinds and order of the list's items, name checks, the destination of a copy or
// move, and the file moves themselves. Paths take the separator as a parameter so the Windows
// form stays tested.
#pragma once

#include "site/dirfiletype.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

// The folder of the current directory: root, then the sub-path with "/" turned into sep.
// A root that ends with sep (the file system's root) gets no second one.
QString SiteFolderPath(const QString& rootDir, const QString& subDir,
                       QChar sep = QDir::separator());
// The path of the entry named name in the current directory.
QString SiteEntryPath(const QString& rootDir, const QString& subDir, const QString& name,
                      QChar sep = QDir::separator());
// A path with "/" turned into sep and every run of separators reduced to one.
QString CollapseSeparators(const QString& path, QChar sep = QDir::separator());

// The list's item kinds; the value is the icon index, and the list sorts by it, largest first.
enum TSiteItemKind { sikOther = 49, sikPicture = 51, sikPage = 68, sikDirectory = 69 };
TSiteItemKind SiteItemKind(const QString& name, TDirectoryFileType type);

struct TSiteItem {
    QString Name;
    TSiteItemKind Kind = sikOther;
};
// Directories, then pages, then pictures, then other files; one kind keeps the listing's order.
void SortSiteItems(QList<TSiteItem>& items);
// The list's column header: the current sub-path, or "[ Корневой каталог ]" at the root.
QString SiteListHeader(const QString& subDir);

// The sub-path one level up ("a/b/c" gives "a/b", "a" gives "").
QString ParentSubDir(const QString& subDir);

// A new name typed over an entry's caption: empty text, "." and "..", and names with any of
// \ / : ? " < > | * are refused.
bool IsAcceptableNewName(const QString& name);

// Projects. The title becomes a file name in the projects folder, so it must be a plain file
// name there: an empty text when the trimmed title is acceptable, otherwise the message to show.
QString ProjectTitleProblem(const QString& title);
// The project file of a title: folder/<trimmed title>.qsf.
QString ProjectFilePath(const QString& projectsFolder, const QString& title);
// The stored projects: the names of the ".qsf" files of the folder without that extension,
// sorted without regard to case.
QStringList StoredProjects(const QString& projectsFolder);
// Which entry to select after the entry at index was removed and count remain (-1: none).
int IndexAfterRemoval(int index, int count);

// Copy and move. The destination folder as typed: blanks trimmed, "/" turned into sep, a sep
// appended and every run of separators reduced to one.
QString DestinationFolder(const QString& typed, QChar sep = QDir::separator());
// Whether a copy into the folder lands inside the project (the list is then refreshed).
bool FolderIsInsideRoot(const QString& folder, const QString& rootDir,
                        QChar sep = QDir::separator());
// Copies source over target (an existing file is replaced; a link at the target is replaced,
// never written through). The target appears whole or not at all.
bool CopyFileReplacing(const QString& source, const QString& target);
// Moves source to target; an existing target (file or link) makes it fail. Across file systems
// the file is copied and the source removed only once the copy is complete, so a failed move
// never loses the source.
bool MoveFileSafely(const QString& source, const QString& target);
// The copy-then-remove half of MoveFileSafely, on its own so that it can be tried on one file
// system too.
bool MoveFileByCopy(const QString& source, const QString& target);
