// The text side of the style commands: where the style block command puts the caret and what it
// inserts, the CSS rule the class editor composes, and where that rule goes.
#pragma once

#include "app/insertion.h"
#include "site/toolfunc.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The style block command: the caret goes to Position (selection dropped), then Insertion goes in
// through InsertText.
struct TStylePlacement {
    int Position = 0;
    TInsertion Insertion;
};
// Looks, without case, from the page's second character for "</style>", then "</head>", then
// "<body>"; the first found decides. The caret ends on an empty line inside the style block.
TStylePlacement StyleBlockPlacement(const QString& pageText);

// A length value: the list's text when the user changed it, and the unit chosen beside it.
struct TCssLength {
    std::optional<QString> Value;
    QString Unit;
};
// The value with its unit directly after it when it is a plain number; a keyword ("auto"), a
// value the user typed with its own unit, and the unit "multiple" (a bare factor) get none.
QString CssLengthText(const TCssLength& length);

enum TCssSide { csTop, csBottom, csLeft, csRight };

// The class editor's controls; a std::optional holds a value only when its control was changed.
struct TClassFields {
    QString ClassName;
    // Character
    std::optional<QString> FontFamily;
    TCssLength FontSize;
    std::optional<QString> FontWeight, FontVariant, FontStyle;
    bool DecorationNone = false, Underline = false, Overline = false, LineThrough = false,
         Blink = false;
    // Paragraph
    TCssLength TextIndent;
    TCssLength LineHeight;
    std::optional<TColor> Color;
    std::optional<QString> Direction, TextAlign;
    TCssLength LetterSpacing, WordSpacing;
    std::optional<QString> TextTransform, WhiteSpace;
    // Background
    std::optional<TColor> BackgroundColor;
    QString BackgroundImage; // written when not blank
    std::optional<QString> BackgroundRepeat;
    bool BackgroundFixed = false;
    std::optional<QString> BackgroundPosition;
    // Table
    std::optional<QString> Display, Border, TableLayout, BorderCollapse;
    int ColumnSpan = 1, RowSpan = 1; // written when above 1
    std::optional<QString> VerticalAlign;
    // List
    std::optional<QString> ListStyleType;
    QString ListStyleImage; // written when not blank
    std::optional<QString> ListStylePosition;
    // Margins and borders, by TCssSide
    std::array<TCssLength, 4> Margin;
    std::array<TCssLength, 4> BorderWidth;
    std::array<std::optional<QString>, 4> BorderStyle;
    std::array<std::optional<TColor>, 4> BorderColor;
    // Position
    std::optional<QString> Position, Visibility, Overflow, Float;
    std::optional<int> ZIndex;
    std::optional<QString> Clip;
    // Media
    std::optional<QString> Volume, Speak, SpeechRate, Azimuth, Elevation, Cursor;
};

// The rule: the class name as typed, "{", one "name: value;" line per changed property in a
// fixed order, "}"; lines joined by LF, no line break after "}". A changed list left blank
// writes nothing.
QString ComposeClassRule(const TClassFields& fields);

// Where the rule goes: the first linked style sheet, resolved against the page's file, or (an
// empty path) the page's own style block.
QString ClassRuleSheetPath(const QStringList& styleSheets, const QString& pageFile,
                           QChar sep = QDir::separator());
// What to append to a text so the rule stands on new last lines, ended by a line break.
QString AppendedAsLastLines(const QString& text, const QString& rule);
