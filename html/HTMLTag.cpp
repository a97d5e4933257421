#include "html/HTMLTag.h"

#include "site/toolfunc.h"

#include <array>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The parser's states.
enum TTagState : int {
    tsOutside = 0,     // outside a tag
    tsOpen = 1,        // after "<"
    tsName = 2,        // in the tag name
    tsClosingName = 3, // in a closing tag's name
    tsDeclaration = 4, // in a "<!" declaration
    tsDeclBang = 5,    // after the declaration's second "!"
    tsBetween = 6,     // between attributes
    tsAttrName = 7,    // in an attribute name
    tsValue = 8,       // after "=" or in an unquoted value
    tsQuoted = 9,      // in a quoted value
    tsAfterQuote = 10, // after the closing quote
    tsSlash = 11,      // after "/" inside the tag
    tsClose = 12,      // after ">"
    tsError = 13,
    tsCount
};

enum TCharClass : int {
    ccOpen,
    ccClose,
    ccSlash,
    ccQuote,
    ccSpace,
    ccName,
    ccBang,
    ccEquals,
    ccOther,
    ccCount
};

// Next state by current state (rows) and character class (columns).
constexpr std::array<std::array<int, ccCount>, tsCount> kTransitions{{
    // open close slash quote space name bang equals other
    {{1, 0, 0, 0, 0, 0, 0, 0, 0}},          // 0
    {{1, 12, 3, 13, 1, 2, 4, 13, 13}},      // 1
    {{13, 12, 11, 13, 6, 2, 13, 13, 13}},   // 2
    {{13, 12, 13, 13, 13, 3, 13, 13, 13}},  // 3
    {{4, 4, 4, 4, 4, 4, 5, 4, 4}},          // 4
    {{13, 12, 13, 13, 5, 13, 13, 13, 13}},  // 5
    {{13, 12, 11, 13, 6, 7, 13, 13, 13}},   // 6
    {{13, 12, 11, 13, 6, 7, 13, 8, 13}},    // 7
    {{13, 12, 11, 9, 6, 8, 8, 13, 8}},      // 8
    {{9, 9, 9, 10, 9, 9, 9, 9, 9}},         // 9
    {{13, 12, 11, 13, 6, 13, 13, 13, 13}},  // 10
    {{13, 12, 13, 13, 13, 13, 13, 13, 13}}, // 11
    {{1, 0, 0, 0, 0, 0, 0, 0, 0}},          // 12
    {{13, 13, 13, 13, 13, 13, 13, 13, 13}}, // 13
}};

bool IsAsciiNameChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
           u == u'_' || u == u'-';
}

// The first quote character met becomes the tag's quote character; the other two then count as
// name characters, so a value in double quotes may hold an apostrophe.
TCharClass Classify(QChar c, QChar& quote) {
    switch (c.unicode()) {
    case u'<':
        return ccOpen;
    case u'>':
        return ccClose;
    case u'/':
        return ccSlash;
    case u'!':
        return ccBang;
    case u'=':
        return ccEquals;
    default:
        break;
    }
    if (IsQuoteChar(c)) {
        if (quote.isNull())
            quote = c;
        return c == quote ? ccQuote : ccName;
    }
    if (IsSpaceChar(c))
        return ccSpace;
    if (IsAsciiNameChar(c))
        return ccName;
    return ccOther;
}

// Blanks and control characters off both ends, as the rest of the program trims.
QString TrimControls(const QString& s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b).unicode() <= u' ')
        ++b;
    while (e > b && s.at(e - 1).unicode() <= u' ')
        --e;
    return s.mid(b, e - b);
}

// A value as written in the tag: in double quotes, unless it holds a double quote itself. Then
// apostrophes keep it readable, and when it holds both kinds the double quotes are written as
// the entity, the only form a browser reads back as the same value.
QString QuotedValue(const QString& value) {
    if (!value.contains(u'"'))
        return u'"' + value + u'"';
    if (!value.contains(u'\''))
        return u'\'' + value + u'\'';
    QString escaped = value;
    escaped.replace(u'"', u"&quot;"_s);
    return u'"' + escaped + u'"';
}

} // namespace

THTMLTag::THTMLTag(QObject* parent) : QObject(parent) {}

QString THTMLTag::NormalizeTagText(const QString& text) {
    // Removing blanks next to an "=" one at a time until none is left comes down to dropping
    // every run of blanks that touches an "=" on either side; done in one pass.
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t'; };
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (!isBlank(c)) {
            out.append(c);
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && isBlank(text.at(j)))
            ++j;
        const bool afterEquals = !out.isEmpty() && out.back() == u'=';
        const bool beforeEquals = j < n && text.at(j) == u'=';
        if (!afterEquals && !beforeEquals)
            out.append(QString(j - i, u' '));
        i = j;
    }
    return out;
}

void THTMLTag::Parse(const QString& text) {
    Clear();
    // The per-parse state stays local, so a handler that parses again from inside one of the
    // events cannot pull the text out from under this loop.
    QString pending;
    QChar quote;
    int state = tsOutside;
    const QString norm = NormalizeTagText(text);

    for (qsizetype i = 0; i < norm.size() && state != tsError; ++i) {
        const QChar c = norm.at(i);
        state = kTransitions[state][Classify(c, quote)];
        switch (state) {
        case tsOutside:
            if (!FTagName.isEmpty())
                FInnerText.append(c);
            break;
        case tsOpen:
            FWasClosed = false;
            Clear();
            break;
        case tsName:
        case tsClosingName:
            FTagName.append(c);
            break;
        case tsDeclaration:
        case tsDeclBang:
            break;
        case tsBetween:
            ProcessAttributeText(std::exchange(pending, QString()));
            break;
        case tsAttrName:
        case tsValue:
        case tsQuoted:
        case tsAfterQuote:
            pending.append(c);
            break;
        case tsSlash:
            FWasClosed = true;
            ProcessAttributeText(std::exchange(pending, QString()));
            break;
        case tsClose:
            ProcessAttributeText(std::exchange(pending, QString()));
            emit OnTagProcessed(this);
            break;
        case tsError:
        default: {
            Clear();
            // A tag text never comes near 2^31 characters; clamp rather than wrap all the same.
            const qsizetype pos = i + 1;
            emit OnError(this, pos > std::numeric_limits<qint32>::max()
                                   ? std::numeric_limits<qint32>::max()
                                   : static_cast<qint32>(pos));
            break;
        }
        }
    }
    // An attribute still open when the text ends is dropped with the pending text.
    FTagName = TrimControls(FTagName.toLower());
    if (state != tsError)
        emit OnAfterParse(this);
}

void THTMLTag::ProcessAttributeText(const QString& text) {
    const QString attr = TrimControls(text);
    if (attr.isEmpty())
        return;
    const qsizetype eq = attr.indexOf(u'=');
    if (eq < 0) {
        // A minimised attribute such as "checked" gets its own name as its value.
        if (IsValidTagName(attr))
            AddAttribute(attr.toLower(), attr);
        return;
    }
    const QString name = attr.left(eq);
    QString value = attr.mid(eq + 1);
    if (!value.isEmpty() && IsQuoteChar(value.front()) && value.back() == value.front()) {
        // A lone quote character is both the opening and the closing one.
        value = value.size() >= 2 ? value.mid(1, value.size() - 2) : QString();
    }
    if (IsValidTagName(name))
        AddAttribute(name.toLower(), value);
}

qsizetype THTMLTag::IndexOfAttribute(const QString& lowerName) const {
    return FAttrNames.indexOf(lowerName);
}

void THTMLTag::AddAttribute(const QString& name, const QString& value) {
    const QString lower = name.toLower();
    // An attribute without a name could not be written back as markup this model reads.
    if (lower.isEmpty() || lower == u"innertext"_s || IndexOfAttribute(lower) >= 0)
        return;
    FAttrNames.append(lower);
    FAttrValues.append(value);
    emit OnAddProperty(this);
}

void THTMLTag::SetAttribute(const QString& name, const QString& value) {
    const QString lower = name.toLower();
    const qsizetype i = IndexOfAttribute(lower);
    if (i < 0) {
        AddAttribute(lower, value);
        return;
    }
    FAttrValues[i] = value;
    emit OnChangeProperty(this);
}

void THTMLTag::DeleteAttribute(const QString& name) {
    const qsizetype i = IndexOfAttribute(name.toLower());
    if (i < 0)
        return;
    FAttrNames.removeAt(i);
    FAttrValues.removeAt(i);
    emit OnDeleteProperty(this);
}

THTMLTagProperty THTMLTag::GetAttribute(const QString& name) const {
    THTMLTagProperty p;
    p.AttrName = name.toLower();
    const qsizetype i = IndexOfAttribute(p.AttrName);
    if (i >= 0) {
        p.AttrValue = FAttrValues.at(i);
        p.Found = true;
    }
    return p;
}

THTMLTagProperty THTMLTag::GetAttributeByIndex(int index) const {
    THTMLTagProperty p;
    if (index >= 0 && index < FAttrNames.size()) {
        p.AttrName = FAttrNames.at(index).toLower();
        p.AttrValue = FAttrValues.at(index);
        p.Found = true;
    }
    return p;
}

int THTMLTag::AttributeCount() const {
    return static_cast<int>(FAttrNames.size());
}

bool THTMLTag::IsEmpty() const {
    return TrimControls(FTagName).isEmpty() && TrimControls(FInnerText).isEmpty() &&
           FAttrNames.isEmpty();
}

void THTMLTag::Clear() {
    FTagName.clear();
    FInnerText.clear();
    FAttrNames.clear();
    FAttrValues.clear();
    FAllowStrictNotation = false;
    // A cleared model holds no parsed tag, so it cannot hold a closed one either.
    FWasClosed = false;
}

void THTMLTag::setTagName(const QString& value) {
    if (IsValidTagName(value))
        FTagName = value.toLower();
}

QString THTMLTag::GetTagText() const {
    if (IsEmpty())
        return QString();
    if (FTagName.isEmpty())
        return FInnerText;

    QString s = u"<"_s + FTagName + u' ';
    for (qsizetype i = 0; i < FAttrNames.size(); ++i)
        s += FAttrNames.at(i) + u'=' + QuotedValue(FAttrValues.at(i)) + u' ';
    s.chop(1);

    if (!FAllowStrictNotation) {
        s += u'>' + FInnerText;
        if (FWasClosed)
            s += u"</"_s + FTagName + u'>';
    } else if (FWasClosed) {
        s += u" />"_s + FInnerText;
    } else {
        s += u'>' + FInnerText;
    }
    return s;
}
