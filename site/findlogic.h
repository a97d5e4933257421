// Find and replace without a window: the matching rules (case, whole words, Cyrillic letters),
// every occurrence of a text with the lines it stands in, the replace-all result, and the files
// of a project that project-wide work reads and rewrites.
#pragma once

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

struct TFindOptions {
    bool MatchCase = false;
    bool WholeWord = false;
};

// A character's case-folded form: its lowercase letter, Cyrillic letters included; every other
// character is itself. One character always folds to one character, so positions in a folded
// copy are positions in the text.
QChar FoldChar(QChar c);
QString FoldCase(QStringView text);

// True when an occurrence of `length` characters at `pos` stands as a whole word: the characters
// before and after it are no letters or digits (IsAlnumChar); the ends of the text count as
// boundaries.
bool IsWholeWordAt(QStringView text, qsizetype pos, qsizetype length);

// The find text with its options, ready to search one text after another. An empty find text,
// or one holding a line break, finds nothing: an occurrence never spans lines.
class TTextMatcher {
public:
    TTextMatcher(const QString& what, TFindOptions options);

    bool IsEmpty() const { return FWhat.isEmpty(); }
    const QString& What() const { return FWhat; }
    TFindOptions Options() const { return FOptions; }

    // Sets the text to search. The matcher keeps a view of it: the caller keeps it alive and
    // unchanged until the next SetText.
    void SetText(QStringView text);
    // The first occurrence at or after `from`, or -1.
    qsizetype Next(qsizetype from) const;
    // Every occurrence, overlapping ones included ("aa" in "aaa" is found twice).
    QList<qsizetype> All() const;
    // The next place at or after `from` where the characters match, whole words not checked.
    qsizetype NextMatch(qsizetype from) const;

private:
    QString FWhat;   // as given
    QString FNeedle; // folded when case is ignored
    TFindOptions FOptions;
    bool FSearchable = false;
    QStringView FText;
    QString FFolded;
    QStringView FHay; // FText, or its folded copy
};

// One occurrence as a row of the results: the line it stands in (0-based) and that line's text.
struct TFoundLine {
    qsizetype Line = 0;
    QString Text;
    bool operator==(const TFoundLine&) const = default;
};

// Every occurrence in a text with LF line breaks, overlapping ones included, in order: one
// entry per occurrence, so a line holding three gives three entries. Only the lines around the
// hits are cut out of the text.
QList<TFoundLine> FindLines(QStringView text, const QString& what, TFindOptions options);

// Replace-all as the editor does it one occurrence at a time: from `start`, find, replace, and
// go on right after the inserted text; with whole words, the character before a later
// occurrence may thus be the end of an earlier replacement. `Text` is the whole new text. The
// changed part is [First, OldEnd) in the old text and [First, NewEnd) in the new one (all 0
// when Count is 0), so a caller can apply it as one edit, or occurrence by occurrence.
struct TReplaceAllResult {
    QString Text;
    int Count = 0;
    QList<qsizetype> Positions; // where each replaced occurrence stood in the old text
    qsizetype First = 0;
    qsizetype OldEnd = 0;
    qsizetype NewEnd = 0;
};
TReplaceAllResult ReplaceAll(QStringView text, qsizetype start, const TTextMatcher& matcher,
                             const QString& with);

// ---- the files of a project -----------------------------------------------------------------

// A file takes part in project-wide work when it is a page, a style sheet or a script, or when
// its extension is exactly ".txt" (NOTES.TXT does not take part).
bool IsProjectTextFile(const QString& fileName);

// A file's path relative to the project's root folder, with `sep` between the parts and no
// leading separator: "news/page.html" under the root gives news\page.html with a backslash.
// `path` is below `root`; both use "/" or `sep`.
QString RelativeRowPath(const QString& root, const QString& path, QChar sep = QDir::separator());

// Every text file of the project below `root`, in the order of the directory walk (a folder's
// files before its subfolders; hidden entries included, dot-named folders skipped, symbolic
// links to folders not entered). Paths use "/". A root that is no folder gives none.
QStringList ProjectTextFiles(const QString& root);

// The occurrences in one file of the project, read whole from disk (its unsaved edits in an
// open tab do not count). A file holding a NUL byte is binary data and gives none, and so does a
// symbolic link that leads to no file (dangling, or in a loop). A file that cannot be read
// throws EFileError.
QList<TFoundLine> FindInFile(const QString& path, const TTextMatcher& matcher);

// What a replace did to one file.
enum class TFileReplace {
    Written, // read, replaced (maybe nothing) and written back with CR LF line breaks
    Same,    // nothing replaced, and the file already holds what would be written: not touched
    Binary,  // holds a NUL byte: neither read as text nor written
    Link,    // a symbolic link: the file it names may lie outside the project, left alone
};
// Replaces every occurrence in one file and writes it back safely (write-then-rename), also
// when nothing was replaced, so every line then ends with CR LF; a file that would be written
// byte for byte as it is stays untouched (each safe write flushes to disk, which is slow). Throws
// EFileError when it cannot be read or written; the file is then left as it was. `count`, when
// given, gets how many occurrences were replaced.
TFileReplace ReplaceInFile(const QString& path, const TTextMatcher& matcher, const QString& with,
                           int* count = nullptr);
