#include "html/navigatorlogic.h"

#include "app/pathcase.h"
#include "app/textfile.h"
#include "html/HTMLParser.h"
#include "site/toolfunc.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

const std::array<TNavigatorKind, 6>& NavigatorKinds() {
    static const std::array<TNavigatorKind, 6> kinds = {{
        {"tbPageAnchors", u"Гиперссылки", niHyperlink, true},
        {"tbPageImages", u"Графика", niImage, true},
        {"tbPageObjects", u"Объекты", niObject, false},
        {"tbPageEmbeds", u"Подключаемые модули Netscape", niEmbed, true},
        {"tbPageFrames", u"Фреймы", niFrame, true},
        {"tbPageClasses", u"Классы CSS", niClass, false},
    }};
    return kinds;
}

QStringList NavigatorEntries(const THTMLParser& parser, int icon) {
    switch (icon) {
    case niHyperlink:
        return parser.HyperLinks() + parser.AreaLinks();
    case niImage:
        return parser.Images();
    case niObject:
        return parser.Objects();
    case niEmbed:
        return parser.Embeds();
    case niFrame:
        return parser.Frames();
    case niClass:
        return parser.CssClasses();
    default:
        return {};
    }
}

int BrokenIcon(int icon) {
    switch (icon) {
    case niHyperlink:
        return niHyperlinkBroken;
    case niImage:
        return niImageBroken;
    case niEmbed:
        return niEmbedBroken;
    case niFrame:
        return niFrameBroken;
    default:
        return icon;
    }
}

int ValidIcon(int icon) {
    switch (icon) {
    case niHyperlinkBroken:
        return niHyperlink;
    case niImageBroken:
        return niImage;
    case niEmbedBroken:
        return niEmbed;
    case niFrameBroken:
        return niFrame;
    default:
        return icon;
    }
}

QString NavigatorTabCaption(const QString& pageTitle, const QString& documentPath, QChar sep) {
    constexpr qsizetype kMaxTitle = 20;
    if (pageTitle.isEmpty())
        return ExtractFileName(documentPath, sep);
    if (pageTitle.size() <= kMaxTitle)
        return pageTitle;
    return pageTitle.left(kMaxTitle) + u"..."_s;
}

QString LinkTargetPath(const QString& link, const QString& documentPath) {
    const QString resolved = ResolveLink(link, documentPath);
    if (HasUrlScheme(resolved) || resolved.startsWith(u'#'))
        return {};
    // A link placed in no directory cannot be looked up: the page itself has no folder.
    if (ExtractFilePath(documentPath).isEmpty() || resolved == link.toLower())
        return {};
    QString path = resolved;
    // "page.html#part" names the file page.html; the fragment is no part of its name.
    const qsizetype fragment = path.indexOf(u'#');
    if (fragment >= 0)
        path.truncate(fragment);
    if (path.isEmpty())
        return {};
    // The link was lowercased together with the page's folder. The folder is known as it is
    // spelt on disk, so only the link's own part needs looking up without regard to case.
    const QString folder = ExtractFilePath(documentPath);
    const QString lowerFolder = folder.toLower();
    if (lowerFolder.size() == folder.size() && path.startsWith(lowerFolder))
        path.replace(0, folder.size(), folder);
    return FindPathNoCase(path);
}

int ValidatedIcon(const QString& caption, int icon, const QSet<QString>& anchorNames,
                  const QString& documentPath) {
    if (caption.isEmpty() || HasUrlScheme(caption))
        return icon;
    if (caption.startsWith(u'#'))
        return anchorNames.contains(caption.mid(1)) ? niHyperlink : niHyperlinkBroken;
    const QString path = LinkTargetPath(caption, documentPath);
    return !path.isEmpty() && IsExistingFile(path) ? ValidIcon(icon) : BrokenIcon(icon);
}

int FindTextNoCase(const QString& text, const QString& what) {
    return int(text.indexOf(what, 0, Qt::CaseInsensitive));
}
