#include "site/toolfunc.h"

using namespace Qt::StringLiterals;

namespace {

bool IsAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Windows-1251 codes 0xC0..0xFF are exactly А..я.
bool IsCyrillicLetter(QChar c) {
    return c.unicode() >= 0x0410 && c.unicode() <= 0x044F;
}

// Blanks and control characters, as trimmed from both ends of a link.
bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20;
}

bool IsDelimiter(QChar c, QChar sep) {
    // A drive letter's colon ends the directory part only in the Windows form.
    return c == sep || (sep == u'\\' && c == u':');
}

// Index of the last path delimiter, -1 when there is none.
qsizetype LastDelimiter(const QString& path, QChar sep) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsDelimiter(path.at(i), sep))
            return i;
    }
    return -1;
}

// The extension without its dot, for the file classes. Both slash forms end the directory
// part here: a name may arrive in the Windows form (a resolved link) or the native one.
QString ExtensionOf(const QString& fileName) {
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == u'.')
            return fileName.mid(i + 1);
        if (c == u'/' || c == u'\\')
            break;
    }
    return {};
}

bool ShortExtensionIn(const QString& fileName, std::initializer_list<QStringView> types) {
    const QString ext = ExtensionOf(fileName).left(3).toLower();
    if (ext.isEmpty())
        return false;
    for (QStringView t : types) {
        if (ext == t)
            return true;
    }
    return false;
}

QString TrimLink(const QString& s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && IsBlankOrControl(s.at(from)))
        ++from;
    while (to > from && IsBlankOrControl(s.at(to - 1)))
        --to;
    return s.mid(from, to - from);
}

} // namespace

bool IsDigitChar(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsLetterChar(QChar c) {
    return IsAsciiLetter(c) || IsCyrillicLetter(c);
}

bool IsAlnumChar(QChar c) {
    return IsDigitChar(c) || IsLetterChar(c);
}

bool IsSpaceChar(QChar c) {
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ';
}

bool IsQuoteChar(QChar c) {
    return c == u'"' || c == u'\'' || c == u'`';
}

bool IsHexChar(QChar c) {
    return IsDigitChar(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool IsValidDirName(const QString& name) {
    if (name.isEmpty() || !IsAlnumChar(name.front()) || !IsAlnumChar(name.back()))
        return false;
    for (QChar c : name) {
        if (!IsAlnumChar(c) && c != u'-' && c != u'.' && c != u'_')
            return false;
    }
    return !name.contains(u".."_s) && !name.contains(u".-"_s) && !name.contains(u"-."_s);
}

bool IsValidTagName(const QString& name) {
    if (name.isEmpty())
        return false;
    if (!IsLetterChar(name.front()) && name.front() != u'_')
        return false;
    for (QChar c : name) {
        if (!IsAlnumChar(c) && c != u'-' && c != u'_')
            return false;
    }
    return true;
}

bool IsValidFileName(const QString& name) {
    // "." and ".." name a folder, not a file; control characters (NUL above all, which would
    // cut the name short on its way to the system) cannot be part of a file name on Windows
    // and only cause trouble elsewhere.
    if (name == u"."_s || name == u".."_s)
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20)
            return false;
        switch (c.unicode()) {
        case u'\\':
        case u'/':
        case u':':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|':
        case u'*':
            return false;
        default:
            break;
        }
    }
    return true;
}

QString ByteToHex(int value) {
    static constexpr char16_t Digits[] = u"0123456789abcdef";
    const int b = value & 0xFF;
    const QChar pair[2] = {QChar(Digits[b >> 4]), QChar(Digits[b & 0xF])};
    return QString(pair, 2);
}

int HexToByte(const QString& text) {
    const QString s = text.toLower();
    if (s.size() < 2 || !IsHexChar(s.at(0)) || !IsHexChar(s.at(1)))
        return 0;
    return QStringView(s).left(2).toInt(nullptr, 16);
}

QString ColorToHtml(TColor color) {
    return u'#' + ByteToHex(int(color & 0xFF)) + ByteToHex(int((color >> 8) & 0xFF)) +
           ByteToHex(int((color >> 16) & 0xFF));
}

TColor HtmlToColor(const QString& text) {
    if (text.size() != 7 || text.front() != u'#')
        return 0;
    for (qsizetype i = 1; i < 7; ++i) {
        if (!IsHexChar(text.at(i)))
            return 0;
    }
    const TColor r = TColor(HexToByte(text.mid(1, 2)));
    const TColor g = TColor(HexToByte(text.mid(3, 2)));
    const TColor b = TColor(HexToByte(text.mid(5, 2)));
    return r | (g << 8) | (b << 16);
}

bool IsHtmlFile(const QString& fileName) {
    return ShortExtensionIn(
        fileName, {u"htm", u"xht", u"css", u"xml", u"asp", u"cfm", u"sht", u"xsl", u"php"});
}

bool IsImageFile(const QString& fileName) {
    return ShortExtensionIn(fileName, {u"gif", u"jpg", u"jpe", u"jfi", u"png", u"tif"});
}

bool IsScriptFile(const QString& fileName) {
    const QString ext = ExtensionOf(fileName).toLower();
    return ext == u"js"_s || ext == u"jsp"_s || ext == u"class"_s || ext == u"vbs"_s ||
           ext == u"vba"_s;
}

bool HasUrlScheme(const QString& link) {
    const qsizetype colon = link.indexOf(u':');
    if (colon < 0)
        return false;
    QString scheme = link.left(colon);
    for (QChar& c : scheme) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    // "javascript" is not a place on disk: such links must be neither opened nor marked broken.
    static const QStringList Schemes = {u"http"_s,   u"ftp"_s,    u"https"_s, u"nntp"_s,
                                        u"news"_s,   u"mailto"_s, u"wais"_s,  u"telnet"_s,
                                        u"gopher"_s, u"res"_s,    u"file"_s,  u"javascript"_s};
    return Schemes.contains(scheme);
}

QString ResolveLink(const QString& link, const QString& pageFile, QChar sep) {
    // An empty link names the page's own folder: the result is then the page's directory part,
    // passed through the same steps as any other link.
    const QString trimmed = TrimLink(link);
    if (HasUrlScheme(trimmed) || trimmed.startsWith(u'#'))
        return trimmed;
    QString path = ExtractFilePath(pageFile, sep) + trimmed;
    path = ReplaceChar(path, u'/', sep, true).toLower();
    const qsizetype query = path.indexOf(u'?');
    if (query >= 0)
        path.truncate(query);
    return path;
}

QString ExtractFilePath(const QString& path, QChar sep) {
    return path.left(LastDelimiter(path, sep) + 1);
}

QString ExtractFileDir(const QString& path, QChar sep) {
    qsizetype i = LastDelimiter(path, sep);
    // Drop the trailing separator unless it is the root's own ("/", "\", "C:\").
    if (i > 0 && path.at(i) == sep && !IsDelimiter(path.at(i - 1), sep))
        --i;
    return path.left(i + 1);
}

QString ExtractFileName(const QString& path, QChar sep) {
    return path.mid(LastDelimiter(path, sep) + 1);
}

QString ExtractFileExt(const QString& path, QChar sep) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == u'.')
            return path.mid(i);
        if (IsDelimiter(c, sep))
            break;
    }
    return {};
}

QString ReplaceChar(const QString& s, QChar from, QChar to, bool exactCase) {
    if (from == to)
        return s;
    QString result = s;
    if (exactCase) {
        result.replace(from, to);
    } else {
        const QChar lower = from.toLower();
        const QChar upper = from.toUpper();
        for (QChar& c : result) {
            if (c == from || c == lower || c == upper)
                c = to;
        }
    }
    return result;
}

bool ListContains(const QString& s, const QStringList& list, bool ignoreCase) {
    if (!ignoreCase)
        return list.contains(s);
    const QString key = s.toLower();
    for (const QString& item : list) {
        if (item.toLower() == key)
            return true;
    }
    return false;
}

QString ReverseStr(const QString& s) {
    // Reversed by code point, so a surrogate pair stays a valid pair.
    QString result;
    result.reserve(s.size());
    for (qsizetype i = s.size(); i > 0;) {
        --i;
        if (i > 0 && s.at(i).isLowSurrogate() && s.at(i - 1).isHighSurrogate()) {
            result += s.at(i - 1);
            result += s.at(i);
            --i;
        } else {
            result += s.at(i);
        }
    }
    return result;
}

int CountChar(const QString& s, QChar c) {
    return int(s.count(c));
}

bool InputFilterAccepts(TInputFilter filter, QChar c) {
    switch (filter) {
    case TInputFilter::Number:
        return IsDigitChar(c);
    case TInputFilter::Size:
        return IsDigitChar(c) || c == u'%';
    case TInputFilter::Name:
        return IsAlnumChar(c) || c == u'_';
    case TInputFilter::MimeType:
        return IsAlnumChar(c) || c == u'-' || c == u'.' || c == u'/';
    }
    return false;
}
