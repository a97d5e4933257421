// Small pure text functions shared by the whole editor: character classes that know the
// Windows-1251 letters, name checks, colour text, file classes, links and a few string helpers.
// Nothing here touches the disk or the window system.
#pragma once

#include <QChar>
#include <QDir>
#include <QString>
#include <QStringList>

// A colour value: red in the low byte, green in the middle byte, blue in the high byte.
using TColor = quint32;

// Character classes. A "letter" is an ASCII letter or a character whose Windows-1251 code is
// 0xC0 or above (the Cyrillic letters А..я); Ё and ё (0xA8, 0xB8) are not letters.
bool IsDigitChar(QChar c);
bool IsLetterChar(QChar c);
bool IsAlnumChar(QChar c);
bool IsSpaceChar(QChar c);
bool IsQuoteChar(QChar c);
bool IsHexChar(QChar c);

// Name checks.
bool IsValidDirName(const QString& name);
bool IsValidTagName(const QString& name);
bool IsValidFileName(const QString& name);

// Colours.
QString ByteToHex(int value);
int HexToByte(const QString& text);
QString ColorToHtml(TColor color);
TColor HtmlToColor(const QString& text);

// File classes by extension.
bool IsHtmlFile(const QString& fileName);
bool IsImageFile(const QString& fileName);
bool IsScriptFile(const QString& fileName);

// Links.
bool HasUrlScheme(const QString& link);
// Turns a link written in a page into the local path it names; sep is the path separator
// (the native one by default, the backslash for the Windows form).
QString ResolveLink(const QString& link, const QString& pageFile, QChar sep = QDir::separator());

// Path pieces with an explicit separator (the native one by default).
// ExtractFilePath keeps the trailing separator, ExtractFileDir drops it.
QString ExtractFilePath(const QString& path, QChar sep = QDir::separator());
QString ExtractFileDir(const QString& path, QChar sep = QDir::separator());
QString ExtractFileName(const QString& path, QChar sep = QDir::separator());
// The extension with its dot ("" when the file-name part has no ".").
QString ExtractFileExt(const QString& path, QChar sep = QDir::separator());

// Strings.
QString ReplaceChar(const QString& s, QChar from, QChar to, bool exactCase);
bool ListContains(const QString& s, const QStringList& list, bool ignoreCase);
QString ReverseStr(const QString& s);
int CountChar(const QString& s, QChar c);

// Input filters of the dialogs' edit fields: which typed characters a field accepts.
enum class TInputFilter { Number, Size, Name, MimeType };
bool InputFilterAccepts(TInputFilter filter, QChar c);
