// The private-profile INI file: "[Section]" lines followed by "key=value" lines, Windows-1251.
// Used for the settings file and the project files.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The content of an INI file as it was read at one moment. It answers any number of reads without
// going to the file again: for reading many values at once (the settings at start-up) where
// reading the file for each value would cost a read of the whole file every time. Later writes
// to the file are not seen; load a new one for them.
//
// Reads follow the rules of TIniFile below.
class TIniSnapshot {
public:
    // No content: every read gives its default.
    TIniSnapshot() = default;

    QString ReadString(QStringView section, QStringView key, const QString& def) const;
    int ReadInteger(QStringView section, QStringView key, int def) const;
    bool ReadBool(QStringView section, QStringView key, bool def) const;
    bool ValueExists(QStringView section, QStringView key) const;

private:
    friend class TIniFile;
    explicit TIniSnapshot(QByteArray bytes) : FBytes(std::move(bytes)) {}

    QByteArray FBytes;
};

// One value for TIniFile::WriteValues.
struct TIniValue {
    QString Section;
    QString Key;
    QString Value;
};

// Every read through TIniFile goes to the file, and every write reaches the file before the call
// returns, so several objects (or programs) on the same file always agree. A write changes only
// the value of the key it names (or inserts that key, or appends its section); every other byte
// of the file, comments and unknown lines included, stays as it was. Section and key names
// compare without regard to letter case.
//
// A missing, unreadable or malformed file is no error when reading: the default is returned. So
// is a path that names no regular file (a folder, a device, a pipe): it is never opened for
// reading, since that could block or never end. Writes throw EFileError (app/textfile.h) with a
// message ready for the user; a file that exists but cannot be read is never replaced, since its
// other lines could not be kept.
//
// A file that starts with a UTF-8 byte-order mark was written by another editor in UTF-8: its
// values are read and written in UTF-8 so that the file keeps one encoding.
class TIniFile {
public:
    explicit TIniFile(QString fileName);

    const QString& FileName() const { return FFileName; }

    // A value read back is at most this many characters long; the rest is cut off.
    static constexpr qsizetype MaxValueLength = 2047;

    // Reads the file once (see TIniSnapshot); an unreadable file gives an empty snapshot.
    TIniSnapshot Load() const;

    // The value with blanks (spaces and tabs) around it removed, or def when the file, section or
    // key is missing. A key that is present with an empty value reads as empty.
    QString ReadString(QStringView section, QStringView key, const QString& def) const;
    // The value as a decimal whole number (optional sign); anything else gives def.
    int ReadInteger(QStringView section, QStringView key, int def) const;
    // Any whole number other than 0 is true, 0 is false; anything else gives def.
    bool ReadBool(QStringView section, QStringView key, bool def) const;
    // True when the section holds the key (with any value).
    bool ValueExists(QStringView section, QStringView key) const;

    // Writes the value in place. Blanks around the value are not written: reading drops them
    // anyway, and writing the value read back must leave the file as it is. Refused, with nothing
    // written: a value with a line break; a section or key name that is empty, has blanks around
    // it or a line break, a section name with "]", a key name with "=" or starting with "[";
    // in a Windows-1251 file, a name or value with a character that Windows-1251 cannot hold.
    void WriteString(QStringView section, QStringView key, const QString& value);
    void WriteInteger(QStringView section, QStringView key, int value);
    // Writes "1" or "0".
    void WriteBool(QStringView section, QStringView key, bool value);

    // Writes several values with one read and one write of the file; every key then holds what
    // the same writes one after another would leave in it. A refused value is left out and the
    // others are still written; then the first failure, in the order of the values, is thrown.
    void WriteValues(const QList<TIniValue>& values);

private:
    QString FFileName;
};

// A decimal whole number with an optional sign that fits an int; blanks around it are allowed.
// This is how the INI file and the settings read numbers.
std::optional<int> ParseWholeNumber(QStringView text);

// Test seam: how often the content of INI files has been read and how often a file has been
// written since the program started.
struct TIniFileTraffic {
    qint64 Reads = 0;
    qint64 Writes = 0;
};
TIniFileTraffic IniFileTrafficForTests();
