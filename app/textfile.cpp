#include "app/textfile.h"

#include "site/toolfunc.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Unicode of the Windows-1251 codes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. The unassigned
// 0x98 maps to U+0098 so that every byte survives a round trip.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

int HighHalfCode(char16_t u) {
    for (int i = 0; i < 64; ++i)
        if (kHighHalf[i] == u)
            return 0x80 + i;
    return -1;
}

qint64 gWriteFault = -1;

QString ReasonOf(int err) {
    return SystemErrorText(err);
}

[[noreturn]] void ThrowWrite(const QString& path, int err) {
    throw EFileError(
        u"Не удалось записать файл «%1»: %2."_s.arg(QDir::toNativeSeparators(path), ReasonOf(err)));
}

[[noreturn]] void ThrowRead(const QString& path, int err) {
    throw EFileError(u"Не удалось прочитать файл «%1»: %2."_s.arg(QDir::toNativeSeparators(path),
                                                                  ReasonOf(err)));
}

// Follows a chain of symbolic links to the file they finally name (which need not exist yet).
QString FinalTarget(const QString& path) {
    QString p = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        QFileInfo fi(p);
        if (!fi.isSymLink())
            return p;
        QString t = fi.symLinkTarget();
        if (t.isEmpty())
            return p;
        p = t;
    }
    return p;
}

bool WriteAll(int fd, const char* data, qint64 size, int* err) {
    qint64 written = 0;
    while (written < size) {
        qint64 chunk = size - written;
        if (gWriteFault >= 0) {
            if (written >= gWriteFault) {
                *err = ENOSPC;
                return false;
            }
            chunk = qMin(chunk, gWriteFault - written);
        }
        ssize_t n = ::write(fd, data + written, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *err = errno;
            return false;
        }
        written += n;
    }
    return true;
}

} // namespace

QString DecodeCp1251(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* o = out.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char16_t u;
        if (b < 0x80)
            u = b;
        else if (b >= 0xC0)
            u = char16_t(0x0410 + (b - 0xC0));
        else
            u = kHighHalf[b - 0x80];
        *o++ = QChar(u);
    }
    return out;
}

int Cp1251Code(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u;
    if (u >= 0x0410 && u <= 0x044F)
        return 0xC0 + (u - 0x0410);
    return HighHalfCode(u);
}

bool CanEncodeCp1251(QStringView text, qsizetype* firstBad) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (Cp1251Code(text[i]) < 0) {
            if (firstBad)
                *firstBad = i;
            return false;
        }
    }
    if (firstBad)
        *firstBad = -1;
    return true;
}

QByteArray EncodeCp1251(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* o = out.data();
    for (QChar c : text) {
        const int code = Cp1251Code(c);
        *o++ = char(code < 0 ? '?' : code);
    }
    return out;
}

QString EscapeForCp1251Html(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (Cp1251Code(c) >= 0) {
            out += c;
            continue;
        }
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(c, text[i + 1]);
            ++i;
        }
        out += u"&#"_s + QString::number(quint32(cp)) + u';';
    }
    return out;
}

QString NormalizeLineBreaks(QStringView text) {
    QString out;
    out.reserve(text.size() + 1);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            out += u'\n';
        } else {
            out += c;
        }
    }
    if (!out.isEmpty() && !out.endsWith(u'\n'))
        out += u'\n';
    return out;
}

QByteArray ToFileBytes(QStringView text) {
    QByteArray out;
    out.reserve(text.size() + text.size() / 16 + 2);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n' || u == 0x2028 || u == 0x2029) {
            if (u == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            out += "\r\n";
            continue;
        }
        const int code = Cp1251Code(c);
        out += char(code < 0 ? '?' : code);
    }
    if (!out.isEmpty() && !out.endsWith("\r\n"))
        out += "\r\n";
    return out;
}

QString SystemErrorText(int errorCode) {
    switch (errorCode) {
    case EACCES:
    case EPERM:
        return u"отказано в доступе"_s;
    case ENOENT:
        return u"файл или папка не существует"_s;
    case ENOSPC:
        return u"на диске недостаточно места"_s;
    case EDQUOT:
        return u"превышена дисковая квота"_s;
    case EROFS:
        return u"файловая система доступна только для чтения"_s;
    case EISDIR:
        return u"это папка, а не файл"_s;
    case ENOTDIR:
        return u"часть пути не является папкой"_s;
    case ENAMETOOLONG:
        return u"слишком длинное имя файла"_s;
    case EIO:
        return u"ошибка ввода-вывода"_s;
    case EMFILE:
    case ENFILE:
        return u"открыто слишком много файлов"_s;
    case EFBIG:
        return u"файл слишком велик"_s;
    case ELOOP:
        return u"слишком много символических ссылок"_s;
    case EBUSY:
    case ETXTBSY:
        return u"файл занят"_s;
    default:
        return QString::fromLocal8Bit(std::strerror(errorCode));
    }
}

QString ReadTextFile(const QString& path) {
    QFileInfo fi(path);
    if (fi.isDir())
        ThrowRead(path, EISDIR);
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        ThrowRead(path, errno ? errno : ENOENT);
    errno = 0;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        ThrowRead(path, errno ? errno : EIO);
    return NormalizeLineBreaks(DecodeCp1251(bytes));
}

TUnencodable UnencodablePolicyFor(const QString& path) {
    // A page can carry any character as a reference; in a style sheet or a script that would
    // change the meaning, so there the save is refused instead.
    const bool styleSheet = QFileInfo(path).suffix().toLower().startsWith(u"css"_s);
    return IsHtmlFile(path) && !styleSheet ? TUnencodable::HtmlEscape : TUnencodable::Refuse;
}

bool IsReadOnlyFile(const QString& path) {
    QFileInfo fi(path);
    if (!fi.exists() || fi.isDir())
        return false;
    if (!fi.isWritable())
        return true;
    // Root may write anything; the owner's write bit still says whether the user meant the
    // file to be read-only.
    return !(fi.permissions() & QFileDevice::WriteOwner);
}

void WriteTextFile(const QString& path, const QString& text, TUnencodable unencodable) {
    qsizetype bad = -1;
    QString out = text;
    if (!CanEncodeCp1251(text, &bad)) {
        if (unencodable == TUnencodable::HtmlEscape) {
            out = EscapeForCp1251Html(text);
        } else {
            const int line = int(text.left(bad).count(u'\n')) + 1;
            throw EFileError(
                u"Файл «%1» не сохранён: символ «%2» в строке %3 нельзя записать "
                u"в кодировке Windows-1251. Удалите или замените его."_s.arg(
                    QDir::toNativeSeparators(path), text.mid(bad, 1), QString::number(line)));
        }
    }
    const QByteArray bytes = ToFileBytes(out);

    const QString target = FinalTarget(path);
    QFileInfo ti(target);
    if (ti.isDir())
        ThrowWrite(path, EISDIR);
    if (IsReadOnlyFile(target)) {
        // Report what the system says (a read-only file system, say); a file that only its
        // missing write bit protects is "access denied", as for any other user.
        const QByteArray t = QFile::encodeName(target);
        ThrowWrite(path, ::access(t.constData(), W_OK) != 0 ? errno : EACCES);
    }

    const QByteArray dir = QFile::encodeName(ti.absolutePath());
    QByteArray tmpl = dir + "/." + QFile::encodeName(ti.fileName()) + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        ThrowWrite(path, errno);
    int err = 0;
    bool ok = WriteAll(fd, bytes.constData(), bytes.size(), &err);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    struct stat st {};
    const QByteArray finalName = QFile::encodeName(target);
    if (ok && ::stat(finalName.constData(), &st) == 0) {
        // Keep the mode and, where allowed, the owner of the file being replaced.
        (void)::fchmod(fd, st.st_mode & 07777);
        (void)::fchown(fd, st.st_uid, st.st_gid);
    } else if (ok) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        (void)::fchmod(fd, 0666 & ~mask);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tmpl.constData(), finalName.constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmpl.constData());
        ThrowWrite(path, err);
    }
}

namespace {

// Directory listings by folder, lowercased name to the name on disk (the first in name order
// wins). Pages check thousands of links against the same few folders on every scan, so a folder
// is listed once. A name found is checked to be still there; a name not found lists the folder
// again, unless it was listed in the same batch of look-ups, or the folder has not changed since
// a listing taken well after its last change (time stamps are too coarse to trust a listing
// made in the same instant as a change).
int gBatchDepth = 0;
quint64 gBatchGeneration = 0;

class TFolderNames {
public:
    QString Lookup(const QString& dir, const QString& name) {
        const QMutexLocker lock(&FMutex);
        const QString key = name.toLower();
        auto it = FFolders.constFind(dir);
        if (it != FFolders.constEnd()) {
            const QString found = it->Names.value(key);
            if (!found.isEmpty()) {
                if (QFileInfo::exists(QDir(dir).filePath(found)))
                    return found;
            } else if ((gBatchDepth > 0 && it->Generation == gBatchGeneration) ||
                       Settled(*it, QFileInfo(dir).lastModified())) {
                return {};
            }
        }
        return List(dir).Names.value(key);
    }

private:
    struct TListing {
        QHash<QString, QString> Names;
        QDateTime Changed; // the folder's time stamp when it was listed
        QDateTime Listed;
        quint64 Generation = 0; // the batch of look-ups it was listed in
    };

    static bool Settled(const TListing& l, const QDateTime& changed) {
        return changed.isValid() && changed == l.Changed && l.Changed.msecsTo(l.Listed) > 2000;
    }

    const TListing& List(const QString& dir) {
        if (FFolders.size() > 512)
            FFolders.clear();
        TListing listing;
        listing.Changed = QFileInfo(dir).lastModified();
        listing.Listed = QDateTime::currentDateTimeUtc();
        listing.Generation = gBatchDepth > 0 ? gBatchGeneration : 0;
        const QStringList entries = QDir(dir).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& e : entries) {
            const QString key = e.toLower();
            if (!listing.Names.contains(key)) // entries come in name order: the first one wins
                listing.Names.insert(key, e);
        }
        return *FFolders.insert(dir, std::move(listing));
    }

    QMutex FMutex;
    QHash<QString, TListing> FFolders;
};

TFolderNames& FolderNames() {
    static TFolderNames names;
    return names;
}

} // namespace

TPathCaseBatch::TPathCaseBatch() {
    if (gBatchDepth++ == 0)
        ++gBatchGeneration;
}

TPathCaseBatch::~TPathCaseBatch() {
    --gBatchDepth;
}

QString FindPathNoCase(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString abs = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const qsizetype slash = abs.lastIndexOf(u'/');
    if (slash < 0 || slash == abs.size() - 1)
        return path;
    QString dir = slash == 0 ? u"/"_s : abs.left(slash);
    if (!QFileInfo(dir).isDir()) {
        dir = FindPathNoCase(dir);
        if (!QFileInfo(dir).isDir())
            return path;
    }
    const QString found = FolderNames().Lookup(dir, abs.mid(slash + 1));
    return found.isEmpty() ? path : QDir(dir).filePath(found);
}

void SetWriteFaultForTests(qint64 bytes) {
    gWriteFault = bytes;
}
