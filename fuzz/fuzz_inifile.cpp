// libFuzzer target for the INI reader and writer. The input is the bytes of a settings file.
//  - Every key is read as a plain line-by-line reading of the file says (first section of a name,
//    first key in it, blanks dropped, long values cut).
//  - The values read, written to a fresh file, read back unchanged, and writing them again leaves
//    that file byte for byte as it was; written into the file they came from, they change nothing.
//  - The input, cut at the byte 0x02 into section, key and value, drives writes into the file:
//    a write either is refused for a documented reason and leaves the file untouched, or the key
//    then reads as written and every other key keeps its value. A byte 0x01 followed by two bytes
//    gives any UTF-16 unit (lone surrogates and characters Windows-1251 lacks included).
#include "app/inifile.h"
#include "app/textfile.h"

#include "fuzz/fuzzfiles.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView kBom = "\xEF\xBB\xBF";
// Enough keys to meet every kind of line; more only slow each run down.
constexpr qsizetype kMaxKeys = 48;
constexpr qsizetype kMaxWrites = 6;

const QTemporaryDir& Folder() {
    return fuzzfiles::Folder("ini");
}

using fuzzfiles::Get;
using fuzzfiles::Put;

// UTF-8 as the file holds it: a U+FEFF that starts a name or value is part of it.
QString FromUtf8(QByteArrayView b) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(b);
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView TrimBytes(QByteArrayView b) {
    while (!b.isEmpty() && IsBlankByte(b.front()))
        b = b.sliced(1);
    while (!b.isEmpty() && IsBlankByte(b.back()))
        b.chop(1);
    return b;
}

QString TrimBlanks(const QString& s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && IsBlank(s[from]))
        ++from;
    while (to > from && IsBlank(s[to - 1]))
        --to;
    return s.sliced(from, to - from);
}

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One key as a plain reading of the file finds it.
struct TKey {
    QString Section;
    QString Key;
    QByteArray RawValue; // the value's bytes, blanks around them dropped
    QString Value;       // as a read gives it
};

// The keys a reader can see, each once: a later section or key of the same name is hidden by
// the first one.
QList<TKey> VisibleKeys(QByteArrayView file) {
    const bool utf8 = file.startsWith(kBom);
    if (utf8)
        file = file.sliced(kBom.size());
    const auto decode = [&](QByteArrayView b) { return utf8 ? FromUtf8(b) : DecodeCp1251(b); };
    QList<TKey> keys;
    QStringList seenSections;
    std::optional<QString> section; // none before the first header or under a hidden one
    qsizetype pos = 0;
    while (pos < file.size()) {
        qsizetype end = pos;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n')
            ++end;
        const QByteArrayView line = TrimBytes(file.sliced(pos, end - pos));
        pos = end;
        if (pos < file.size())
            pos += file[pos] == '\r' && pos + 1 < file.size() && file[pos + 1] == '\n' ? 2 : 1;
        if (line.startsWith('[')) {
            section.reset();
            const qsizetype close = line.indexOf(']');
            if (close < 0)
                continue;
            const QString name = decode(TrimBytes(line.sliced(1, close - 1)));
            if (seenSections.contains(name, Qt::CaseInsensitive))
                continue;
            seenSections << name;
            section = name;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!section || eq <= 0)
            continue;
        const QString key = decode(TrimBytes(line.first(eq)));
        if (std::any_of(keys.begin(), keys.end(), [&](const TKey& k) {
                return SameName(k.Section, *section) && SameName(k.Key, key);
            }))
            continue;
        const QByteArrayView raw = TrimBytes(line.sliced(eq + 1));
        QString value;
        if (utf8) {
            value = FromUtf8(raw);
            if (value.size() > TIniFile::MaxValueLength)
                value.truncate(value[TIniFile::MaxValueLength - 1].isHighSurrogate()
                                   ? TIniFile::MaxValueLength - 1
                                   : TIniFile::MaxValueLength);
        } else {
            value = DecodeCp1251(raw.first(qMin(raw.size(), TIniFile::MaxValueLength)));
        }
        keys.append({*section, key, raw.toByteArray(), value});
    }
    return keys;
}

void CheckReads(const TIniSnapshot& ini, const QList<TKey>& keys) {
    const QString missing = u"\x01missing"_s;
    for (qsizetype i = 0; i < qMin(keys.size(), kMaxKeys); ++i) {
        const TKey& k = keys[i];
        if (ini.ReadString(k.Section, k.Key, missing) != k.Value)
            std::abort();
        if (!ini.ValueExists(k.Section, k.Key))
            std::abort();
        const std::optional<int> number = ParseWholeNumber(k.Value);
        if (ini.ReadInteger(k.Section, k.Key, -12345) != number.value_or(-12345))
            std::abort();
    }
}

// The keys the writer takes back: a section without a name ("[]") is read, but refused when
// written, as promised.
QList<TKey> Writable(const QList<TKey>& keys) {
    QList<TKey> writable;
    for (const TKey& k : keys)
        if (!k.Section.isEmpty() && writable.size() < kMaxKeys)
            writable << k;
    return writable;
}

QList<TIniValue> AsValues(const QList<TKey>& keys) {
    QList<TIniValue> values;
    for (const TKey& k : keys)
        values.append({k.Section, k.Key, k.Value});
    return values;
}

// The values read go to a fresh file of the same encoding and come back unchanged; a second
// write of them changes no byte.
void CheckFreshCopy(const QString& path, bool utf8, const QList<TKey>& all) {
    const QList<TKey> keys = Writable(all);
    Put(path, utf8 ? kBom : QByteArrayView());
    TIniFile ini(path);
    const QList<TIniValue> values = AsValues(keys);
    try {
        ini.WriteValues(values);
    } catch (const EFileError&) {
        std::abort(); // every name and value came out of a file of this encoding
    }
    const QByteArray written = Get(path);
    CheckReads(ini.Load(), keys);
    try {
        ini.WriteValues(values);
    } catch (const EFileError&) {
        std::abort();
    }
    if (Get(path) != written)
        std::abort();
}

// The values read, written into the file they came from, leave it as it was when they are
// written as they stand there (a value cut to the longest read, or malformed UTF-8, is not).
void CheckWriteInPlace(const QString& path, QByteArrayView file, const QList<TKey>& keys) {
    const bool utf8 = file.startsWith(kBom);
    QList<TIniValue> values;
    for (const TKey& k : Writable(keys)) {
        if ((utf8 ? k.Value.toUtf8() : EncodeCp1251(k.Value)) == k.RawValue)
            values.append({k.Section, k.Key, k.Value});
    }
    Put(path, file);
    try {
        TIniFile(path).WriteValues(values);
    } catch (const EFileError&) {
        std::abort();
    }
    if (Get(path) != file)
        std::abort();
}

// The input as text for the writer: Windows-1251, with 0x01 and two bytes giving one UTF-16 unit.
QString WriterText(QByteArrayView b) {
    QString s;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '\x01' && i + 2 < b.size()) {
            s += QChar(char16_t(uchar(b[i + 1]) | uchar(b[i + 2]) << 8));
            i += 2;
        } else {
            s += DecodeCp1251(b.sliced(i, 1));
        }
    }
    return s;
}

bool HasBreak(QStringView s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

bool Encodable(bool utf8, QStringView s) {
    return utf8 ? s.isValidUtf16() : CanEncodeCp1251(s);
}

// What the writer promises to refuse, with nothing written.
bool MustRefuse(bool utf8, const QString& section, const QString& key, const QString& value) {
    const bool badSection = section.isEmpty() || HasBreak(section) || section.contains(u']') ||
                            IsBlank(section.front()) || IsBlank(section.back());
    const bool badKey = key.isEmpty() || HasBreak(key) || key.contains(u'=') ||
                        key.startsWith(u'[') || IsBlank(key.front()) || IsBlank(key.back());
    return badSection || badKey || HasBreak(value) || !Encodable(utf8, section) ||
           !Encodable(utf8, key) || !Encodable(utf8, TrimBlanks(value));
}

QString ExpectedRead(const QString& value) {
    QString v = TrimBlanks(value);
    if (v.size() > TIniFile::MaxValueLength)
        v.truncate(v[TIniFile::MaxValueLength - 1].isHighSurrogate() ? TIniFile::MaxValueLength - 1
                                                                     : TIniFile::MaxValueLength);
    return v;
}

void CheckWrites(const QString& path, QByteArrayView file, QByteArrayView input) {
    const QStringList fields = WriterText(input).split(QChar(u'\x02'));
    if (fields.size() < 3)
        return;
    Put(path, file);
    TIniFile ini(path);
    const bool utf8 = file.startsWith(kBom);
    QList<TIniValue> batch; // every write, refused ones included
    bool anyRefused = false;
    for (qsizetype i = 0; i + 2 < fields.size() && i < 3 * kMaxWrites; i += 3) {
        const QString& section = fields[i];
        const QString& key = fields[i + 1];
        const QString& value = fields[i + 2];
        const QByteArray before = Get(path);
        const QList<TKey> keysBefore = VisibleKeys(before);
        bool refused = false;
        try {
            ini.WriteString(section, key, value);
        } catch (const EFileError& e) {
            refused = true;
            if (e.Message().isEmpty())
                std::abort();
        }
        const bool mustRefuse = MustRefuse(utf8, section, key, value);
        batch.append({section, key, value});
        if (refused) {
            anyRefused = true;
            if (!mustRefuse)
                std::abort();
            if (Get(path) != before)
                std::abort();
            continue;
        }
        if (mustRefuse)
            std::abort();
        const TIniSnapshot after = ini.Load();
        if (after.ReadString(section, key, u"\x01missing"_s) != ExpectedRead(value))
            std::abort();
        QList<TKey> others;
        for (const TKey& k : keysBefore)
            if (!SameName(k.Section, section) || !SameName(k.Key, key))
                others << k;
        CheckReads(after, others);
        // The file stays readable the plain way: the new key is where a reader finds it.
        const QList<TKey> keysAfter = VisibleKeys(Get(path));
        if (std::none_of(keysAfter.begin(), keysAfter.end(), [&](const TKey& k) {
                return SameName(k.Section, section) && SameName(k.Key, key) &&
                       k.Value == ExpectedRead(value);
            }))
            std::abort();
    }

    // The same writes as one batch leave every key as the writes one by one did.
    const QString batchPath = path + u".batch"_s;
    Put(batchPath, file);
    bool refused = false;
    try {
        TIniFile(batchPath).WriteValues(batch);
    } catch (const EFileError&) {
        refused = true;
    }
    if (refused != anyRefused)
        std::abort();
    const QList<TKey> one = VisibleKeys(Get(path));
    const QList<TKey> all = VisibleKeys(Get(batchPath));
    if (one.size() != all.size())
        std::abort();
    for (qsizetype i = 0; i < one.size(); ++i)
        if (one[i].Section != all[i].Section || one[i].Key != all[i].Key ||
            one[i].Value != all[i].Value)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = Folder().filePath(u"settings.ini"_s);
    const QString fresh = Folder().filePath(u"fresh.ini"_s);
    Put(path, file);

    const QList<TKey> keys = VisibleKeys(file);
    CheckReads(TIniFile(path).Load(), keys);
    CheckFreshCopy(fresh, file.startsWith(kBom), keys);
    CheckWriteInPlace(path, file, keys);
    CheckWrites(path, file, file);
    return 0;
}
