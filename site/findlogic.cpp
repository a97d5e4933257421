#include "site/findlogic.h"

#include "app/textfile.h"
#include "site/DirectoryScanner.h"
#include "site/toolfunc.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The folded form of every UTF-16 code unit, made once: folding a large text is then one table
// look-up a character.
const std::array<char16_t, 0x10000>& FoldTable() {
    static const std::unique_ptr<std::array<char16_t, 0x10000>> table = [] {
        auto t = std::make_unique<std::array<char16_t, 0x10000>>();
        for (char32_t c = 0; c < 0x10000; ++c) {
            // Surrogates stay themselves; a simple lowercase that leaves the BMP would change
            // the length, so such a character stays too.
            const char32_t lower = QChar::isSurrogate(c) ? c : QChar::toLower(c);
            (*t)[c] = lower < 0x10000 ? char16_t(lower) : char16_t(c);
        }
        return t;
    }();
    return *table;
}

bool HasLineBreak(QStringView s) {
    return s.contains(u'\n') || s.contains(u'\r');
}

QList<TFoundLine> CollectLines(QStringView text, const TTextMatcher& matcher) {
    QList<TFoundLine> rows;
    qsizetype p = matcher.Next(0);
    qsizetype line = 0;    // line breaks before `counted`
    qsizetype counted = 0; // where counting stopped
    qsizetype lineEnd = -1;
    QString lineText;
    while (p >= 0) {
        if (p >= lineEnd) {
            // A new line: count the breaks since the last hit and cut out this line only.
            line += std::count(text.begin() + counted, text.begin() + p, u'\n');
            counted = p;
            qsizetype lineStart = p;
            while (lineStart > 0 && text[lineStart - 1] != u'\n')
                --lineStart;
            lineEnd = text.indexOf(u'\n', p);
            if (lineEnd < 0)
                lineEnd = text.size();
            lineText = text.mid(lineStart, lineEnd - lineStart).toString();
        }
        rows.append(TFoundLine{line, lineText});
        p = matcher.Next(p + 1);
    }
    return rows;
}

} // namespace

QChar FoldChar(QChar c) {
    return QChar(FoldTable()[c.unicode()]);
}

QString FoldCase(QStringView text) {
    const auto& table = FoldTable();
    QString out(text.size(), Qt::Uninitialized);
    const char16_t* in = text.utf16();
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        o[i] = table[in[i]];
    return out;
}

bool IsWholeWordAt(QStringView text, qsizetype pos, qsizetype length) {
    const bool before = pos <= 0 || !IsAlnumChar(text[pos - 1]);
    const bool after = pos + length >= text.size() || !IsAlnumChar(text[pos + length]);
    return before && after;
}

TTextMatcher::TTextMatcher(const QString& what, TFindOptions options)
    : FWhat(what), FNeedle(options.MatchCase ? what : FoldCase(what)), FOptions(options),
      FSearchable(!what.isEmpty() && !HasLineBreak(what)) {}

void TTextMatcher::SetText(QStringView text) {
    FText = text;
    if (FOptions.MatchCase || !FSearchable) {
        FFolded.clear();
        FHay = text;
    } else {
        FFolded = FoldCase(text);
        FHay = FFolded;
    }
}

qsizetype TTextMatcher::NextMatch(qsizetype from) const {
    if (!FSearchable)
        return -1;
    from = qMax<qsizetype>(from, 0);
    if (from + FNeedle.size() > FHay.size())
        return -1;
    return FHay.indexOf(QStringView(FNeedle), from);
}

qsizetype TTextMatcher::Next(qsizetype from) const {
    qsizetype p = NextMatch(from);
    if (FOptions.WholeWord)
        while (p >= 0 && !IsWholeWordAt(FText, p, FNeedle.size()))
            p = NextMatch(p + 1);
    return p;
}

QList<qsizetype> TTextMatcher::All() const {
    QList<qsizetype> found;
    for (qsizetype p = Next(0); p >= 0; p = Next(p + 1))
        found.append(p);
    return found;
}

QList<TFoundLine> FindLines(QStringView text, const QString& what, TFindOptions options) {
    TTextMatcher matcher(what, options);
    matcher.SetText(text);
    return CollectLines(text, matcher);
}

TReplaceAllResult ReplaceAll(QStringView text, qsizetype start, const TTextMatcher& matcher,
                             const QString& with) {
    TReplaceAllResult r;
    TTextMatcher m = matcher;
    m.SetText(text);
    const qsizetype n = m.What().size();
    const bool wholeWord = m.Options().WholeWord;
    QString out;
    qsizetype copied = 0; // text[0, copied) has gone to `out`, replaced where it matched
    qsizetype p = m.NextMatch(qBound<qsizetype>(0, start, text.size()));
    while (p >= 0) {
        if (wholeWord) {
            // Right after a replacement the character before is the replacement's last one.
            const bool atEdit = p == copied && r.Count > 0;
            const bool beforeOk = atEdit ? (out.isEmpty() || !IsAlnumChar(out.back()))
                                         : (p == 0 || !IsAlnumChar(text[p - 1]));
            const bool afterOk = p + n >= text.size() || !IsAlnumChar(text[p + n]);
            if (!beforeOk || !afterOk) {
                p = m.NextMatch(p + 1);
                continue;
            }
        }
        if (r.Count == 0) {
            r.First = p;
            out.reserve(text.size() + qMax<qsizetype>(0, with.size() - n) * 16);
        }
        out.append(text.mid(copied, p - copied));
        out.append(with);
        r.Positions.append(p);
        copied = p + n;
        ++r.Count;
        p = m.NextMatch(copied);
    }
    if (r.Count == 0) {
        r.Text = text.toString();
        return r;
    }
    r.OldEnd = copied;
    r.NewEnd = out.size();
    out.append(text.mid(copied));
    r.Text = std::move(out);
    return r;
}

bool IsProjectTextFile(const QString& fileName) {
    return IsHtmlFile(fileName) || IsScriptFile(fileName) ||
           ExtractFileExt(fileName, u'/') == u".txt"_s;
}

QString RelativeRowPath(const QString& root, const QString& path, QChar sep) {
    QString rel = path.startsWith(root) ? path.mid(root.size()) : path;
    if (sep != u'/')
        rel.replace(u'/', sep);
    qsizetype lead = 0;
    while (lead < rel.size() && (rel[lead] == sep || rel[lead] == u'/'))
        ++lead;
    return rel.mid(lead);
}

QStringList ProjectTextFiles(const QString& root) {
    QStringList files;
    TDirectoryScanner scanner;
    if (root.isEmpty() || !scanner.setRootDir(root))
        return files;
    scanner.setMask(u"*"_s);
    scanner.setAttributes(fteReadOnly | fteHidden);
    scanner.setRecursiveScan(true);
    scanner.setOnlyDirectories(false);
    scanner.setClearAll(false);
    scanner.setPrimaryTarget(stFiles);
    scanner.OnProcessDirectory = [&files](TDirectoryScanner*, const QString& dir,
                                          const QString& name, quint8, TDirectoryFileType type) {
        if (type == dftFile && IsProjectTextFile(name))
            files.append(dir + u'/' + name);
    };
    scanner.Scan();
    return files;
}

QList<TFoundLine> FindInFile(const QString& path, const TTextMatcher& matcher) {
    // A link that leads to no file is no page of the project; it must not stop the whole search
    // (replacing leaves every link alone anyway).
    if (QFileInfo(path).isSymLink() && !IsRegularFileOrLinkToOne(path))
        return {};
    TReadInfo info;
    const QString text = ReadTextFile(path, &info);
    if (info.HasNul)
        return {};
    TTextMatcher m = matcher;
    m.SetText(text);
    return CollectLines(text, m);
}

TFileReplace ReplaceInFile(const QString& path, const TTextMatcher& matcher, const QString& with,
                           int* count) {
    if (count)
        *count = 0;
    if (QFileInfo(path).isSymLink())
        return TFileReplace::Link;
    TReadInfo info;
    const QString text = ReadTextFile(path, &info);
    if (info.HasNul)
        return TFileReplace::Binary;
    const TReplaceAllResult r = ReplaceAll(text, 0, matcher, with);
    // Decoding gives one character a byte, and writing turns each LF into CR LF: the same size
    // means every line already ended with CR LF, so the bytes would be the same.
    if (r.Count == 0 && text.size() + text.count(u'\n') == QFileInfo(path).size())
        return TFileReplace::Same;
    WriteTextFile(path, r.Text, UnencodablePolicyFor(path));
    if (count)
        *count = r.Count;
    return TFileReplace::Written;
}
