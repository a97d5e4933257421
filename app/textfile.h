// The one place where page text meets bytes: Windows-1251 decoding and encoding, line-break
// handling and safe whole-file writes. Everything else in the program works on QString with
// LF line breaks.
#pragma once

#include "app/pathcase.h"

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
// "&#N;" (N the Unicode code point; a surrogate pair gives one reference). references, when
// given, gets how many were made.
QString EscapeForCp1251Html(QStringView text, int* references = nullptr);

// Line breaks. In memory a text uses LF. A file's lines end at CR, LF or CR LF; reading joins the
// lines with LF after every line, the last one included; writing ends every line with CR LF.
QString NormalizeLineBreaks(QStringView text);
QByteArray ToFileBytes(QStringView text);

// What reading a file found out besides its text.
struct TReadInfo {
    bool HasNul = false; // the file holds a NUL byte: binary data, not a page to edit and save
};

// The text of a file's bytes: NormalizeLineBreaks(DecodeCp1251(bytes)), made in one pass.
QString TextFromFileBytes(QByteArrayView bytes, TReadInfo* info = nullptr);

// The system's reason for an errno value, in Russian; "Системная ошибка N" for a code it does
// not know.
QString SystemErrorText(int errorCode);

// True when the path names a regular file, directly or through symbolic links. Folders, named
// pipes, sockets and devices are not files to open as text: reading a pipe would wait forever.
bool IsRegularFileOrLinkToOne(const QString& path);

// Reads a whole text file. Only a regular file (or a link to one) is read; anything else, and a
// file that cannot be read, throws EFileError. info, when given, gets what the bytes showed.
QString ReadTextFile(const QString& path, TReadInfo* info = nullptr);

enum class TUnencodable {
    Refuse,     // throw EFileError naming the first such character; nothing is written
    HtmlEscape, // write it as "&#N;"
};

// Writes a whole text file safely: a temporary file ".<name>.quorvane-save-XXXXXX" in the same
// folder is written and flushed, then renamed over the target and the folder flushed, so a
// failure never destroys the old content; leftovers of earlier interrupted saves of the same
// file are removed after a successful one. When the folder refuses new files but the file
// itself is writable, the file is rewritten in place (its old content is put back if that
// fails). A target without write permission fails as the system would (also for root); an
// existing target that is not a regular file (a pipe, a device) is refused and left alone. A
// symbolic link is not replaced: the file it names is written. Returns how many characters were
// written as character references (only with TUnencodable::HtmlEscape; otherwise 0). Throws
// EFileError.
int WriteTextFile(const QString& path, const QString& text,
                  TUnencodable unencodable = TUnencodable::Refuse);

// Writes a page (characters Windows-1251 lacks as "&#N;") to a new file beside the path and
// renames it over whatever entry stands there: a symbolic link is replaced, never written
// through. For scratch copies of the program's own; throws EFileError.
void ReplaceWithPage(const QString& path, const QString& text);

// Flushes the folder that holds the file the path finally names (links followed), so that a
// rename just made in it survives a power failure. Returns 0, or the errno of the failure; a
// folder that cannot be opened for reading, or a file system that cannot flush folders, counts
// as done. For writers that commit by a rename of their own (QSaveFile).
int SyncParentFolder(const QString& path);

// The policy the editor uses for a file: pages may carry character references, other files not.
TUnencodable UnencodablePolicyFor(const QString& path);

// True when the file exists and the user may not write it (the read-only attribute of the
// original platform): no write permission bit for its owner, or no write access at all.
bool IsReadOnlyFile(const QString& path);

// Test seam: makes the next writes fail as if the disk were full after `bytes` bytes
// (-1 switches it off).
void SetWriteFaultForTests(qint64 bytes);
// Test seam: makes creating the temporary file of a save fail as if the folder refused it
// (EACCES), as a read-only folder does for a user who is not root.
void SetTempFileFaultForTests(bool on);
