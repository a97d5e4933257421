#include "html/HTMLParser.h"

#include "app/textfile.h"
#include "site/toolfunc.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::StringLiterals;

// The scan never copies or cuts the remaining text: it walks the page by position and looks at
// each tag in place. Only tags whose attributes are wanted get a lowercased working copy, in one
// buffer reused from tag to tag, so a scan costs time in proportion to the page and almost no
// memory beyond the results.

namespace {

enum class TTagKind {
    Other,
    Title,
    Style,
    Link,
    A,
    Applet,
    Area,
    Embed,
    Form,
    Frame, // "frame" and "iframe"
    Img,
    Script,
    Object,
    Meta,
    Body,
};

// Lowercasing of the Windows-1251 letters: the Latin ones and the Cyrillic ones (with Ё, the
// Serbian, Macedonian, Ukrainian and Belarusian letters and Ґ). Every other character stays.
constexpr char16_t Lower1251(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 0x20) : c;
    if (c >= 0x0410 && c <= 0x042F)
        return char16_t(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F)
        return char16_t(c + 0x50);
    if (c == 0x0490)
        return 0x0491;
    return c;
}

// Position of the first `c` in `text` at or after `from`, or -1. Tags are a few dozen characters
// apart, so an inline search that needs no call and no set-up pays off over the library's.
qsizetype FindChar(QStringView text, qsizetype from, char16_t c) {
    const char16_t* d = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi16(short(c));
    for (; i + 8 <= n; i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, needle)));
        if (mask != 0)
            return i + std::countr_zero(mask) / 2;
    }
#endif
    for (; i < n; ++i) {
        if (d[i] == c)
            return i;
    }
    return -1;
}

// A quick hash of a short text for the duplicate tables: eight bytes per step, seeded per run.
size_t HashText(QStringView text, size_t seed) {
    constexpr quint64 K = 0x9E3779B97F4A7C15ull;
    const char16_t* d = text.utf16();
    const qsizetype n = text.size();
    quint64 h = quint64(seed) ^ (quint64(n) * K);
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        quint64 w;
        std::memcpy(&w, d + i, sizeof w);
        h = (std::rotl(h, 5) ^ w) * K;
    }
    for (; i < n; ++i)
        h = (std::rotl(h, 5) ^ d[i]) * K;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return size_t(h);
}

// ASCII characters as a tag's attributes are read: lowercased, line breaks and tabs as spaces.
constexpr auto AsciiTagChar = [] {
    std::array<char16_t, 128> map{};
    for (char16_t c = 0; c < 128; ++c)
        map[c] = (c == u'\r' || c == u'\n' || c == u'\t') ? u' ' : Lower1251(c);
    return map;
}();

// Spaces and control characters, the set that trimming removes.
inline bool IsBlank(char16_t c) {
    return c <= 0x20;
}

// Inside a tag, line breaks and tabs count as spaces.
inline bool IsTagSpace(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t';
}

inline bool IsClassEnd(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || c == u'{';
}

QStringView TrimBlanks(QStringView v) {
    qsizetype b = 0;
    qsizetype e = v.size();
    while (b < e && IsBlank(v[b].unicode()))
        ++b;
    while (e > b && IsBlank(v[e - 1].unicode()))
        --e;
    return v.sliced(b, e - b);
}

// The kind of a tag from its (trimmed, not yet lowercased) text. The name runs up to the first
// space, line break, tab or "/"; a closing tag therefore has an empty name.
TTagKind ClassifyTag(QStringView tag) {
    using K = TTagKind;
    constexpr qsizetype MaxName = 6; // the longest name of interest: "applet", "iframe", ...
    char16_t name[MaxName];
    qsizetype len = 0;
    for (QChar qc : tag) {
        const char16_t c = qc.unicode();
        if (IsTagSpace(c) || c == u'/')
            break;
        if (len == MaxName)
            return K::Other;
        name[len++] = Lower1251(c);
    }
    const auto is = [&](std::u16string_view want) {
        return std::u16string_view(name, size_t(len)) == want;
    };
    switch (len) {
    case 1:
        return is(u"a") ? K::A : K::Other;
    case 3:
        return is(u"img") ? K::Img : K::Other;
    case 4:
        if (is(u"link"))
            return K::Link;
        if (is(u"area"))
            return K::Area;
        if (is(u"form"))
            return K::Form;
        if (is(u"meta"))
            return K::Meta;
        if (is(u"body"))
            return K::Body;
        return K::Other;
    case 5:
        if (is(u"title"))
            return K::Title;
        if (is(u"style"))
            return K::Style;
        if (is(u"embed"))
            return K::Embed;
        if (is(u"frame"))
            return K::Frame;
        return K::Other;
    case 6:
        if (is(u"script"))
            return K::Script;
        if (is(u"applet"))
            return K::Applet;
        if (is(u"object"))
            return K::Object;
        if (is(u"iframe"))
            return K::Frame;
        return K::Other;
    default:
        return K::Other;
    }
}

} // namespace

void THTMLParser::TUniqueList::Add(QStringView value) {
    AddText(value, nullptr);
}

void THTMLParser::TUniqueList::Add(const QString& value) {
    AddText(value, &value);
}

void THTMLParser::TUniqueList::AddText(QStringView value, const QString* shared) {
    if (value.isEmpty())
        return;
    if (Slots.size() < 2 * (Hashes.size() + 1))
        Grow();
    const size_t hash = HashText(value, Seed);
    const size_t mask = Slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const quint32 slot = Slots[i];
        if (slot == 0) {
            Items.append(shared ? *shared : value.toString());
            Hashes.push_back(hash);
            Slots[i] = quint32(Hashes.size());
            return;
        }
        if (Hashes[slot - 1] == hash) {
            const QString& item = Items[slot - 1];
            if (item.size() == value.size() &&
                std::equal(value.utf16(), value.utf16() + value.size(), item.utf16()))
                return;
        }
    }
}

void THTMLParser::TUniqueList::Grow() {
    std::vector<quint32> table(std::max<size_t>(64, Slots.size() * 2), 0);
    const size_t mask = table.size() - 1;
    for (size_t n = 0; n < Hashes.size(); ++n) {
        size_t i = Hashes[n] & mask;
        while (table[i] != 0)
            i = (i + 1) & mask;
        table[i] = quint32(n + 1);
    }
    Slots = std::move(table);
}

void THTMLParser::TUniqueList::Clear() {
    Items.clear();
    Slots.clear();
    Hashes.clear();
}

THTMLParser::THTMLParser(QObject* owner) : QObject(owner) {}

THTMLParser::~THTMLParser() = default;

void THTMLParser::setFileName(const QString& name) {
    if (!QFileInfo(name).isFile())
        return;
    FFileName = name;
    ParseFile();
}

void THTMLParser::ParseFile() {
    if (FParsing || !QFileInfo(FFileName).isFile())
        return;
    Parse(ReadTextFile(FFileName));
}

namespace {
// The source editor offers its exact text as "pageText" (plain editors turn non-breaking spaces
// into blanks in "plainText"); any other plain-text control is read through "plainText".
QString EditorText(QObject* editor) {
    const QVariant exact = editor->property("pageText");
    return exact.isValid() ? exact.toString() : editor->property("plainText").toString();
}
} // namespace

void THTMLParser::ParseEditor() {
    if (FParsing)
        return;
    if (QObject* editor = FPageEditor.data())
        Parse(EditorText(editor));
}

void THTMLParser::ParseHead() {
    if (FParsing)
        return;
    const bool wasLight = FLightMode;
    FLightMode = true;
    QPointer<THTMLParser> self(this);
    const auto restore = qScopeGuard([&] {
        if (self)
            FLightMode = wasLight;
    });
    ParseEditor();
}

THTMLParser::TSnapshot THTMLParser::Snapshot() const {
    return {FFileName,   FPageTitle, FGenerator, FAuthor,      FKeywords,   FDescription,
            FHyperLinks, FApplets,   FAreaLinks, FAnchorNames, FEmbeds,     FFormNames,
            FFrames,     FImages,    FObjects,   FScripts,     FCssClasses, FStyleSheets};
}

void THTMLParser::Restore(const TSnapshot& r) {
    if (FParsing)
        return;
    const TRunning running(this);
    emit OnBeforeParse(this);
    if (!running.Alive())
        return;
    FFileName = r.FileName;
    FPageTitle = r.PageTitle;
    FGenerator = r.Generator;
    FAuthor = r.Author;
    FKeywords = r.Keywords;
    FDescription = r.Description;
    FHyperLinks = r.HyperLinks;
    FApplets = r.Applets;
    FAreaLinks = r.AreaLinks;
    FAnchorNames = r.AnchorNames;
    FEmbeds = r.Embeds;
    FFormNames = r.FormNames;
    FFrames = r.Frames;
    FImages = r.Images;
    FObjects = r.Objects;
    FScripts = r.Scripts;
    FCssClasses = r.CssClasses;
    FStyleSheets = r.StyleSheets;
    ++FScanCount;
    emit OnAfterParse(this);
}

void THTMLParser::Clear() {
    FHyperLinks.Clear();
    FApplets.Clear();
    FAreaLinks.Clear();
    FAnchorNames.Clear();
    FCssClasses.clear();
    FEmbeds.Clear();
    FFormNames.Clear();
    FFrames.Clear();
    FImages.Clear();
    FObjects.Clear();
    FScripts.Clear();
    FStyleSheets.clear();
    FPageTitle.clear();
    FGenerator.clear();
    FAuthor.clear();
    FKeywords.clear();
    FDescription.clear();
}

void THTMLParser::Parse(const QString& text) {
    ParseKeeping(text, nullptr);
}

void THTMLParser::ParseKeeping(const QString& text, const std::shared_ptr<TScanChunks>& keep) {
    // The progress handler lets the user act in the middle of a scan; a second scan started from
    // there would walk lists that this one is filling.
    if (FParsing)
        return;
    // Our own reference: the caller's string may change while handlers run.
    const QString page = text;
    const TRunning running(this);

    const bool light = FLightMode;
    if (light) {
        FCssClasses.clear();
        FStyleSheets.clear();
        FPageTitle.clear();
        FGenerator.clear();
        FAuthor.clear();
        FKeywords.clear();
        FDescription.clear();
    } else {
        Clear();
    }
    // The stretches are kept only from a full scan of a text that did not change meanwhile.
    const TBuilding building(light ? nullptr : keep.get());

    emit OnBeforeParse(this);
    if (!running.Alive())
        return;

    std::vector<TScanChunk> chunks;
    TProgress progress{0, page.size(), 0};
    if (ScanStretches(page, true, &progress, light, chunks) == TStretchEnd::Destroyed)
        return;
    Assemble(chunks);
    building.Keep(std::move(chunks), page.size());
    ++FScanCount;
    emit OnAfterParse(this);
}

THTMLParser::TStretchEnd THTMLParser::ScanStretches(QStringView s, bool reachesEnd,
                                                    TProgress* progress, bool light,
                                                    std::vector<TScanChunk>& out,
                                                    qsizetype stretch) {
    QPointer<THTMLParser> self(this);
    TUniqueList lists[TScanFinds::ListCount];
    TScanChunk chunk;
    // Closes the stretch at `at`: its unique lists become plain lists.
    const auto cut = [&](qsizetype at) {
        chunk.Length = at - chunk.Start;
        for (int k = 0; k < TScanFinds::ListCount; ++k) {
            chunk.Finds.Lists[k] = std::move(lists[k].Items);
            lists[k].Clear();
        }
        out.push_back(std::move(chunk));
        chunk = TScanChunk();
        chunk.Start = at;
    };
    // The text up to the next "<" from `from`, or to the end when there is none; empty and
    // false when the text goes on past its end.
    const auto untilNextTag = [&](qsizetype from, QStringView* text) {
        const qsizetype next = FindChar(s, from, u'<');
        if (next < 0 && !reachesEnd)
            return false;
        *text = s.sliced(from, (next < 0 ? s.size() : next) - from);
        return true;
    };
    const auto attr = [&](TScanFinds::TList list, QStringView key) {
        lists[list].Add(AttrValue(key));
    };

    qsizetype pos = 0; // start of the text not yet read
    for (;;) {
        const qsizetype open = FindChar(s, pos, u'<');
        if (open < 0)
            break;
        // The first ">" ends the tag, quoted or not. Without one there is no further tag.
        const qsizetype close = FindChar(s, open + 1, u'>');
        if (close < 0) {
            if (!reachesEnd)
                return TStretchEnd::NeedMore;
            break;
        }
        // Between tags a whole scan reads from here exactly as from the start of a text.
        if (open - chunk.Start >= stretch)
            cut(open);

        if (progress && progress->Base + open >= progress->ReportedUpTo) {
            progress->ReportedUpTo = progress->Base + open + 1;
            const qint64 rest = qMax<qint64>(0, progress->Total - progress->Read);
            emit OnParse(this, quint8(100 - rest * 100 / qMax<qint64>(1, progress->Total)));
            if (!self)
                return TStretchEnd::Destroyed;
        }

        const QStringView tag = TrimBlanks(s.sliced(open + 1, close - open - 1));
        pos = close + 1;

        TScanFinds& f = chunk.Finds;
        const TTagKind kind = ClassifyTag(tag);
        switch (kind) {
        case TTagKind::Other:
            break;
        case TTagKind::Body:
            if (light) {
                cut(s.size());
                return TStretchEnd::Body;
            }
            break;
        case TTagKind::Title: {
            QStringView text;
            if (!untilNextTag(pos, &text))
                return TStretchEnd::NeedMore;
            QString title = text.toString();
            title.replace(u'\n', u' ');
            title.replace(u'\r', u' ');
            f.Title = std::move(title);
            break;
        }
        case TTagKind::Style: {
            QStringView text;
            if (!untilNextTag(pos, &text))
                return TStretchEnd::NeedMore;
            TScanFinds::TCss css;
            ParseClasses(text, css.Classes);
            f.Css.push_back(std::move(css));
            break;
        }
        case TTagKind::Link: {
            PrepareAttrText(tag);
            const QStringView href = AttrValue(u" href=");
            if (!href.isEmpty()) {
                f.StyleSheets.append(href.toString());
                f.Css.push_back({true, f.StyleSheets.constLast(), {}});
            }
            break;
        }
        case TTagKind::A:
            PrepareAttrText(tag);
            attr(TScanFinds::HyperLinks, u" href=");
            attr(TScanFinds::AnchorNames, u" name=");
            break;
        case TTagKind::Applet:
            PrepareAttrText(tag);
            attr(TScanFinds::Applets, u" code=");
            break;
        case TTagKind::Area:
            PrepareAttrText(tag);
            attr(TScanFinds::AreaLinks, u" href=");
            break;
        case TTagKind::Embed:
            PrepareAttrText(tag);
            attr(TScanFinds::Embeds, u" src=");
            break;
        case TTagKind::Form:
            PrepareAttrText(tag);
            attr(TScanFinds::FormNames, u" name=");
            break;
        case TTagKind::Frame:
            PrepareAttrText(tag);
            attr(TScanFinds::Frames, u" src=");
            break;
        case TTagKind::Img:
            PrepareAttrText(tag);
            attr(TScanFinds::Images, u" src=");
            break;
        case TTagKind::Script: {
            PrepareAttrText(tag);
            attr(TScanFinds::Scripts, u" src=");
            // The script body is not markup: go straight to its next "<".
            const qsizetype next = FindChar(s, pos, u'<');
            if (next >= 0)
                pos = next;
            break;
        }
        case TTagKind::Object:
            PrepareAttrText(tag);
            attr(TScanFinds::Objects, u" classid=");
            break;
        case TTagKind::Meta: {
            PrepareAttrText(tag);
            QStringView key = AttrValue(u" http-equiv=");
            if (key.isEmpty())
                key = AttrValue(u" name=");
            std::optional<QString>* target = key == u"generator"     ? &f.Generator
                                             : key == u"author"      ? &f.Author
                                             : key == u"keywords"    ? &f.Keywords
                                             : key == u"description" ? &f.Description
                                                                     : nullptr;
            if (target)
                *target = AttrValue(u" content=").toString();
            break;
        }
        }
        if (progress)
            progress->Read = progress->Base + pos;
    }
    cut(s.size());
    return TStretchEnd::Done;
}

// The tag text as attribute values are read from it: lowercased, line breaks and tabs as spaces,
// a single space before and after each "=" removed (first every " =", then every "= ", each in
// one left-to-right pass), a final "/" dropped, and one space put at each end.
void THTMLParser::PrepareAttrText(QStringView tag) {
    const qsizetype n = tag.size();
    FAttrText.resize(n + 2);
    char16_t* out = reinterpret_cast<char16_t*>(FAttrText.data());
    qsizetype k = 0;
    out[k++] = u' ';
    const char16_t* in = tag.utf16();
    char16_t prev = 0; // last character left by the " =" pass
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i] < 0x80 ? AsciiTagChar[in[i]] : Lower1251(in[i]);
        if (c == u' ') {
            if (i + 1 < n && in[i + 1] == u'=')
                continue;
            if (prev == u'=') {
                prev = c;
                continue;
            }
        }
        prev = c;
        out[k++] = c;
    }
    while (k > 1 && IsBlank(out[k - 1]))
        --k;
    if (k > 1 && out[k - 1] == u'/')
        --k;
    out[k++] = u' ';
    FAttrText.resize(k);
}

// `key` is the attribute name with a space before it and "=" after it. Because the search is for
// that text, it can also hit inside an earlier quoted value that holds a space, the name and "=".
QStringView THTMLParser::AttrValue(QStringView key) const {
    const QStringView text(FAttrText);
    // Tag texts are short: a plain walk beats a general substring search here.
    const char16_t* d = text.utf16();
    const char16_t* k = key.utf16();
    const qsizetype keyLength = key.size();
    const qsizetype last = text.size() - keyLength;
    qsizetype at = 0;
    for (; at <= last; ++at) {
        if (d[at] == k[0] && d[at + 1] == k[1] && std::equal(k + 2, k + keyLength, d + at + 2))
            break;
    }
    if (at > last)
        return {};
    const qsizetype from = at + key.size(); // text ends with a space, so this is inside it
    const QChar quote = text[from];
    if (quote == u'"' || quote == u'\'') {
        // The value ends where the same quote is followed by a space; a quote followed by a
        // space right away (a value that begins with a space) gives nothing.
        qsizetype end = -1;
        for (qsizetype i = from; i + 1 < text.size(); ++i) {
            if (text[i] == quote && text[i + 1] == u' ') {
                end = i;
                break;
            }
        }
        if (end <= from)
            return {};
        return TrimBlanks(text.sliced(from + 1, end - from - 1));
    }
    const qsizetype end = FindChar(text, from, u' ');
    return TrimBlanks(text.sliced(from, end - from));
}

// Every "." starts a class name that runs to the next blank, line break, tab or "{". The scan is
// deliberately naive: dots in numbers and file names give names too, and empty names are kept.
void THTMLParser::ParseClasses(QStringView styleText, QStringList& into) {
    const qsizetype n = styleText.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype dot = FindChar(styleText, i, u'.');
        if (dot < 0)
            break;
        qsizetype end = dot + 1;
        while (end < n && !IsClassEnd(styleText[end].unicode()))
            ++end;
        into.append(styleText.sliced(dot + 1, end - dot - 1).toString());
        i = end + 1;
    }
}

// A linked style sheet is read from the page's own folder. Links are lowercased by then, so the
// file is looked up without regard to letter case (the exact name first).
void THTMLParser::LoadLinkedStyleSheet(const QString& link) {
    if (link.contains(u':'))
        return; // an address with a scheme, or a drive path
    // A page that is not on disk has no folder; do not guess one (it would be the program's
    // working folder, or the file-system root for a link that begins with "/").
    if (FFileName.isEmpty())
        return;
    const QChar sep = QDir::separator();
    const QString rel = ReplaceChar(link, u'/', sep, true);
    const QString path =
        rel.startsWith(sep) ? ExtractFileDir(FFileName) + rel : ExtractFilePath(FFileName) + rel;
    const QString onDisk = FindPathNoCase(path);
    if (!QFileInfo(onDisk).isFile())
        return;
    try {
        ParseClasses(ReadTextFile(onDisk), FCssClasses);
    } catch (const EFileError&) {
        // An unreadable style sheet is skipped like a missing one: the scan reports nothing.
    }
}
