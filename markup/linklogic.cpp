#include "markup/linklogic.h"

#include "site/toolfunc.h"

using namespace Qt::StringLiterals;

namespace {
bool Blank(const QString& s) {
    return s.trimmed().isEmpty();
}

TElementMarkup Refuse(const QString& message, const QString& source) {
    TElementMarkup m;
    m.Message = message;
    m.Source = source;
    return m;
}
} // namespace

QString SourceText(const TSourceField& source) {
    if (source.ChosenFile.isEmpty())
        return source.Text;
    return PageRelativePath(source.ChosenFile, source.PageFile, source.Rules);
}

TElementMarkup AnchorMarkup(const TAnchorFields& f) {
    // The relative path goes into the field first, so it is there even when the check refuses.
    const QString href = SourceText(f.Href);
    if (Blank(href) == Blank(f.Name))
        return Refuse(u"Не указан источник ссылки или имя закладки"_s, href);
    QString tag = u"<a"_s;
    AppendFilled(tag, u"href"_s, href);
    AppendFilled(tag, u"target"_s, f.Target);
    AppendFilled(tag, u"name"_s, f.Name);
    AppendClass(tag, f.Class);
    tag += u'>';
    TElementMarkup m;
    m.Source = href;
    if (f.Selection.isEmpty())
        m.Insertion = {tag + u"</a>"_s, 4, false};
    else
        m.Insertion = {tag + f.Selection + u"</a>"_s, 0, false};
    return m;
}

TElementMarkup ImageMarkup(const TImageFields& f) {
    // Only a truly empty field is refused: blanks are a source as typed.
    if (f.Src.Text.isEmpty())
        return Refuse(u"Не указан источник образа"_s, f.Src.Text);
    TElementMarkup m;
    m.Source = SourceText(f.Src);
    QString t = u"<img"_s;
    AppendAttribute(t, u"src"_s, m.Source);
    AppendFilled(t, u"width"_s, f.Width);
    AppendFilled(t, u"height"_s, f.Height);
    AppendFilled(t, u"hspace"_s, f.Hspace);
    AppendFilled(t, u"vspace"_s, f.Vspace);
    AppendAttribute(t, u"alt"_s, f.Alt);
    AppendFilled(t, u"name"_s, f.Name);
    AppendClass(t, f.Class);
    if (!Blank(f.UseMap))
        AppendAttribute(t, u"usemap"_s, u'#' + f.UseMap);
    // Left is what a browser does anyway, so "Слева" writes nothing.
    if (f.Align == TImageAlign::Center)
        AppendAttribute(t, u"align"_s, u"center"_s);
    else if (f.Align == TImageAlign::Right)
        AppendAttribute(t, u"align"_s, u"right"_s);
    t += u" />"_s;
    m.Insertion = {t, 0, true};
    return m;
}

TInsertion MapInsertion(const QString& name) {
    return {u"<map name =\""_s + name + u"\">\n\n\n</map>"_s, 8, true};
}

bool CoordsFitShape(const QString& coords, TAreaShape shape) {
    const int commas = CountChar(coords, u',');
    switch (shape) {
    case TAreaShape::Circle:
        return commas == 2;
    case TAreaShape::Rect:
        return commas == 3;
    case TAreaShape::Poly:
        return commas >= 5;
    case TAreaShape::Point:
        return commas == 1;
    }
    return false;
}

TElementMarkup AreaMarkup(const TAreaFields& f) {
    if (Blank(f.Href.Text))
        return Refuse(u"Не указан источник активной области"_s, f.Href.Text);
    if (!CoordsFitShape(f.Coords, f.Shape))
        return Refuse(u"Неверное количество чисел в координатах"_s, f.Href.Text);
    static const QString shapes[] = {u"circle"_s, u"rect"_s, u"poly"_s, u"point"_s};
    TElementMarkup m;
    m.Source = SourceText(f.Href);
    QString t = u"<area"_s;
    AppendAttribute(t, u"href"_s, m.Source);
    AppendAttribute(t, u"shape"_s, shapes[int(f.Shape)]);
    AppendAttribute(t, u"coords"_s, f.Coords);
    AppendAttribute(t, u"alt"_s, Blank(f.Alt) ? QString() : f.Alt);
    AppendFilled(t, u"name"_s, f.Name);
    AppendClass(t, f.Class);
    AppendFilled(t, u"target"_s, f.Target);
    t += u" />"_s;
    m.Insertion = {t, 0, true};
    return m;
}

TInsertion FramesetInsertion(bool columns) {
    const QString kind = columns ? u"cols"_s : u"rows"_s;
    return {u"<frameset "_s + kind + u"=\"\">\n\n\n</frameset>"_s, 14, true};
}

TElementMarkup FrameMarkup(const TFrameFields& f) {
    if (Blank(f.Src.Text))
        return Refuse(u"Не указан источник фрейма"_s, f.Src.Text);
    if (Blank(f.Name))
        return Refuse(u"Не указано имя фрейма"_s, f.Src.Text);
    static const QString scrolling[] = {u"yes"_s, u"no"_s, u"auto"_s};
    TElementMarkup m;
    m.Source = SourceText(f.Src);
    QString t = u'<' + (f.IFrame ? u"iframe"_s : u"frame"_s);
    AppendAttribute(t, u"src"_s, m.Source);
    AppendAttribute(t, u"name"_s, f.Name);
    AppendAttribute(t, u"scrolling"_s, scrolling[int(f.Scrolling)]);
    if (f.FrameBorder)
        AppendAttribute(t, u"frameborder"_s, u"0"_s);
    // An inline frame has no frameset to resize it in; its size is its own.
    if (f.IFrame) {
        AppendFilled(t, u"width"_s, f.Width);
        AppendFilled(t, u"height"_s, f.Height);
    } else if (f.NoResize) {
        AppendAttribute(t, u"noresize"_s, u"noresize"_s);
    }
    t += u" />"_s;
    m.Insertion = {t, 0, true};
    return m;
}
