#include "markup/stylelogic.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {
const QString kStyleBlock = u"<style type=\"text/css\">\n\n\n</style>"_s;

class TRuleWriter {
public:
    explicit TRuleWriter(const QString& className) : FText(className + u"\n{\n"_s) {}

    void Line(const QString& name, const QString& value) {
        FText += name + u": "_s + value + u";\n"_s;
    }
    // A changed list: its text, unless the user left it blank.
    void List(const QString& name, const std::optional<QString>& value) {
        if (value && !value->trimmed().isEmpty())
            Line(name, value->trimmed());
    }
    void Length(const QString& name, const TCssLength& length) {
        if (length.Value && !length.Value->trimmed().isEmpty())
            Line(name, CssLengthText(length));
    }
    void Color(const QString& name, const std::optional<TColor>& color) {
        if (color)
            Line(name, ColorToHtml(*color));
    }
    void Url(const QString& name, const QString& path) {
        if (!path.trimmed().isEmpty())
            Line(name, u"url("_s + path.trimmed() + u')');
    }
    QString Finish() { return FText + u'}'; }

private:
    QString FText;
};
} // namespace

TStylePlacement StyleBlockPlacement(const QString& pageText) {
    const auto find = [&](const QString& mark) {
        return int(pageText.indexOf(mark, 1, Qt::CaseInsensitive));
    };
    if (const int p = find(u"</style>"_s); p >= 0)
        return {p, {QString(), 0, true}};
    if (const int p = find(u"</head>"_s); p >= 0)
        return {p, {kStyleBlock, 10, true}};
    // "</head>" closes the block on its line and a line break of its own follows it.
    if (const int p = find(u"<body>"_s); p >= 0)
        return {p, {u"<head>\n"_s + kStyleBlock + u"</head>\n"_s, 17, true}};
    return {0, {u"<head>\n"_s + kStyleBlock + u"\n</head>\n<body>"_s, 24, true}};
}

QString CssLengthText(const TCssLength& length) {
    static const QRegularExpression number(u"^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"_s);
    const QString value = length.Value.value_or(QString()).trimmed();
    if (length.Unit == u"multiple" || !number.match(value).hasMatch())
        return value;
    return value + length.Unit;
}

QString ComposeClassRule(const TClassFields& f) {
    TRuleWriter r(f.ClassName);
    r.List(u"font-family"_s, f.FontFamily);
    r.Length(u"font-size"_s, f.FontSize);
    r.List(u"font-weight"_s, f.FontWeight);
    r.List(u"font-variant"_s, f.FontVariant);
    r.List(u"font-style"_s, f.FontStyle);
    if (f.DecorationNone) {
        r.Line(u"text-decoration"_s, u" none"_s);
    } else {
        QString words;
        const std::pair<bool, QString> decorations[] = {{f.Underline, u"underline"_s},
                                                        {f.Overline, u"overline"_s},
                                                        {f.LineThrough, u"line-through"_s},
                                                        {f.Blink, u"blink"_s}};
        for (const auto& [on, word] : decorations)
            if (on)
                words += u' ' + word;
        if (!words.isEmpty())
            r.Line(u"text-decoration"_s, words);
    }
    r.Length(u"text-indent"_s, f.TextIndent);
    r.Length(u"line-height"_s, f.LineHeight);
    r.Color(u"color"_s, f.Color);
    r.List(u"direction"_s, f.Direction);
    r.List(u"text-align"_s, f.TextAlign);
    r.Length(u"letter-spacing"_s, f.LetterSpacing);
    r.Length(u"word-spacing"_s, f.WordSpacing);
    r.List(u"text-transform"_s, f.TextTransform);
    r.List(u"white-space"_s, f.WhiteSpace);
    r.Color(u"background-color"_s, f.BackgroundColor);
    r.Url(u"background-image"_s, f.BackgroundImage);
    r.List(u"background-repeat"_s, f.BackgroundRepeat);
    if (f.BackgroundFixed)
        r.Line(u"background-attachment"_s, u"fixed"_s);
    r.List(u"background-position"_s, f.BackgroundPosition);
    r.List(u"display"_s, f.Display);
    r.List(u"border"_s, f.Border);
    r.List(u"table-layout"_s, f.TableLayout);
    r.List(u"border-collapse"_s, f.BorderCollapse);
    if (f.ColumnSpan > 1)
        r.Line(u"column-span"_s, QString::number(f.ColumnSpan));
    if (f.RowSpan > 1)
        r.Line(u"row-span"_s, QString::number(f.RowSpan));
    r.List(u"vertical-align"_s, f.VerticalAlign);
    r.List(u"list-style-type"_s, f.ListStyleType);
    r.Url(u"list-style-image"_s, f.ListStyleImage);
    r.List(u"list-style-position"_s, f.ListStylePosition);
    const QString sides[] = {u"top"_s, u"bottom"_s, u"left"_s, u"right"_s};
    for (int s = csTop; s <= csRight; ++s)
        r.Length(u"margin-"_s + sides[s], f.Margin[s]);
    for (int s = csTop; s <= csRight; ++s)
        r.Length(u"border-"_s + sides[s] + u"-width"_s, f.BorderWidth[s]);
    for (int s = csTop; s <= csRight; ++s)
        r.List(u"border-"_s + sides[s] + u"-style"_s, f.BorderStyle[s]);
    const QString colorNames[] = {u"border-top-color"_s, u"border-bottom-color"_s,
                                  u"border-Left-color"_s, u"border-right-color"_s};
    for (int s = csTop; s <= csRight; ++s)
        r.Color(colorNames[s], f.BorderColor[s]);
    r.List(u"position"_s, f.Position);
    r.List(u"visibility"_s, f.Visibility);
    r.List(u"overflow"_s, f.Overflow);
    r.List(u"float"_s, f.Float);
    if (f.ZIndex)
        r.Line(u"z-index"_s, QString::number(*f.ZIndex));
    r.List(u"clip"_s, f.Clip);
    r.List(u"volume"_s, f.Volume);
    r.List(u"speak"_s, f.Speak);
    r.List(u"speech-rate"_s, f.SpeechRate);
    r.List(u"azimuth"_s, f.Azimuth);
    r.List(u"elevation"_s, f.Elevation);
    r.List(u"cursor"_s, f.Cursor);
    return r.Finish();
}

QString ClassRuleSheetPath(const QStringList& styleSheets, const QString& pageFile, QChar sep) {
    if (styleSheets.isEmpty() || styleSheets.constFirst().trimmed().isEmpty())
        return {};
    return ResolveLink(styleSheets.constFirst(), pageFile, sep);
}

QString AppendedAsLastLines(const QString& text, const QString& rule) {
    const bool newLine = !text.isEmpty() && !text.endsWith(u'\n');
    return (newLine ? u"\n"_s : QString()) + rule + u'\n';
}
