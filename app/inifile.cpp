#include "app/inifile.h"
#include "app/unixfd.h"

#include "app/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Anything larger is not a settings or project file; reading it would only cost memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

std::atomic<qint64> gReads{0};
std::atomic<qint64> gWrites{0};

// QString::fromUtf8 drops a U+FEFF that starts the bytes, taking it for a byte-order mark; a
// name or value that starts with one would not read back as it was written.
QString DecodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

void TrimSpan(QByteArrayView b, qsizetype& from, qsizetype& to) {
    while (from < to && IsBlank(b[from]))
        ++from;
    while (to > from && IsBlank(b[to - 1]))
        --to;
}

// The value without the blanks that reading would drop from its ends.
QString TrimBlanks(const QString& s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && IsBlank(s[from]))
        ++from;
    while (to > from && IsBlank(s[to - 1]))
        --to;
    return s.sliced(from, to - from);
}

// One line of a file, parsed where it stands; positions are offsets into the file's bytes.
struct TLine {
    enum Kind { Other, Section, Key };
    Kind Type = Other;
    qsizetype NameFrom = 0;   // section or key name, blanks around it excluded
    qsizetype NameTo = -1;    // -1: a section header without "]", which matches no name
    qsizetype ValueStart = 0; // value bytes, blanks around them excluded (Key lines)
    qsizetype ValueEnd = 0;
    qsizetype ContentEnd = 0; // end of the line's text, before its line break
    qsizetype End = 0;        // after the line break
};

// The bytes of a file, read line by line where needed. Nothing is kept per line: a file may
// hold millions of them, and a read needs only the few it looks for.
class TContent {
public:
    explicit TContent(QByteArrayView bytes)
        : FBytes(bytes), FUtf8(bytes.startsWith(kUtf8Bom)), FBegin(FUtf8 ? kUtf8Bom.size() : 0) {}

    QByteArrayView Bytes() const { return FBytes; }
    bool Utf8() const { return FUtf8; }
    qsizetype Begin() const { return FBegin; }

    QString Decode(qsizetype from, qsizetype to) const {
        const QByteArrayView slice = FBytes.sliced(from, to - from);
        return FUtf8 ? DecodeUtf8(slice) : DecodeCp1251(slice);
    }

    // True when the line's name is the given one, letter case aside.
    bool NameIs(const TLine& l, QStringView name) const {
        if (l.NameTo < 0)
            return false;
        // Case folding keeps the number of UTF-16 code units. Windows-1251 has one byte for
        // each, UTF-8 one to three, so most names are told apart without decoding them.
        const qsizetype bytes = l.NameTo - l.NameFrom;
        if (FUtf8 ? bytes < name.size() || bytes > 3 * name.size() : bytes != name.size())
            return false;
        return name.compare(Decode(l.NameFrom, l.NameTo), Qt::CaseInsensitive) == 0;
    }

    TLine LineAt(qsizetype pos) const {
        const QByteArrayView b = FBytes;
        const qsizetype n = b.size();
        TLine line;
        qsizetype end = pos;
        while (end < n && b[end] != '\r' && b[end] != '\n')
            ++end;
        line.ContentEnd = end;
        if (end < n)
            end += (b[end] == '\r' && end + 1 < n && b[end + 1] == '\n') ? 2 : 1;
        line.End = end;

        qsizetype from = pos;
        qsizetype to = line.ContentEnd;
        TrimSpan(b, from, to);
        if (from == to)
            return line;
        // Searches stay inside the line: a search to the end of the file for every line
        // would make reading a large file take quadratic time.
        const QByteArrayView text = b.sliced(from, to - from);
        if (text.front() == '[') {
            line.Type = TLine::Section;
            // A header without "]" still ends the section before it, but matches no name.
            const qsizetype close = text.indexOf(']', 1);
            if (close >= 0) {
                line.NameFrom = from + 1;
                line.NameTo = from + close;
                TrimSpan(b, line.NameFrom, line.NameTo);
            }
            return line;
        }
        const qsizetype eqInText = text.indexOf('=');
        if (eqInText < 0)
            return line;
        const qsizetype eq = from + eqInText;
        qsizetype keyTo = eq;
        TrimSpan(b, from, keyTo);
        if (from == keyTo)
            return line;
        line.Type = TLine::Key;
        line.NameFrom = from;
        line.NameTo = keyTo;
        line.ValueStart = eq + 1;
        line.ValueEnd = to;
        TrimSpan(b, line.ValueStart, line.ValueEnd);
        if (line.ValueStart == line.ValueEnd)
            line.ValueStart = line.ValueEnd = to;
        return line;
    }

    // The line break the file already uses, so that inserted lines match their neighbours.
    QByteArray LineBreak() const {
        const QByteArrayView b = FBytes;
        for (qsizetype i = FBegin; i < b.size(); ++i) {
            if (b[i] == '\n')
                return "\n"_ba;
            if (b[i] == '\r')
                return i + 1 < b.size() && b[i + 1] == '\n' ? "\r\n"_ba : "\r"_ba;
        }
        return "\r\n"_ba;
    }

private:
    QByteArrayView FBytes;
    bool FUtf8 = false;
    qsizetype FBegin = 0;
};

// Where a key stands in a file. Only the first section of a name counts, and in it only the first
// line of the key, for reading and writing alike, so a written value is the one read back.
struct TPlace {
    bool SectionFound = false;
    qsizetype SectionStart = -1; // where the section's header line starts
    bool KeyFound = false;
    TLine Key;
    TLine LastEntry; // the last key line of the section, or its header
};

TPlace Locate(const TContent& c, QStringView section, QStringView key) {
    TPlace place;
    const qsizetype n = c.Bytes().size();
    for (qsizetype pos = c.Begin(); pos < n;) {
        const TLine l = c.LineAt(pos);
        if (!place.SectionFound) {
            if (l.Type == TLine::Section && c.NameIs(l, section)) {
                place.SectionFound = true;
                place.SectionStart = pos;
                place.LastEntry = l;
            }
        } else if (l.Type == TLine::Section) {
            break;
        } else if (l.Type == TLine::Key) {
            place.LastEntry = l;
            if (c.NameIs(l, key)) {
                place.KeyFound = true;
                place.Key = l;
                break;
            }
        }
        pos = l.End;
    }
    return place;
}

// The value of the key, or nullopt when the section or the key is missing.
std::optional<QString> Lookup(QByteArrayView bytes, QStringView section, QStringView key) {
    const TContent c(bytes);
    const TPlace place = Locate(c, section, key);
    if (!place.KeyFound)
        return std::nullopt;
    const TLine& l = place.Key;
    if (c.Utf8()) {
        QString value = c.Decode(l.ValueStart, l.ValueEnd);
        if (value.size() > TIniFile::MaxValueLength) {
            qsizetype cut = TIniFile::MaxValueLength;
            if (value[cut - 1].isHighSurrogate())
                --cut;
            value.truncate(cut);
        }
        return value;
    }
    return c.Decode(l.ValueStart, qMin(l.ValueEnd, l.ValueStart + TIniFile::MaxValueLength));
}

enum class TReadResult { Ok, Missing, NotAFile, Failed };

TReadResult ReadBytes(const QString& path, QByteArray& bytes, int& err) {
    if (!QFileInfo::exists(path))
        return TReadResult::Missing;
    // Looked at before opening: opening a pipe waits for a writer, a device may do anything.
    if (!IsRegularFileOrLinkToOne(path))
        return TReadResult::NotAFile;
    // Should a pipe have taken the file's place since the look above, opening it does not wait
    // for a writer, and fstat turns it away.
    const TFd fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) {
        err = errno;
        return err == ENOENT ? TReadResult::Missing : TReadResult::Failed;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        err = errno;
        return TReadResult::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return TReadResult::NotAFile;
    if (st.st_size > kMaxFileSize) {
        err = EFBIG;
        return TReadResult::Failed;
    }
    ++gReads;
    // The buffer holds one byte more than the file, to notice a file that grew meanwhile.
    bytes = QByteArray(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > kMaxFileSize) {
                err = EFBIG;
                bytes.clear();
                return TReadResult::Failed;
            }
            bytes.resize(qMin<qsizetype>(kMaxFileSize + 1, got * 2));
        }
        const ssize_t n = ::read(fd.Get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            bytes.clear();
            return TReadResult::Failed;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return TReadResult::Ok;
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

EFileError WriteError(const QString& path, const QString& reason) {
    return EFileError(u"Не удалось записать файл «%1»: %2."_s.arg(Native(path), reason));
}

EFileError ReadFailure(const QString& path, TReadResult result, int err) {
    if (result == TReadResult::NotAFile)
        return WriteError(path, QFileInfo(path).isDir() ? SystemErrorText(EISDIR)
                                                        : u"это не обычный файл"_s);
    return EFileError(
        u"Не удалось прочитать файл «%1»: %2."_s.arg(Native(path), SystemErrorText(err)));
}

bool HasLineBreak(QStringView s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

// The character at i, both halves of a surrogate pair.
QString CharAt(QStringView s, qsizetype i) {
    const bool pair = s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate();
    return s.sliced(i, pair ? 2 : 1).toString();
}

// Blanks around a name are dropped when reading; other white space (a vertical tab, a no-break
// space) is part of the name and is kept.
bool HasBlankEnds(QStringView name) {
    return IsBlank(name.front()) || IsBlank(name.back());
}

// Names that would read back as another line or another name are refused before the file is
// touched; a write of them would append another copy of the section or key every time.
void CheckNames(const QString& path, QStringView section, QStringView key) {
    if (section.isEmpty() || HasLineBreak(section) || section.contains(u']') ||
        HasBlankEnds(section))
        throw EFileError(
            u"Недопустимое имя раздела «%1» для файла «%2»."_s.arg(section, Native(path)));
    if (key.isEmpty() || HasLineBreak(key) || key.contains(u'=') || key.startsWith(u'[') ||
        HasBlankEnds(key))
        throw EFileError(
            u"Недопустимое имя параметра «%1» для файла «%2»."_s.arg(key, Native(path)));
}

// A name the file's encoding cannot hold would be written as something else and never be found
// again.
void CheckNameEncoding(const QString& path, bool utf8, QStringView name) {
    if (utf8) {
        if (!name.isValidUtf16())
            throw EFileError(u"Имя «%1» нельзя записать в файл «%2»: в нём есть недопустимый "
                             u"символ."_s.arg(name, Native(path)));
        return;
    }
    qsizetype bad = -1;
    if (!CanEncodeCp1251(name, &bad))
        throw EFileError(u"Имя «%1» нельзя записать в файл «%2»: символа «%3» нет в кодировке "
                         u"Windows-1251."_s.arg(name, Native(path), CharAt(name, bad)));
}

QByteArray EncodeName(bool utf8, QStringView name) {
    return utf8 ? name.toUtf8() : EncodeCp1251(name);
}

QByteArray EncodeValue(const QString& path, bool utf8, const QString& value) {
    if (HasLineBreak(value))
        throw EFileError(
            u"Значение нельзя записать в файл «%1»: оно содержит перевод строки."_s.arg(
                Native(path)));
    if (utf8) {
        if (!value.isValidUtf16())
            throw EFileError(u"Значение «%1» нельзя записать в файл «%2»: в нём есть "
                             u"недопустимый символ."_s.arg(value, Native(path)));
        return value.toUtf8();
    }
    qsizetype bad = -1;
    if (!CanEncodeCp1251(value, &bad))
        throw EFileError(u"Значение «%1» нельзя записать в файл «%2»: символа «%3» нет в "
                         u"кодировке Windows-1251."_s.arg(value, Native(path), CharAt(value, bad)));
    return EncodeCp1251(value);
}

// Writes the whole new content next to the file and renames it over the old one, so that a
// failure (full disk, missing folder) leaves the old file as it was.
void SaveBytes(const QString& path, const QByteArray& bytes) {
    if (IsReadOnlyFile(path))
        throw WriteError(path, SystemErrorText(EACCES));
    ++gWrites;
    QSaveFile f(path);
    errno = 0;
    // Unbuffered: commit() does not notice when its own flush of buffered bytes fails (a full
    // disk takes only part of them) and would put a cut-off file in place of the old one. Each
    // write is checked here instead.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw WriteError(path, SystemErrorText(errno ? errno : EACCES));
    errno = 0;
    if (f.write(bytes) != bytes.size()) {
        const int err = errno ? errno : EIO;
        f.cancelWriting();
        throw WriteError(path, SystemErrorText(err));
    }
    errno = 0;
    if (!f.commit())
        throw WriteError(path, SystemErrorText(errno ? errno : EIO));
    // QSaveFile flushes the file but not the folder: without this a power failure could still
    // undo the rename and bring the old file back.
    if (const int err = SyncParentFolder(path))
        throw WriteError(path, SystemErrorText(err));
}

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A change of the file's bytes as read: Length bytes at Pos give way to Bytes.
struct TSplice {
    qsizetype Pos = 0;
    qsizetype Length = 0;
    QByteArray Bytes;
};

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

TIniFileTraffic IniFileTrafficForTests() {
    return {gReads.load(), gWrites.load()};
}

// ---- TIniSnapshot ---------------------------------------------------------------------------

QString TIniSnapshot::ReadString(QStringView section, QStringView key, const QString& def) const {
    return Lookup(FBytes, section, key).value_or(def);
}

int TIniSnapshot::ReadInteger(QStringView section, QStringView key, int def) const {
    const std::optional<QString> value = Lookup(FBytes, section, key);
    if (!value)
        return def;
    return ParseWholeNumber(*value).value_or(def);
}

bool TIniSnapshot::ReadBool(QStringView section, QStringView key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniSnapshot::ValueExists(QStringView section, QStringView key) const {
    return Lookup(FBytes, section, key).has_value();
}

// ---- TIniFile -------------------------------------------------------------------------------

TIniFile::TIniFile(QString fileName) : FFileName(std::move(fileName)) {}

TIniSnapshot TIniFile::Load() const {
    QByteArray bytes;
    int err = 0;
    if (ReadBytes(FFileName, bytes, err) != TReadResult::Ok)
        return {};
    return TIniSnapshot(std::move(bytes));
}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& def) const {
    return Load().ReadString(section, key, def);
}

int TIniFile::ReadInteger(QStringView section, QStringView key, int def) const {
    return Load().ReadInteger(section, key, def);
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool def) const {
    return Load().ReadBool(section, key, def);
}

bool TIniFile::ValueExists(QStringView section, QStringView key) const {
    return Load().ValueExists(section, key);
}

void TIniFile::WriteString(QStringView section, QStringView key, const QString& value) {
    WriteValues({TIniValue{section.toString(), key.toString(), value}});
}

void TIniFile::WriteInteger(QStringView section, QStringView key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(QStringView section, QStringView key, bool value) {
    WriteString(section, key, value ? u"1"_s : u"0"_s);
}

// All positions are found in the file as read, and the changes are applied in one pass. The
// outcome is that of the writes one after another: a later value of a key replaces an earlier
// one, new keys of a section follow its last key in the order given, and new sections follow
// the end of the file. (Only the blanks around a value written twice, and a lone CR break
// meeting an LF one, can come out otherwise; nothing that is read back.)
void TIniFile::WriteValues(const QList<TIniValue>& values) {
    const size_t count = size_t(values.size());
    // Per value: why it was not written, and whether it changed the file.
    std::vector<std::optional<EFileError>> failures(count);
    std::vector<bool> changes(count, false);
    const auto throwFirst = [&] {
        for (const std::optional<EFileError>& f : failures)
            if (f)
                throw *f;
    };

    for (size_t i = 0; i < count; ++i) {
        try {
            CheckNames(FFileName, values[i].Section, values[i].Key);
        } catch (const EFileError& e) {
            failures[i] = e;
        }
    }
    if (std::all_of(failures.begin(), failures.end(), [](const auto& f) { return bool(f); })) {
        throwFirst();
        return;
    }

    QByteArray bytes;
    int err = 0;
    const TReadResult read = ReadBytes(FFileName, bytes, err);
    if (read == TReadResult::Failed || read == TReadResult::NotAFile) {
        const EFileError e = ReadFailure(FFileName, read, err);
        for (std::optional<EFileError>& f : failures)
            if (!f)
                f = e;
        throwFirst();
    }
    const TContent c(bytes);

    struct TEdit {
        size_t Index;
        QByteArray Encoded;
        TPlace Place;
    };
    std::vector<TEdit> edits;
    for (size_t i = 0; i < count; ++i) {
        if (failures[i])
            continue;
        const TIniValue& v = values[i];
        QByteArray encoded;
        try {
            CheckNameEncoding(FFileName, c.Utf8(), v.Section);
            CheckNameEncoding(FFileName, c.Utf8(), v.Key);
            encoded = EncodeValue(FFileName, c.Utf8(), TrimBlanks(v.Value));
        } catch (const EFileError& e) {
            failures[i] = e;
            continue;
        }
        const auto earlier = std::find_if(edits.begin(), edits.end(), [&](const TEdit& e) {
            return SameName(values[e.Index].Section, v.Section) &&
                   SameName(values[e.Index].Key, v.Key);
        });
        if (earlier != edits.end()) {
            changes[i] = earlier->Encoded != encoded;
            earlier->Encoded = encoded;
            continue;
        }
        TPlace place = Locate(c, v.Section, v.Key);
        changes[i] = !place.KeyFound ||
                     c.Bytes().sliced(place.Key.ValueStart,
                                      place.Key.ValueEnd - place.Key.ValueStart) != encoded;
        edits.push_back({i, encoded, place});
    }
    if (std::find(changes.begin(), changes.end(), true) == changes.end()) {
        throwFirst();
        return;
    }

    const QByteArray lineBreak = c.LineBreak();
    const auto entry = [&](const TEdit& e) {
        return EncodeName(c.Utf8(), values[e.Index].Key) + '=' + e.Encoded + lineBreak;
    };
    std::vector<TSplice> splices;
    std::vector<TSplice> insertions;
    std::vector<qsizetype> insertionSections; // where the section of each insertion starts
    QStringList newSections;
    std::vector<QByteArray> newSectionBytes;
    for (const TEdit& e : edits) {
        const TPlace& place = e.Place;
        if (place.KeyFound) {
            splices.push_back(
                {place.Key.ValueStart, place.Key.ValueEnd - place.Key.ValueStart, e.Encoded});
        } else if (place.SectionFound) {
            const auto it =
                std::find(insertionSections.begin(), insertionSections.end(), place.SectionStart);
            if (it != insertionSections.end()) {
                insertions[size_t(it - insertionSections.begin())].Bytes += entry(e);
                continue;
            }
            insertionSections.push_back(place.SectionStart);
            const TLine& after = place.LastEntry;
            // The last line of a file may lack its line break; it gets one before the new line.
            insertions.push_back(
                {after.End, 0,
                 (after.End == after.ContentEnd ? lineBreak : QByteArray()) + entry(e)});
        } else {
            const QString& section = values[e.Index].Section;
            const auto it = std::find_if(newSections.begin(), newSections.end(),
                                         [&](const QString& s) { return SameName(s, section); });
            if (it != newSections.end()) {
                newSectionBytes[size_t(it - newSections.begin())] += entry(e);
                continue;
            }
            newSections << section;
            newSectionBytes.push_back('[' + EncodeName(c.Utf8(), section) + ']' + lineBreak +
                                      entry(e));
        }
    }
    // A value that is empty on a last line without line break is replaced where new keys go:
    // the replacement comes first.
    splices.insert(splices.end(), insertions.begin(), insertions.end());
    std::stable_sort(splices.begin(), splices.end(),
                     [](const TSplice& a, const TSplice& b) { return a.Pos < b.Pos; });
    QByteArray out;
    out.reserve(bytes.size() + 256);
    qsizetype at = 0;
    for (const TSplice& s : splices) {
        out += QByteArrayView(bytes).sliced(at, s.Pos - at);
        out += s.Bytes;
        at = s.Pos + s.Length;
    }
    out += QByteArrayView(bytes).sliced(at);
    if (!newSectionBytes.empty()) {
        if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r') && out != kUtf8Bom)
            out += lineBreak;
        for (const QByteArray& s : newSectionBytes)
            out += s;
    }

    try {
        SaveBytes(FFileName, out);
    } catch (const EFileError& e) {
        for (size_t i = 0; i < count; ++i)
            if (changes[i] && !failures[i])
                failures[i] = e;
    }
    throwFirst();
}
