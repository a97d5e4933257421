// What the preview, browser-test, print and help commands compute without a window.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The address of the project's main page for the default browser: a file:// URL with spaces,
// Cyrillic letters and other special characters encoded. The main page is relative to the root
// and may use either slash; an empty main page gives the root folder itself.
QUrl BrowserTestUrl(const QString& rootDir, const QString& mainPage);

// The print job's title: "Quorvane - " and the page title.
QString PrintJobTitle(const QString& pageTitle);

// The help file's name, and the folders it is looked for in, in order: the program's own folder,
// then the installed data folder beside it (../share/quorvane).
inline constexpr char16_t kHelpFileName[] = u"Quorvane.hlp";
QStringList HelpFolders(const QString& programDir);
// The first existing help file in the folders, or an empty text.
QString FindHelpFile(const QStringList& folders);

// True when the preview copy may be written at this path: nothing lies there yet, or it is a
// plain file the program wrote itself (wroteIt). A link, a folder or a foreign file is left alone.
bool MayWritePreviewAt(const QString& path, bool wroteIt);
