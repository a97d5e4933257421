// The quick-insert lists of the tag toolbar: their entries and what each entry inserts, and the
// texts of the name/value dialog. Everything here is text only, so the windows stay thin and
// every entry can be checked without one.
#pragma once

#include "app/insertion.h"

#include <QString>
#include <QStringList>

enum class TQuickList {
    HeaderStyle,
    FormElement,
    ScriptType,
    ColdFusion,
    ActiveSP,
    ServerVars,
    SpecChars
};

// What choosing an entry does.
enum class TQuickAction {
    None,         // the caption entry (or an index outside the list)
    InsertText,   // insert Insertion as it stands
    Heading,      // wrap a non-empty selection in the tag pair Tag
    SearchField,  // ask for the prompt text, then insert SearchFieldInsertion of it
    BlockTagPair, // block-wrap the selection in Tag
    InputElement, // a form input of the type Tag through the name/value dialog
};

struct TQuickEntry {
    TQuickAction Action = TQuickAction::None;
    TInsertion Insertion;    // InsertText only
    QString Tag;             // Heading, BlockTagPair: the tag; InputElement: the input type
    bool AskPicture = false; // the image button also asks for its picture
};

// The items of a list as it shows them: the caption entry first, then the entries.
QStringList QuickListItems(TQuickList list);
// The entry at an index of QuickListItems.
TQuickEntry QuickListEntry(TQuickList list, int index);

// The script block for a language entry: the caret on the first of the two empty lines.
TInsertion ScriptBlockInsertion(const QString& language);
// A server tag, lower-cased; the caret between the opening and closing tag, else between the
// first pair of adjacent quotes, else at the end.
TInsertion ColdFusionInsertion(const QString& entry);
// An ASP fragment: its first ".." is taken out and marks the caret; without one the caret ends
// after the text.
TInsertion ActiveSPInsertion(const QString& entry);
// An environment variable name followed by a blank.
TInsertion ServerVarInsertion(const QString& name);
// The search field element with the prompt put in; the caret in the quotes of size.
TInsertion SearchFieldInsertion(const QString& prompt);
// The attribute that names the image button's picture: a blank and src="F".
QString ImageSourceAttribute(const QString& fileName);

// The input box of the search field entry.
QString SearchFieldCaption();
QString SearchFieldPrompt();
QString SearchFieldPreset();

// ---- name/value dialog -------------------------------------------------------------------------

// The dialog's modes; the numbers are the ones its callers pass.
enum class TCtrlMode { Element = 0, Attribute = 1, ListItem = 2 };

// What a mode shows: window caption, name label, field presets and the empty-name message.
struct TCtrlSetup {
    QString Caption;
    QString NameLabel;
    QString NamePreset;
    QString ValuePreset;
    QString EmptyNameMessage;
};
TCtrlSetup CtrlSetup(TCtrlMode mode, const QString& elementType);

// The separator of name and value in the dialog's exchange slot (ESC).
inline constexpr QChar CtrlSeparator = QChar(27);
// The slot text after "ОК": the name (already trimmed), ESC and the value.
QString CtrlExchangeText(const QString& name, const QString& value);
// Splits a slot at its first ESC; false for an empty slot (the dialog was cancelled). A slot
// without ESC is all name and an empty value.
bool SplitCtrlExchange(const QString& slot, QString* name, QString* value);
