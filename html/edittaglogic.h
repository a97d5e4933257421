// The text rules behind the tag attribute editor: where a rejected character lies in the page,
// how a typed value is trimmed and what a value list shows for a cell's value.
#pragma once

#include <QString>
#include <QStringList>

// The 1-based position in the tag text as written of the character the tag model reports at
// the 1-based position normalizedPos of its normalised text (blanks next to an "=" removed).
// A position beyond the text is given back unchanged.
int RawTagPosition(const QString& tagText, int normalizedPos);

// A value typed into the editor's field, without spaces and control characters at either end.
QString TrimValue(const QString& value);

// What the drop-down of one value cell shows: the entries, the selected one (-1 for none) and
// the text the list gives back when it is left untouched.
struct TValueChoice {
    QStringList Entries;
    int Index = -1;
    QString Text;
};

// The entry equal to the cell's value is selected (exact spelling first, then letter case
// ignored). When none is equal, an empty value selects the first entry; any other value is kept
// as it is: a pick-only list shows it as its first entry, an editable list as its text, so that
// merely passing through a cell never changes the tag.
TValueChoice ChooseListValue(const QStringList& entries, const QString& value, bool editable);
