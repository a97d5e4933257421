// The private-profile INI file: "[Section]" lines followed by "key=value" lines, Windows-1251.
// Used for the settings file and the project files.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Every read goes to the file, and every write reaches the file before the call returns, so
// several objects (or programs) on the same file always agree. A write changes only the value
// of the key it names (or inserts that key, or appends its section); every other byte of the
// file, comments and unknown lines included, stays as it was. Section and key names compare
// without regard to letter case.
//
// A missing, unreadable or malformed file is no error when reading: the default is returned.
// Writes throw EFileError (app/textfile.h) with a message ready for the user; a file that exists
// but cannot be read is never replaced, since its other lines could not be kept.
//
// A file that starts with a UTF-8 byte-order mark was written by another editor in UTF-8: its
// values are read and written in UTF-8 so that the file keeps one encoding.
class TIniFile {
public:
    explicit TIniFile(QString fileName);

    const QString& FileName() const { return FFileName; }

    // A value read back is at most this many characters long; the rest is cut off.
    static constexpr qsizetype MaxValueLength = 2047;

    // The value with blanks around it removed, or def when the file, section or key is missing.
    // A key that is present with an empty value reads as empty.
    QString ReadString(QStringView section, QStringView key, const QString& def) const;
    // The value as a decimal whole number (optional sign); anything else gives def.
    int ReadInteger(QStringView section, QStringView key, int def) const;
    // Any whole number other than 0 is true, 0 is false; anything else gives def.
    bool ReadBool(QStringView section, QStringView key, bool def) const;
    // True when the section holds the key (with any value).
    bool ValueExists(QStringView section, QStringView key) const;

    // Writes the value in place. A value with a line break, or (in a Windows-1251 file) with a
    // character that Windows-1251 cannot hold, is refused: nothing is written.
    void WriteString(QStringView section, QStringView key, const QString& value);
    void WriteInteger(QStringView section, QStringView key, int value);
    // Writes "1" or "0".
    void WriteBool(QStringView section, QStringView key, bool value);

private:
    QString FFileName;
};

// A decimal whole number with an optional sign that fits an int; blanks around it are allowed.
// This is how the INI file and the settings read numbers.
std::optional<int> ParseWholeNumber(QStringView text);
