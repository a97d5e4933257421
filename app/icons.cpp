#include "app/icons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

struct TGlyph {
    QString Text;
    QColor Color;
};

// Tag commands show a short mark of the markup they write; the colour groups them.
const QHash<QString, TGlyph>& Glyphs() {
    const QColor text(0x2f, 0x5d, 0x9e), block(0x3b, 0x7d, 0x3b), table(0x8a, 0x5a, 0x17),
        obj(0x7a, 0x3e, 0x8f), misc(0x55, 0x55, 0x55), file(0x33, 0x66, 0x99);
    static const QHash<QString, TGlyph> glyphs = {
        {u"b"_s, {u"B"_s, text}},          {u"i"_s, {u"I"_s, text}},
        {u"u"_s, {u"U"_s, text}},          {u"font"_s, {u"Aa"_s, text}},
        {u"br"_s, {u"↵"_s, block}},        {u"pre"_s, {u"pre"_s, block}},
        {u"center"_s, {u"≡"_s, block}},    {u"p"_s, {u"¶"_s, block}},
        {u"style"_s, {u"css"_s, text}},    {u"hr"_s, {u"—"_s, block}},
        {u"ul"_s, {u"ul"_s, block}},       {u"li"_s, {u"li"_s, block}},
        {u"a"_s, {u"a"_s, text}},          {u"div"_s, {u"div"_s, block}},
        {u"img"_s, {u"img"_s, obj}},       {u"form"_s, {u"frm"_s, table}},
        {u"select"_s, {u"sel"_s, table}},  {u"table"_s, {u"tbl"_s, table}},
        {u"tr"_s, {u"tr"_s, table}},       {u"td"_s, {u"td"_s, table}},
        {u"caption"_s, {u"cap"_s, table}}, {u"object"_s, {u"obj"_s, obj}},
        {u"param"_s, {u"prm"_s, obj}},     {u"embed"_s, {u"emb"_s, obj}},
        {u"noembed"_s, {u"¬e"_s, obj}},    {u"applet"_s, {u"app"_s, obj}},
        {u"noscript"_s, {u"¬s"_s, obj}},   {u"flash"_s, {u"swf"_s, obj}},
        {u"frameset"_s, {u"fs"_s, misc}},  {u"frame"_s, {u"fr"_s, misc}},
        {u"noframes"_s, {u"¬f"_s, misc}},  {u"comment"_s, {u"!--"_s, misc}},
        {u"map"_s, {u"map"_s, misc}},      {u"area"_s, {u"ar"_s, misc}},
        {u"color"_s, {u"#"_s, misc}},      {u"edittag"_s, {u"<?>"_s, misc}},
        {u"open-br"_s, {u"<>"_s, misc}},   {u"close-br"_s, {u"</>"_s, misc}},
        {u"new"_s, {u"+"_s, file}},        {u"saveall"_s, {u"S*"_s, file}},
        {u"navigator"_s, {u"☰"_s, file}},  {u"wordwrap"_s, {u"↩"_s, file}},
        {u"options"_s, {u"⚙"_s, file}},    {u"project"_s, {u"◈"_s, file}},
        {u"validate"_s, {u"✓"_s, misc}},   {u"preview"_s, {u"◐"_s, file}},
    };
    return glyphs;
}

QIcon DrawGlyph(const TGlyph& g) {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        QPainterPath frame;
        frame.addRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
        p.fillPath(frame, g.Color.lighter(185));
        p.setPen(g.Color);
        p.drawPath(frame);
        QFont f(u"DejaVu Sans"_s);
        f.setBold(true);
        const int len = int(g.Text.size());
        f.setPixelSize(len <= 1 ? size * 2 / 3 : len == 2 ? size / 2 : size * 3 / 8);
        p.setFont(f);
        p.setPen(g.Color.darker(130));
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, g.Text);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

QIcon CommandIcon(const QString& key) {
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QStyle* st = QApplication::style();
    static const QHash<QString, QStyle::StandardPixmap> standard = {
        {u"open"_s, QStyle::SP_DialogOpenButton},
        {u"save"_s, QStyle::SP_DialogSaveButton},
        {u"saveas"_s, QStyle::SP_DialogSaveButton},
        {u"print"_s, QStyle::SP_FileIcon},
        {u"quit"_s, QStyle::SP_DialogCloseButton},
        {u"close"_s, QStyle::SP_DialogCloseButton},
        {u"help"_s, QStyle::SP_DialogHelpButton},
        {u"about"_s, QStyle::SP_MessageBoxInformation},
        {u"refresh"_s, QStyle::SP_BrowserReload},
        {u"undo"_s, QStyle::SP_ArrowBack},
        {u"browser"_s, QStyle::SP_DesktopIcon},
        {u"find"_s, QStyle::SP_FileDialogContentsView},
        {u"found"_s, QStyle::SP_FileDialogDetailedView},
    };
    QIcon icon;
    if (auto g = Glyphs().constFind(key); g != Glyphs().constEnd()) {
        icon = DrawGlyph(*g);
    } else if (auto s = standard.constFind(key); s != standard.constEnd() && st) {
        icon = st->standardIcon(*s);
    } else {
        static const QHash<QString, QString> themed = {
            {u"cut"_s, u"edit-cut"_s},
            {u"copy"_s, u"edit-copy"_s},
            {u"paste"_s, u"edit-paste"_s},
            {u"selectall"_s, u"edit-select-all"_s},
        };
        icon = QIcon::fromTheme(themed.value(key));
        if (icon.isNull()) {
            static const QHash<QString, QString> marks = {
                {u"cut"_s, u"✂"_s},          {u"copy"_s, u"⧉"_s},     {u"paste"_s, u"📋"_s},
                {u"selectall"_s, u"▣"_s},    {u"replace"_s, u"⇄"_s},  {u"move"_s, u"→"_s},
                {u"copyfile"_s, u"⇉"_s},     {u"prnsetup"_s, u"⎙"_s}, {u"newproject"_s, u"◈+"_s},
                {u"editproject"_s, u"◈…"_s},
            };
            icon = DrawGlyph({marks.value(key, u"?"_s), QColor(0x33, 0x66, 0x99)});
        }
    }
    cache.insert(key, icon);
    return icon;
}
