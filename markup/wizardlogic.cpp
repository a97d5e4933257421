#include "markup/wizardlogic.h"

#include "site/toolfunc.h"

using namespace Qt::StringLiterals;

namespace {
const QString kInfiniteLoop = u"Бесконечно"_s;
}

QStringList NewPageLoopEntries() {
    QStringList entries{kInfiniteLoop};
    for (int n = 1; n <= 20; ++n)
        entries << QString::number(n);
    for (int n = 22; n <= 50; n += 2)
        entries << QString::number(n);
    return entries;
}

QStringList NewPageTypes() {
    return {u"HTML"_s, u"XHTML"_s, u"ASP"_s, u"PHP"_s};
}

QString NewPageText(const TNewPageFields& f) {
    QStringList lines;
    if (f.PageType == u"HTML") {
        lines << u"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//RU\">"_s << u"<html>"_s;
    } else {
        // The encoding pseudo-attribute, so that XML parsers accept the declaration.
        lines << u"<?xml version=\"1.0\" encoding=\"windows-1251\" ?>"_s
              << u"<!DOCTYPE xhtml PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//RU\" "
                 u"\"DTD/xhtml1-transitional.dtd\">"_s
              << u"<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"ru\" lang=\"ru\">"_s;
    }
    lines << u"<head>"_s << u"<title>"_s + f.Title + u"</title>"_s
          << u"<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1251\" />"_s;
    if (!f.Description.isEmpty())
        lines << u"<meta http-equiv=\"description\" content=\""_s + f.Description + u"\" />"_s;
    if (!f.Keywords.isEmpty())
        lines << u"<meta http-equiv=\"keywords\" content=\""_s + f.Keywords + u"\" />"_s;
    lines << u"<meta http-equiv=\"generator\" content=\"Quorvane\" />"_s;
    if (!f.StyleSheetHref.isEmpty())
        lines << u"<link rel=\"stylesheet\" href=\""_s + f.StyleSheetHref +
                     u"\" type=\"text/css\" />"_s;
    lines << u"</head>"_s;

    QString body = u"<body"_s;
    if (f.UseTemplate) {
        const TColorTemplate& c = f.Colors;
        body += u" bgcolor=\""_s + ColorToHtml(c.BgColor) + u"\" text=\""_s +
                ColorToHtml(c.TextColor) + u"\" link=\""_s + ColorToHtml(c.LinkColor) +
                u"\" vlink=\""_s + ColorToHtml(c.VLinkColor) + u"\" alink=\""_s +
                ColorToHtml(c.ALinkColor) + u'"';
    }
    if (!f.Background.trimmed().isEmpty()) {
        body += u" background=\""_s + f.Background + u'"';
        if (f.FixedBackground)
            body += u" bgproperties=\"fixed\""_s;
    }
    lines << body + u'>';
    if (!f.Sound.trimmed().isEmpty()) {
        const QString loop = f.Loop == kInfiniteLoop || f.Loop.isEmpty() ? u"infinite"_s : f.Loop;
        lines << u"<bgsound src=\""_s + f.Sound + u"\" loop=\""_s + loop + u"\" />"_s;
    }
    lines << QString() << QString() << QString() << u"</body>"_s << u"</html>"_s;
    return lines.join(u'\n') + u'\n';
}

QString NewPageFileName(const QString& typedName, const QString& pageType) {
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return name;
    if (ExtractFileExt(name).isEmpty())
        return name + u'.' + pageType;
    return name;
}

QString NewPagePath(const QString& rootDir, const QString& fileName, QChar sep) {
    QString root = rootDir;
    while (root.endsWith(sep))
        root.chop(1);
    return root + sep + fileName;
}
