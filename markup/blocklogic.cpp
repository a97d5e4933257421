#include "markup/blocklogic.h"

#include "markup/elementlogic.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
// Colour attributes of these elements are written without quotes.
void AppendColor(QString& text, const QString& name, TColor color) {
    text += u' ' + name + u'=' + ColorToHtml(color);
}

void AppendAlign(QString& text, THorzAlign align) {
    if (align == THorzAlign::Center)
        text += u" align=\"center\""_s;
    else if (align == THorzAlign::Right)
        text += u" align=\"right\""_s;
}
} // namespace

TInsertion TableInsertion(const TTableFields& f) {
    QString t = u"<table"_s;
    AppendFilled(t, u"cols"_s, f.Cols);
    AppendFilled(t, u"rows"_s, f.Rows);
    AppendFilled(t, u"border"_s, f.Border);
    AppendFilled(t, u"cellspacing"_s, f.CellSpacing);
    AppendFilled(t, u"cellpadding"_s, f.CellPadding);
    AppendFilled(t, u"width"_s, f.Width);
    AppendFilled(t, u"name"_s, f.Name);
    AppendClass(t, f.Class);
    if (f.Back)
        AppendColor(t, u"bgcolor"_s, f.BackColor);
    AppendAlign(t, f.Align);
    AppendFilled(t, u"hspace"_s, f.Hspace);
    AppendFilled(t, u"vspace"_s, f.Vspace);
    AppendFilled(t, u"background"_s, f.Background);
    t += u">\n"_s;
    if (!f.Caption.isEmpty())
        t += u"<caption>"_s + f.Caption + u"</caption>\n"_s;
    t += u"\n\n</table>"_s;
    return {t, 10, true};
}

TInsertion CellInsertion(const TCellFields& f, const QString& selection) {
    const QString element = f.Header ? u"th"_s : u"td"_s;
    QString open = u'<' + element;
    AppendFilled(open, u"name"_s, f.Name);
    AppendClass(open, f.Class);
    AppendFilled(open, u"width"_s, f.Width);
    if (f.Back)
        AppendColor(open, u"bgcolor"_s, f.BackColor);
    AppendFilled(open, u"colspan"_s, f.ColSpan);
    AppendFilled(open, u"rowspan"_s, f.RowSpan);
    if (f.Valign == TVertAlign::Top)
        open += u" valign=\"top\""_s;
    else if (f.Valign == TVertAlign::Bottom)
        open += u" valign=\"bottom\""_s;
    AppendAlign(open, f.Align);
    open += u'>';
    const QString close = u"</"_s + element + u'>';
    if (!selection.isEmpty())
        return {open + u'\n' + selection + u'\n' + close, 0, true};
    return {open + close, int(close.size()), true};
}

std::optional<TInsertion> ListInsertion(const TListFields& f) {
    if (f.Items.isEmpty())
        return std::nullopt;
    const QString element = f.Numbered ? u"ol"_s : u"ul"_s;
    QString t = u'<' + element;
    AppendFilled(t, u"name"_s, f.Name);
    AppendClass(t, f.Class);
    // A list starting elsewhere than 1 puts its first item on a line of its own.
    if (f.Numbered && f.Start > 1)
        t += u" start=\""_s + QString::number(f.Start) + u"\">\n"_s;
    else
        t += u'>';
    for (const QString& item : f.Items)
        t += u"<li>"_s + item + u"</li>\n"_s;
    t += u"</"_s + element + u'>';
    return TInsertion{t, 0, true};
}

TInsertion FormInsertion(const TFormFields& f, const QString& selection) {
    QString open = u"<form"_s;
    AppendFilled(open, u"name"_s, f.Name);
    // A method means nothing without a handler to send to.
    if (!f.Action.trimmed().isEmpty()) {
        AppendAttribute(open, u"action"_s, f.Action);
        if (f.Method == TFormMethod::Get)
            AppendAttribute(open, u"method"_s, u"Get"_s);
        else if (f.Method == TFormMethod::Post)
            AppendAttribute(open, u"method"_s, u"Post"_s);
    }
    AppendFilled(open, u"enctype"_s, f.Enctype);
    AppendClass(open, f.Class);
    AppendFilled(open, u"target"_s, f.Target);
    open += u'>';
    if (!selection.isEmpty())
        return {open + u'\n' + selection + u"\n</form>"_s, 0, true};
    return {open + u"\n\n\n</form>"_s, 9, true};
}

std::optional<TInsertion> SelectInsertion(const TSelectFields& f) {
    if (f.Options.isEmpty())
        return std::nullopt;
    QString t = u"<select"_s;
    AppendFilled(t, u"name"_s, f.Name);
    AppendClass(t, f.Class);
    if (f.Multiple)
        t += u" multiple=\"multiple\""_s;
    t += u">\n"_s;
    for (qsizetype i = 0; i < f.Options.size(); ++i) {
        const TSelectOption& option = f.Options.at(i);
        t += u"<option"_s;
        AppendAttribute(t, u"value"_s, option.Value);
        if (i + 1 == f.Default)
            t += u" selected=\"selected\""_s;
        t += u'>' + option.Text + u"</option>\n"_s;
    }
    t += u"</select>"_s;
    return TInsertion{t, 0, true};
}

TSpinLimits DefaultNumberLimits(qsizetype optionCount) {
    if (optionCount <= 0)
        return {};
    return {true, 1, int(qMin<qsizetype>(optionCount, std::numeric_limits<int>::max()))};
}

QStringList FontSizeEntries() {
    QStringList entries;
    for (int i = 1; i <= 7; ++i)
        entries << QString::number(i);
    for (int i = 1; i <= 6; ++i)
        entries << u'+' + QString::number(i);
    for (int i = 1; i <= 6; ++i)
        entries << u'-' + QString::number(i);
    return entries;
}

std::optional<TInsertion> FontInsertion(const TFontFields& f, const QString& selection) {
    QString attributes;
    // A ticked "Гарнитура:" without a chosen font has no face to write.
    if (f.FaceOn && !f.Face.trimmed().isEmpty())
        AppendAttribute(attributes, u"face"_s, f.Face.toLower());
    if (f.SizeOn)
        AppendAttribute(attributes, u"size"_s, f.Size);
    if (f.ColorOn)
        AppendColor(attributes, u"color"_s, f.Color);
    AppendClass(attributes, f.Class);

    const struct {
        bool On;
        const char16_t* Tag;
    } wrappers[] = {
        {f.Bold, u"b"},
        {f.Underline, u"u"},
        {f.Italics, u"i"},
        {f.Strikeout, u"s"},
        {f.Blockquote, u"blockquote"},
        {f.Quote && !f.Blockquote, u"q"},
        {f.Emphasis, u"em"},
        {f.Big, u"big"},
        {f.Small && !f.Big, u"small"},
        {f.Sup, u"sup"},
        {f.Sub && !f.Sup, u"sub"},
        {f.Blink, u"blink"},
    };
    const bool anyWrapper =
        std::any_of(std::begin(wrappers), std::end(wrappers), [](const auto& w) { return w.On; });
    if (attributes.isEmpty() && !anyWrapper)
        return std::nullopt;

    QString text;
    int k = 0;
    if (!attributes.isEmpty()) {
        const QString close = u"</font>"_s;
        text = u"<font"_s + attributes + u'>' + selection + close;
        k = int(close.size());
    } else {
        text = selection;
    }
    for (const auto& w : wrappers) {
        if (!w.On)
            continue;
        const QString tag = QString::fromUtf16(w.Tag);
        const QString close = u"</"_s + tag + u'>';
        text = u'<' + tag + u'>' + text + close;
        k += int(close.size());
    }
    return TInsertion{text, selection.isEmpty() ? k : 0, true};
}

const QString FlashCabinetUrl =
    u"http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=5,0,0,0"_s;
const QString FlashPluginPageUrl =
    u"http://www.macromedia.com/shockwave/download/index.cgi?P1_Prod_Version=ShockwaveFlash"_s;

QString FlashCheck(const TFlashFields& f) {
    if (f.Movie.trimmed().isEmpty())
        return u"Не указан ролик Macromedia Flash"_s;
    if (f.Width.trimmed().isEmpty())
        return u"Не указана ширина окна ролика"_s;
    if (f.Height.trimmed().isEmpty())
        return u"Не указана высота окна ролика"_s;
    return {};
}

TInsertion FlashInsertion(const TFlashFields& f) {
    const QString quality = f.Quality == TFlashQuality::High     ? u"high"_s
                            : f.Quality == TFlashQuality::Medium ? u"medium"_s
                                                                 : u"low"_s;
    const QString color = ColorToHtml(f.Background);
    const QStringList lines{
        u"<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\""_s,
        u"codebase=\""_s + FlashCabinetUrl + u'"',
        u"width=\""_s + f.Width + u"\" height=\""_s + f.Height + u"\">"_s,
        u"<param name=\"movie\" value=\""_s + f.Movie + u"\">"_s,
        u"<param name=\"quality\" value=\""_s + quality + u"\">"_s,
        u"<param name=\"bgcolor\" value=\""_s + color + u"\">"_s,
        u"<embed src=\""_s + f.Movie + u"\" quality=\""_s + quality + u"\" bgcolor=\""_s + color +
            u"\" width=\""_s + f.Width + u"\" height=\""_s + f.Height +
            u"\" type=\"application/x-shockwave-flash\" pluginspage=\""_s + FlashPluginPageUrl +
            u"\" />"_s,
        u"</OBJECT>"_s,
    };
    return {lines.join(u'\n'), 0, true};
}

TInsertion ParamInsertion(const QString& name, const QString& value) {
    QString t = u"<param"_s;
    AppendAttribute(t, u"name"_s, name);
    AppendAttribute(t, u"value"_s, value);
    return {t + u" />"_s, 0, true};
}
