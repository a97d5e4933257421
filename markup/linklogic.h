// The markup of the hyperlink, image, map, area, frameset and frame commands: each dialog gathers
// its fields into a plain struct and one function composes the text, or refuses with the message
// the dialog shows (the dialog then stays open).
#pragma once

#include "app/insertion.h"
#include "markup/elementlogic.h"

#include <QString>

// What a composer gives back.
struct TElementMarkup {
    TInsertion Insertion;
    // The check's message when the input is refused; empty when accepted.
    QString Message;
    // The source field's text after the page-relative step (the dialog writes it back).
    QString Source;
    bool Refused() const { return !Message.isEmpty(); }
};

// The source of a dialog with a browse button: the field as typed, or, when a file was chosen,
// that file's path relative to the page.
struct TSourceField {
    QString Text;
    QString ChosenFile; // full path, or empty when nothing was chosen
    QString PageFile;   // the shown page's file, or empty
    TPathRules Rules = NativePathRules();
};
QString SourceText(const TSourceField& source);

struct TAnchorFields {
    TSourceField Href;
    QString Target;
    QString Name;
    QString Class;     // the chosen class, empty for none
    QString Selection; // the editor's selection, empty for none
};
TElementMarkup AnchorMarkup(const TAnchorFields& f);

// Entries of the image dialog's "Выравнивание:" list.
enum class TImageAlign { None, Left, Center, Right };

struct TImageFields {
    TSourceField Src;
    QString Alt;
    QString Width;
    QString Height;
    TImageAlign Align = TImageAlign::None;
    QString Hspace;
    QString Vspace;
    QString Name;
    QString Class;
    QString UseMap;
};
TElementMarkup ImageMarkup(const TImageFields& f);

// The map command's element for the name typed in its input box.
TInsertion MapInsertion(const QString& name);

// Entries of the area dialog's "Форма:" list, in list order.
enum class TAreaShape { Circle, Rect, Poly, Point };

struct TAreaFields {
    TSourceField Href;
    TAreaShape Shape = TAreaShape::Circle;
    QString Coords;
    QString Alt;
    QString Name;
    QString Class;
    QString Target;
};
// Whether the coordinates hold as many commas as the shape needs.
bool CoordsFitShape(const QString& coords, TAreaShape shape);
TElementMarkup AreaMarkup(const TAreaFields& f);

// The frameset command: columns on "Да", rows otherwise.
TInsertion FramesetInsertion(bool columns);

// Entries of the frame dialog's "Прокрутка:" list, in list order.
enum class TScrolling { Yes, No, Auto };

struct TFrameFields {
    TSourceField Src;
    QString Name = QStringLiteral("Frame1");
    TScrolling Scrolling = TScrolling::Auto;
    bool FrameBorder = true;
    bool NoResize = true;
    QString Width;
    QString Height;
    bool IFrame = false;
};
TElementMarkup FrameMarkup(const TFrameFields& f);
