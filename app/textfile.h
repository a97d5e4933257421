// The one place where page text meets bytes: Windows-1251 decoding and encoding, line-break
// handling and safe whole-file writes. Everything else in the program works on QString with
// LF line breaks.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <exception>

// A failed file operation. The message is ready to show to the user (Russian, names the file and
// the system's reason); the command that hit it stops and the message is shown in one place.
class EFileError : public std::exception {
public:
    explicit EFileError(QString message) : FMessage(std::move(message)) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return "file error"; }

private:
    QString FMessage;
};

// Windows-1251. Decoding is total and reversible: every byte maps to one character (the one
// unassigned code, 0x98, maps to U+0098), so EncodeCp1251(DecodeCp1251(b)) == b for any b.
QString DecodeCp1251(QByteArrayView bytes);
// True when every character of the text has a Windows-1251 code. firstBad gets the index of the
// first character that has none (-1 when all do).
bool CanEncodeCp1251(QStringView text, qsizetype* firstBad = nullptr);
// The byte of one character, or -1 when Windows-1251 has no code for it.
int Cp1251Code(QChar c);
// Encodes the text; characters without a code become '?' (callers check CanEncodeCp1251 first or
// use EscapeForCp1251Html).
QByteArray EncodeCp1251(QStringView text);
// Replaces every character that Windows-1251 cannot hold by an HTML numeric character reference
// "&#N;" (N the Unicode code point; a surrogate pair gives one reference).
QString EscapeForCp1251Html(QStringView text);

// Line breaks. In memory a text uses LF. A file's lines end at CR, LF or CR LF; reading joins the
// lines with LF after every line, the last one included; writing ends every line with CR LF.
QString NormalizeLineBreaks(QStringView text);
QByteArray ToFileBytes(QStringView text);

// The system's reason for an errno value, in Russian.
QString SystemErrorText(int errorCode);

// Reads a whole text file. Throws EFileError when it cannot be read.
QString ReadTextFile(const QString& path);

enum class TUnencodable {
    Refuse,     // throw EFileError naming the first such character; nothing is written
    HtmlEscape, // write it as "&#N;"
};

// Writes a whole text file safely: a temporary file in the same folder is written and flushed,
// then renamed over the target, so a failure never destroys the old content. A target without
// write permission fails as the system would (also for root). A symbolic link is not replaced:
// the file it names is written. Throws EFileError.
void WriteTextFile(const QString& path, const QString& text,
                   TUnencodable unencodable = TUnencodable::Refuse);

// The policy the editor uses for a file: pages may carry character references, other files not.
TUnencodable UnencodablePolicyFor(const QString& path);

// True when the file exists and the user may not write it (the read-only attribute of the
// original platform): no write permission bit for its owner, or no write access at all.
bool IsReadOnlyFile(const QString& path);

// On a case-sensitive file system, finds the existing path that equals the given one without
// regard to letter case: the exact path first, then each component matched case-insensitively.
// Returns the path as it is on disk, or the given path unchanged when nothing matches.
QString FindPathNoCase(const QString& path);

// While one lives, a folder listed for FindPathNoCase is not listed again for a name it lacks:
// for checking many links at once, when nothing is expected to change in between.
class TPathCaseBatch {
public:
    TPathCaseBatch();
    ~TPathCaseBatch();
    TPathCaseBatch(const TPathCaseBatch&) = delete;
    TPathCaseBatch& operator=(const TPathCaseBatch&) = delete;
};

// Test seam: makes the next writes fail as if the disk were full after `bytes` bytes
// (-1 switches it off).
void SetWriteFaultForTests(qint64 bytes);
