// The markup of the simple tag commands: what replaces the selection and where the caret ends.
#pragma once

#include <QString>

struct TInsertion {
    QString Text;
    int K = 0; // the caret ends K characters before the end of Text
    bool LineBreak = false;
};

// Inline wrap: "<tag>selection</tag>", or an empty pair with the caret between the tags.
TInsertion TagPairInsertion(const QString& tag, const QString& selection);
// Block wrap: the wrapped selection and a line break, or the tags on their own lines around two
// empty lines with the caret on the first of them.
TInsertion BlockTagPairInsertion(const QString& tag, const QString& selection);
// A form input element.
TInsertion InputTagInsertion(const QString& type, const QString& name, const QString& value);
// The text and caret after InsertText's own rule: the line break appended and counted in k.
TInsertion Finalized(const TInsertion& insertion);
