#include "app/inifile.h"

#include "app/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Anything larger is not a settings or project file; reading it would only cost memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

struct TLine {
    enum Kind { Other, Section, Key };
    Kind Type = Other;
    QString Name;             // section or key name; null for a malformed section header
    qsizetype ValueStart = 0; // value bytes, blanks around them excluded (Key lines)
    qsizetype ValueEnd = 0;
    qsizetype ContentEnd = 0; // end of the line's text, before its line break
    qsizetype End = 0;        // after the line break
};

// The raw bytes of a file and their lines.
struct TParsed {
    QByteArray Bytes;
    bool Utf8 = false;
    std::vector<TLine> Lines;

    QString Decode(qsizetype from, qsizetype to) const {
        const QByteArrayView part = QByteArrayView(Bytes).sliced(from, to - from);
        return Utf8 ? QString::fromUtf8(part) : DecodeCp1251(part);
    }
    // The line break the file already uses, so that inserted lines match their neighbours.
    QByteArray LineBreak() const {
        for (const TLine& l : Lines) {
            if (l.End > l.ContentEnd)
                return Bytes.mid(l.ContentEnd, l.End - l.ContentEnd);
        }
        return "\r\n"_ba;
    }
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void TrimSpan(const QByteArray& b, qsizetype& from, qsizetype& to) {
    while (from < to && IsBlank(b[from]))
        ++from;
    while (to > from && IsBlank(b[to - 1]))
        --to;
}

void ParseLine(TParsed& p, TLine& line, qsizetype start) {
    const QByteArray& b = p.Bytes;
    qsizetype from = start;
    qsizetype to = line.ContentEnd;
    TrimSpan(b, from, to);
    if (from == to)
        return;
    if (b[from] == '[') {
        line.Type = TLine::Section;
        // A header without "]" still ends the section before it, but matches no name.
        const qsizetype close = b.indexOf(']', from + 1);
        if (close >= 0 && close < to) {
            qsizetype nameFrom = from + 1;
            qsizetype nameTo = close;
            TrimSpan(b, nameFrom, nameTo);
            line.Name = p.Decode(nameFrom, nameTo);
        }
        return;
    }
    const qsizetype eq = b.indexOf('=', from);
    if (eq < 0 || eq >= to)
        return;
    qsizetype keyTo = eq;
    TrimSpan(b, from, keyTo);
    if (from == keyTo)
        return;
    line.Type = TLine::Key;
    line.Name = p.Decode(from, keyTo);
    line.ValueStart = eq + 1;
    line.ValueEnd = to;
    TrimSpan(b, line.ValueStart, line.ValueEnd);
    if (line.ValueStart == line.ValueEnd)
        line.ValueStart = line.ValueEnd = to;
}

TParsed Parse(QByteArray bytes) {
    TParsed p;
    p.Bytes = std::move(bytes);
    const QByteArray& b = p.Bytes;
    qsizetype pos = 0;
    if (b.startsWith(kUtf8Bom)) {
        p.Utf8 = true;
        pos = kUtf8Bom.size();
    }
    const qsizetype n = b.size();
    while (pos < n) {
        TLine line;
        qsizetype end = pos;
        while (end < n && b[end] != '\r' && b[end] != '\n')
            ++end;
        line.ContentEnd = end;
        if (end < n)
            end += (b[end] == '\r' && end + 1 < n && b[end + 1] == '\n') ? 2 : 1;
        line.End = end;
        ParseLine(p, line, pos);
        p.Lines.push_back(std::move(line));
        pos = end;
    }
    return p;
}

enum class TReadResult { Ok, Missing, Failed };

TReadResult ReadBytes(const QString& path, QByteArray& bytes, int& err) {
    const QFileInfo fi(path);
    if (!fi.exists())
        return TReadResult::Missing;
    if (fi.isDir()) {
        err = EISDIR;
        return TReadResult::Failed;
    }
    // A device or a pipe could block the read for ever.
    if (!fi.isFile()) {
        err = EINVAL;
        return TReadResult::Failed;
    }
    if (fi.size() > kMaxFileSize) {
        err = EFBIG;
        return TReadResult::Failed;
    }
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        err = errno ? errno : EACCES;
        return TReadResult::Failed;
    }
    errno = 0;
    bytes = f.read(kMaxFileSize + 1);
    if (f.error() != QFileDevice::NoError) {
        err = errno ? errno : EIO;
        return TReadResult::Failed;
    }
    if (bytes.size() > kMaxFileSize) {
        err = EFBIG;
        return TReadResult::Failed;
    }
    return TReadResult::Ok;
}

// Where a key stands in a file. Only the first section of a name counts, and in it only the first
// line of the key, for reading and writing alike, so a written value is the one read back.
struct TPlace {
    qsizetype SectionLine = -1;
    qsizetype KeyLine = -1;
    qsizetype LastEntryLine = -1; // the last key line of the section, or its header
};

TPlace Locate(const TParsed& p, QStringView section, QStringView key) {
    TPlace place;
    const auto count = qsizetype(p.Lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        const TLine& l = p.Lines[size_t(i)];
        if (place.SectionLine < 0) {
            if (l.Type == TLine::Section && !l.Name.isNull() &&
                l.Name.compare(section, Qt::CaseInsensitive) == 0) {
                place.SectionLine = i;
                place.LastEntryLine = i;
            }
            continue;
        }
        if (l.Type == TLine::Section)
            break;
        if (l.Type == TLine::Key) {
            place.LastEntryLine = i;
            if (l.Name.compare(key, Qt::CaseInsensitive) == 0) {
                place.KeyLine = i;
                break;
            }
        }
    }
    return place;
}

// The value of the key, or nullopt when the file, the section or the key is missing or the file
// cannot be read.
std::optional<QString> Lookup(const QString& path, QStringView section, QStringView key) {
    QByteArray bytes;
    int err = 0;
    if (ReadBytes(path, bytes, err) != TReadResult::Ok)
        return std::nullopt;
    const TParsed p = Parse(std::move(bytes));
    const TPlace place = Locate(p, section, key);
    if (place.KeyLine < 0)
        return std::nullopt;
    const TLine& l = p.Lines[size_t(place.KeyLine)];
    qsizetype end = l.ValueEnd;
    if (p.Utf8) {
        QString value = p.Decode(l.ValueStart, end);
        if (value.size() > TIniFile::MaxValueLength) {
            qsizetype cut = TIniFile::MaxValueLength;
            if (value[cut - 1].isHighSurrogate())
                --cut;
            value.truncate(cut);
        }
        return value;
    }
    end = qMin(end, l.ValueStart + TIniFile::MaxValueLength);
    return p.Decode(l.ValueStart, end);
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void ThrowWrite(const QString& path, int err) {
    throw EFileError(
        u"Не удалось записать файл «%1»: %2."_s.arg(Native(path), SystemErrorText(err)));
}

[[noreturn]] void ThrowRead(const QString& path, int err) {
    throw EFileError(
        u"Не удалось прочитать файл «%1»: %2."_s.arg(Native(path), SystemErrorText(err)));
}

bool HasLineBreak(QStringView s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

void CheckNames(const QString& path, QStringView section, QStringView key) {
    const bool badSection = section.isEmpty() || HasLineBreak(section) || section.contains(u']') ||
                            section.trimmed().size() != section.size();
    const bool badKey = key.isEmpty() || HasLineBreak(key) || key.contains(u'=') ||
                        key.startsWith(u'[') || key.trimmed().size() != key.size();
    if (badSection || badKey)
        throw EFileError(u"Недопустимое имя раздела или параметра «[%1] %2» для файла «%3»."_s.arg(
            section, key, Native(path)));
}

QByteArray EncodeValue(const QString& path, const TParsed& p, const QString& value) {
    if (HasLineBreak(value))
        throw EFileError(
            u"Значение нельзя записать в файл «%1»: оно содержит перевод строки."_s.arg(
                Native(path)));
    if (p.Utf8)
        return value.toUtf8();
    qsizetype bad = -1;
    if (!CanEncodeCp1251(value, &bad))
        throw EFileError(u"Значение «%1» нельзя записать в файл «%2»: символа «%3» нет в "
                         u"кодировке Windows-1251."_s.arg(value, Native(path), value.mid(bad, 1)));
    return EncodeCp1251(value);
}

QByteArray EncodeName(const TParsed& p, QStringView name) {
    return p.Utf8 ? name.toUtf8() : EncodeCp1251(name);
}

// Writes the whole new content next to the file and renames it over the old one, so that a
// failure (full disk, missing folder) leaves the old file as it was.
void SaveBytes(const QString& path, const QByteArray& bytes) {
    if (IsReadOnlyFile(path))
        ThrowWrite(path, EACCES);
    QSaveFile f(path);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        ThrowWrite(path, errno ? errno : EACCES);
    errno = 0;
    if (f.write(bytes) != bytes.size()) {
        const int err = errno ? errno : EIO;
        f.cancelWriting();
        ThrowWrite(path, err);
    }
    errno = 0;
    if (!f.commit())
        ThrowWrite(path, errno ? errno : EIO);
}

} // namespace

std::optional<int> ParseWholeNumber(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

TIniFile::TIniFile(QString fileName) : FFileName(std::move(fileName)) {}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& def) const {
    return Lookup(FFileName, section, key).value_or(def);
}

int TIniFile::ReadInteger(QStringView section, QStringView key, int def) const {
    const std::optional<QString> value = Lookup(FFileName, section, key);
    if (!value)
        return def;
    return ParseWholeNumber(*value).value_or(def);
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(QStringView section, QStringView key) const {
    return Lookup(FFileName, section, key).has_value();
}

void TIniFile::WriteString(QStringView section, QStringView key, const QString& value) {
    CheckNames(FFileName, section, key);
    QByteArray bytes;
    int err = 0;
    if (ReadBytes(FFileName, bytes, err) == TReadResult::Failed)
        ThrowRead(FFileName, err);
    TParsed p = Parse(std::move(bytes));
    const QByteArray encoded = EncodeValue(FFileName, p, value);
    const TPlace place = Locate(p, section, key);
    QByteArray out = p.Bytes;
    if (place.KeyLine >= 0) {
        const TLine& l = p.Lines[size_t(place.KeyLine)];
        out.replace(l.ValueStart, l.ValueEnd - l.ValueStart, encoded);
    } else {
        const QByteArray lineBreak = p.LineBreak();
        const QByteArray entry = EncodeName(p, key) + '=' + encoded + lineBreak;
        if (place.SectionLine >= 0) {
            const TLine& after = p.Lines[size_t(place.LastEntryLine)];
            // The last line of a file may lack its line break; it gets one before the new line.
            const QByteArray insert =
                (after.End == after.ContentEnd ? lineBreak : QByteArray()) + entry;
            out.insert(after.End, insert);
        } else {
            if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r') && out != kUtf8Bom)
                out += lineBreak;
            out += '[' + EncodeName(p, section) + ']' + lineBreak + entry;
        }
    }
    if (out == p.Bytes && QFileInfo::exists(FFileName))
        return;
    SaveBytes(FFileName, out);
}

void TIniFile::WriteInteger(QStringView section, QStringView key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(QStringView section, QStringView key, bool value) {
    WriteString(section, key, value ? u"1"_s : u"0"_s);
}
