// Rules of the page navigator that need no window: the kinds of rows its list shows, the tab
// caption taken from the page title, where a link points on disk, and link validation.
#pragma once

#include <QDir>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

class THTMLParser;

// Row kinds of the navigator's list, by their icon numbers in the tag icon list. The kinds whose
// targets are checked each have a broken variant.
enum TNavigatorIcon : int {
    niEmbed = 38,
    niEmbedBroken = 39,
    niHyperlink = 50,
    niImage = 51,
    niObject = 52,
    niClass = 54,
    niFrame = 55,
    niHyperlinkBroken = 61,
    niImageBroken = 62,
    niFrameBroken = 65,
};

// One button of the kinds toolbar: its name, hint, the icon of the rows it shows, and whether
// those rows are validated afterwards.
struct TNavigatorKind {
    const char* Name;
    const char16_t* Hint;
    int Icon;
    bool Validated;
};

// The six buttons in toolbar order.
const std::array<TNavigatorKind, 6>& NavigatorKinds();

// The captions a button shows, in order (the hyperlinks are followed by the area links).
QStringList NavigatorEntries(const THTMLParser& parser, int icon);

// The broken icon of a kind, and back; any other icon is returned unchanged.
int BrokenIcon(int icon);
int ValidIcon(int icon);

// The caption of the shown page's tab: the title when it has at most 20 characters, its first
// 20 characters and "..." when longer, the file-name part of the path when the title is empty.
QString NavigatorTabCaption(const QString& pageTitle, const QString& documentPath,
                            QChar sep = QDir::separator());

// The file a link names, relative to the page that holds it: the link resolved (lowercased,
// without its query), without a "#" fragment, and spelt as the file is named on disk when only
// the letter case differs. Empty for an address with a scheme, a link to an anchor of the same
// page, and a page without a directory part.
QString LinkTargetPath(const QString& link, const QString& documentPath);

// The icon a row gets from validation: the broken or the normal icon of its kind. Links with a
// scheme and empty captions keep their icon; "#name" is checked against the page's anchors.
// The anchors are a set: a page of many "#" links checks each in constant time.
int ValidatedIcon(const QString& caption, int icon, const QSet<QString>& anchorNames,
                  const QString& documentPath);

// The first position of a text in another without regard to letter case, or -1.
int FindTextNoCase(const QString& text, const QString& what);
