// Attribute values the editor offers: the gate of attributes that have a value list, the lists
// themselves, the rules of the word being typed, and where the completion list opens next to the
// caret. Plain functions over texts and rectangles, so the window code stays thin.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// The attributes with a value list: align, valign, class, src, href and face (any letter case).
bool HasValueList(const QString& attrName);

// The fixed lists, with the capitals they are written with.
QStringList AlignValues();
QStringList VAlignValues();

// Where the page-dependent lists come from: the scanner's lists of the shown page and the
// installed font families.
struct TValueSources {
    QStringList CssClasses;
    QStringList HyperLinks;
    QStringList Images;
    QStringList FontFamilies;
};

// The values offered for an attribute, in order; empty for an attribute without a list.
QStringList AttributeValues(const QString& attrName, const TValueSources& sources);
// The values come from the page's own lists (class, href, src), so the page must be scanned.
bool ValuesFromPage(const QString& attrName);
// The lists of links and pictures also take a value typed by hand.
bool IsEditableValueList(const QString& attrName);

// ---- the word being typed in the source editor ------------------------------------------

// The effect of a key going down (a Qt::Key) on the typed word: Escape and the Up, Right and
// Down arrows empty it, Left drops its last character; other keys leave it.
QString TypedWordAfterKeyDown(const QString& typedWord, int key);
// The attribute name in front of the "=" that ends the typed word, lowercased.
QString CompletionAttrName(const QString& typedWord);
// The typed word just got its "=" and names an attribute with a value list.
bool OpensCompletion(const QString& typedWord);

// The word that expands into the sample text on Enter, and the sample text itself: fifteen
// copies of the sentence, a line feed after every fifth.
inline constexpr char16_t RandMacro[] = u"=rand()";
QString RandText(const QString& sentence);

// What Enter in the completion list writes after the "=": the entry in double quotes and a
// blank, and how far the caret then steps back (right after the "=" again for an empty entry).
QString CompletionInsertText(const QString& entry);
int CompletionCaretBack(const QString& entry);

// ---- placing the completion list ----------------------------------------------------------

// The rectangle of the completion list in the coordinates of the editor's parent. editor is the
// editor's rectangle there, list the list's nominal size, caret the caret's top-left corner
// within the editor and fontSize the editor's font size in points, used as a pixel offset. The
// list opens below and to the right of the caret when it fits, otherwise above or to the left,
// and is then cut to the editor's rectangle so that all of it stays visible.
QRect PlaceCompletionList(const QRect& editor, const QSize& list, const QPoint& caret,
                          int fontSize);
