// The markup of the table, cell, list, form, select, font, Flash and parameter dialogs: each
// dialog gathers its fields into a plain struct and one function here composes the text, the
// caret offset and the line-break flag.
#pragma once

#include "app/insertion.h"
#include "site/toolfunc.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The three-way alignment lists of the table and cell dialogs, in their list order.
enum class THorzAlign { Left, Center, Right };
enum class TVertAlign { Top, Middle, Bottom };

inline constexpr TColor WhiteColor = 0xFFFFFF;
inline constexpr TColor BlackColor = 0x000000;

struct TTableFields {
    QString Rows, Cols, Caption;
    bool Back = false;
    TColor BackColor = WhiteColor;
    QString Border = QStringLiteral("0");
    QString Width;
    QString CellPadding = QStringLiteral("0");
    QString CellSpacing = QStringLiteral("0");
    QString Background, Hspace, Vspace, Name, Class;
    THorzAlign Align = THorzAlign::Left;
};
// An empty table (no rows or cells) with the caret on its first empty line.
TInsertion TableInsertion(const TTableFields& f);

struct TCellFields {
    bool Header = false; // th instead of td
    QString Name, Class;
    bool Back = false;
    TColor BackColor = WhiteColor;
    QString Width, ColSpan, RowSpan;
    TVertAlign Valign = TVertAlign::Middle;
    THorzAlign Align = THorzAlign::Left;
};
// The cell around the selection, or an empty cell with the caret between its tags.
TInsertion CellInsertion(const TCellFields& f, const QString& selection);

struct TListFields {
    QStringList Items;
    QString Name, Class;
    bool Numbered = false;
    int Start = 1;
};
// Nothing for a list without items.
std::optional<TInsertion> ListInsertion(const TListFields& f);

// The "Метод отсылки:" entries; None also stands for nothing selected.
enum class TFormMethod { None, Get, Post };

struct TFormFields {
    QString Name, Action;
    TFormMethod Method = TFormMethod::None;
    QString Enctype = QStringLiteral("application/x-www-form-urlencoded");
    QString Class, Target;
};
// The form around the selection, or an empty form with the caret on its first empty line.
TInsertion FormInsertion(const TFormFields& f, const QString& selection);

struct TSelectOption {
    QString Text, Value;
    bool operator==(const TSelectOption&) const = default;
};

struct TSelectFields {
    QList<TSelectOption> Options;
    int Default = 1; // the position (from 1) of the option marked selected; others mark none
    bool Multiple = false;
    QString Name, Class;
};
// Nothing for a list without options.
std::optional<TInsertion> SelectInsertion(const TSelectFields& f);

// Limits of the select dialog's default number: 1 to the number of options, none (unlimited)
// while the list is empty.
struct TSpinLimits {
    bool Limited = false;
    int Min = 0, Max = 0;
    bool operator==(const TSpinLimits&) const = default;
};
TSpinLimits DefaultNumberLimits(qsizetype optionCount);

// Moves the item at index one place up (step -1) or down (step 1); false, and the list left as
// it was, when there is no such item or it already stands at that end.
template <class T> bool MoveItem(QList<T>& list, qsizetype index, int step) {
    const qsizetype target = index + step;
    if ((step != 1 && step != -1) || index < 0 || index >= list.size() || target < 0 ||
        target >= list.size())
        return false;
    list.move(index, target);
    return true;
}

struct TFontFields {
    bool FaceOn = false;
    QString Face; // empty when no font was chosen
    bool SizeOn = false;
    QString Size = QStringLiteral("1");
    bool ColorOn = false;
    TColor Color = BlackColor;
    QString Class;
    bool Bold = false, Underline = false, Italics = false, Strikeout = false, Blockquote = false,
         Quote = false, Emphasis = false, Big = false, Small = false, Sup = false, Sub = false,
         Blink = false;
};
// The size entries of the font dialog: "1" to "7", "+1" to "+6", "-1" to "-6".
QStringList FontSizeEntries();
// The font tag and the phrase tags around the selection; without one the caret stands after the
// last opening tag. Nothing when there is nothing to write (no attribute and no phrase tag).
// Of each exclusive pair (blockquote/q, big/small, sup/sub) the first wins.
std::optional<TInsertion> FontInsertion(const TFontFields& f, const QString& selection);

enum class TFlashQuality { High, Medium, Low };

struct TFlashFields {
    QString Movie, Width, Height;
    TFlashQuality Quality = TFlashQuality::Low;
    TColor Background = WhiteColor;
};
// The plug-in vendor's addresses written into the Flash markup.
extern const QString FlashCabinetUrl;
extern const QString FlashPluginPageUrl;
// The first failing check's message, or an empty text when the fields are complete.
QString FlashCheck(const TFlashFields& f);
TInsertion FlashInsertion(const TFlashFields& f);

TInsertion ParamInsertion(const QString& name, const QString& value);
