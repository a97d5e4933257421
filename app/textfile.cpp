#include "app/textfile.h"
#include "app/unixfd.h"

#include "site/toolfunc.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <array>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <new>
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

// Unicode of every byte, so that decoding is one table look-up per byte.
constexpr std::array<char16_t, 256> kToUnicode = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = b < 0x80    ? char16_t(b)
               : b >= 0xC0 ? char16_t(0x0410 + (b - 0xC0))
                           : kHighHalf[b - 0x80];
    return t;
}();

int HighHalfCode(char16_t u) {
    for (int i = 0; i < 64; ++i)
        if (kHighHalf[i] == u)
            return 0x80 + i;
    return -1;
}

qint64 gWriteFault = -1;
bool gTempFileFault = false;

// The longest file name most Linux file systems take, in bytes.
constexpr qsizetype kNameMax = 255;
constexpr char kTempMarker[] = ".quorvane-save-";
constexpr qsizetype kTempRandom = 6; // the XXXXXX of mkostemp

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

// Why a path that exists is no file to read or write, for a message.
QString NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode))
        return SystemErrorText(EISDIR);
    if (S_ISFIFO(mode))
        return u"это именованный канал, а не обычный файл"_s;
    if (S_ISSOCK(mode))
        return u"это сокет, а не обычный файл"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"это устройство, а не обычный файл"_s;
    return u"это не обычный файл"_s;
}

[[noreturn]] void ThrowNotRegular(const QString& path, mode_t mode, bool writing) {
    const QString what = writing ? u"записать"_s : u"прочитать"_s;
    throw EFileError(u"Не удалось %1 файл «%2»: %3."_s.arg(what, QDir::toNativeSeparators(path),
                                                           NotRegularReason(mode)));
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

bool WriteAll(int fd, const char* data, qint64 size, int* err, bool faultable = true) {
    qint64 written = 0;
    while (written < size) {
        qint64 chunk = size - written;
        if (faultable && gWriteFault >= 0) {
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

// Reads from the descriptor's position to the end. sizeHint is what the file's size said: the
// buffer gets one byte more, so an unchanged file takes one read and one read that sees the end.
bool ReadAll(int fd, qint64 sizeHint, QByteArray* out, int* err) {
    QByteArray buf(qsizetype(qMax<qint64>(sizeHint, 0)) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == buf.size()) // the file grew while it was read
            buf.resize(buf.size() + qMax<qsizetype>(buf.size() / 2, 64 * 1024));
        const ssize_t n = ::read(fd, buf.data() + got, size_t(buf.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *err = errno;
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    buf.truncate(got);
    *out = std::move(buf);
    return true;
}

// ".<name>.quorvane-save-": the start of the temporary files of one target. A name so long that
// the whole would pass the file system's limit is cut, at a character boundary.
QByteArray TempPrefix(const QString& fileName) {
    QByteArray name = QFile::encodeName(fileName);
    const qsizetype room = kNameMax - 1 - qsizetype(sizeof(kTempMarker) - 1) - kTempRandom;
    if (name.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (uchar(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.truncate(cut);
    }
    return '.' + name + kTempMarker;
}

// Removes what earlier interrupted saves of the same target left in the folder: regular files
// named exactly prefix + six characters. Links are never followed; failures are of no concern.
void RemoveStaleTempFiles(const QByteArray& dir, const QByteArray& prefix) {
    DIR* d = ::opendir(dir.constData());
    if (!d)
        return;
    const int dfd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        const QByteArrayView name(e->d_name);
        if (name.size() != prefix.size() + kTempRandom || !name.startsWith(prefix))
            continue;
        struct stat st {};
        if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            (void)::unlinkat(dfd, e->d_name, 0);
    }
    ::closedir(d);
}

// Makes a rename in the folder survive a power failure. File systems that cannot flush a folder
// say EINVAL; a folder that cannot be opened for reading cannot be flushed and is left as it is.
int SyncFolder(const QByteArray& dir) {
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    int err = 0;
    if (::fsync(fd) != 0 && errno != EINVAL)
        err = errno;
    ::close(fd);
    return err;
}

[[noreturn]] void ThrowInPlace(const QString& path, int tempErr, int writeErr, bool kept) {
    throw EFileError(
        u"Не удалось записать файл «%1»: папка не позволила создать временный файл (%2), "
        u"а записать сам файл на месте тоже не удалось (%3). %4"_s.arg(
            QDir::toNativeSeparators(path), ReasonOf(tempErr), ReasonOf(writeErr),
            kept ? u"Прежнее содержимое файла сохранено."_s
                 : u"Файл мог остаться записанным не полностью."_s));
}

// Rewrites an existing file in place, for a folder that refuses the temporary file. Space for
// the new content is reserved first where the file system can, and the old content is put back
// when the write fails, so the file is not left half-written.
void WriteInPlace(const QString& path, const QByteArray& target, const QByteArray& bytes,
                  int tempErr) {
    bool canRestore = true;
    int fd = ::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) { // a file one may write but not read
        canRestore = false;
        fd = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    }
    if (fd < 0)
        ThrowInPlace(path, tempErr, errno, true);
    TFd file(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        ThrowInPlace(path, tempErr, errno, true);
    if (!S_ISREG(st.st_mode))
        ThrowNotRegular(path, st.st_mode, true);
    QByteArray old;
    int err = 0;
    if (canRestore && !ReadAll(fd, st.st_size, &old, &err))
        ThrowInPlace(path, tempErr, err, true);
    if (bytes.size() > old.size() &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(bytes.size())) != 0 &&
        (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
        ThrowInPlace(path, tempErr, errno, true);
    bool ok = ::lseek(fd, 0, SEEK_SET) == 0;
    if (!ok)
        err = errno;
    ok = ok && WriteAll(fd, bytes.constData(), bytes.size(), &err);
    if (ok && ::ftruncate(fd, off_t(bytes.size())) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (ok) {
        if (const int closeErr = file.Close())
            ThrowInPlace(path, tempErr, closeErr, false);
        return;
    }
    int ignored = 0;
    const bool kept = canRestore && ::lseek(fd, 0, SEEK_SET) == 0 &&
                      WriteAll(fd, old.constData(), old.size(), &ignored, false) &&
                      ::ftruncate(fd, off_t(old.size())) == 0 && ::fsync(fd) == 0;
    ThrowInPlace(path, tempErr, err, kept);
}

} // namespace

QString DecodeCp1251(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* o = out.data();
    for (char ch : bytes)
        *o++ = QChar(kToUnicode[static_cast<unsigned char>(ch)]);
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

QString EscapeForCp1251Html(QStringView text, int* references) {
    int count = 0;
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
        ++count;
    }
    if (references)
        *references = count;
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

QString TextFromFileBytes(QByteArrayView bytes, TReadInfo* info) {
    const qsizetype n = bytes.size();
    // Every byte gives at most one character, and one LF may be added at the end.
    QString out(n + 1, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* o = begin;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    bool nul = false;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b == '\r') {
            if (i + 1 < n && p[i + 1] == '\n')
                ++i;
            *o++ = u'\n';
            continue;
        }
        nul |= b == 0;
        *o++ = kToUnicode[b];
    }
    if (o != begin && o[-1] != u'\n')
        *o++ = u'\n';
    out.truncate(o - begin);
    if (info)
        info->HasNul = nul;
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
    // Every reason the program shows is Russian; strerror would speak the system's language,
    // which is English on most installations.
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
    case EINVAL:
        return u"недопустимая операция для этого файла"_s;
    case ENXIO:
        return u"устройство или адрес не существует"_s;
    case ENODEV:
        return u"нет такого устройства"_s;
    case ENOTBLK:
        return u"требуется блочное устройство"_s;
    case ENOMEDIUM:
        return u"в устройстве нет носителя"_s;
    case EMEDIUMTYPE:
        return u"неподходящий тип носителя"_s;
    case EEXIST:
        return u"файл уже существует"_s;
    case ENOTEMPTY:
        return u"папка не пуста"_s;
    case EXDEV:
        return u"файлы находятся на разных файловых системах"_s;
    case EMLINK:
        return u"слишком много ссылок на файл"_s;
    case EAGAIN:
        return u"ресурс временно недоступен, повторите попытку"_s;
    case EINTR:
        return u"операция прервана"_s;
    case ECANCELED:
        return u"операция отменена"_s;
    case ENOMEM:
        return u"недостаточно памяти"_s;
    case ENOBUFS:
        return u"недостаточно места в буфере"_s;
    case EBADF:
        return u"неверный дескриптор файла"_s;
    case EFAULT:
        return u"неверный адрес в памяти"_s;
    case ESPIPE:
        return u"по этому файлу нельзя перемещаться"_s;
    case EPIPE:
        return u"канал закрыт с другой стороны"_s;
    case ENOTTY:
        return u"операция не подходит для этого устройства"_s;
    case EOVERFLOW:
        return u"файл слишком велик для этой операции"_s;
    case ERANGE:
        return u"значение вне допустимого диапазона"_s;
    case ENOSYS:
        return u"функция не поддерживается системой"_s;
    case EOPNOTSUPP: // the same code as ENOTSUP here
        return u"операция не поддерживается"_s;
    case ENOLCK:
        return u"нет свободных блокировок файлов"_s;
    case EDEADLK:
        return u"обнаружена взаимная блокировка"_s;
    case ESTALE:
        return u"файл на сетевом диске больше не доступен"_s;
    case EREMOTEIO:
        return u"ошибка ввода-вывода на удалённом компьютере"_s;
    case ETIMEDOUT:
        return u"истекло время ожидания"_s;
    case ENOTCONN:
    case ECONNRESET:
    case ECONNABORTED:
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENOLINK:
        return u"нет связи с сетевым диском"_s;
    case EUCLEAN:
    case EBADMSG:
        return u"данные на диске повреждены"_s;
    case ENODATA:
        return u"нет данных"_s;
    case EILSEQ:
        return u"недопустимые символы в имени файла"_s;
    case E2BIG:
        return u"слишком длинный список аргументов"_s;
    case ENOEXEC:
        return u"файл не является исполняемым"_s;
    case EKEYEXPIRED:
    case EKEYREJECTED:
    case EKEYREVOKED:
    case ENOKEY:
        return u"нет ключа для доступа к зашифрованному файлу"_s;
    default:
        return u"Системная ошибка %1"_s.arg(errorCode);
    }
}

bool IsRegularFileOrLinkToOne(const QString& path) {
    if (path.isEmpty())
        return false;
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString ReadTextFile(const QString& path, TReadInfo* info) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Look before opening: opening a named pipe would wait for a writer, a device could do
    // anything.
    if (path.isEmpty() || ::stat(name.constData(), &st) != 0)
        ThrowRead(path, path.isEmpty() ? ENOENT : errno);
    if (!S_ISREG(st.st_mode))
        ThrowNotRegular(path, st.st_mode, false);
    // Should the file be swapped for a pipe after the look, O_NONBLOCK still keeps the open from
    // waiting, and the second look refuses it.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        ThrowRead(path, errno);
    const TFd file(fd);
    if (::fstat(fd, &st) != 0)
        ThrowRead(path, errno);
    if (!S_ISREG(st.st_mode))
        ThrowNotRegular(path, st.st_mode, false);
    try {
        QByteArray bytes;
        int err = 0;
        if (!ReadAll(fd, st.st_size, &bytes, &err))
            ThrowRead(path, err);
        return TextFromFileBytes(bytes, info);
    } catch (const std::bad_alloc&) {
        ThrowRead(path, ENOMEM);
    }
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

int WriteTextFile(const QString& path, const QString& text, TUnencodable unencodable) {
    qsizetype bad = -1;
    int references = 0;
    QString out = text;
    if (!CanEncodeCp1251(text, &bad)) {
        if (unencodable == TUnencodable::HtmlEscape) {
            out = EscapeForCp1251Html(text, &references);
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
    const QByteArray finalName = QFile::encodeName(target);
    struct stat st {};
    const bool exists = ::stat(finalName.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        ThrowWrite(path, errno);
    // Renaming over a pipe or a device would replace the node itself, not write to it.
    if (exists && !S_ISREG(st.st_mode))
        ThrowNotRegular(path, st.st_mode, true);
    if (IsReadOnlyFile(target)) {
        // Report what the system says (a read-only file system, say); a file that only its
        // missing write bit protects is "access denied", as for any other user.
        ThrowWrite(path, ::access(finalName.constData(), W_OK) != 0 ? errno : EACCES);
    }

    const QFileInfo ti(target);
    const QByteArray dir = QFile::encodeName(ti.absolutePath());
    const QByteArray prefix = TempPrefix(ti.fileName());
    QByteArray tmpl = dir + '/' + prefix + QByteArray(kTempRandom, 'X');
    int fd = -1;
    if (gTempFileFault)
        errno = EACCES;
    else
        fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) {
        const int tempErr = errno;
        // A folder the user may not add files to can still hold a file the user may change.
        const bool folderRefused = tempErr == EACCES || tempErr == EROFS || tempErr == EPERM;
        if (folderRefused && exists && ::access(finalName.constData(), W_OK) == 0) {
            WriteInPlace(path, finalName, bytes, tempErr);
            return references;
        }
        ThrowWrite(path, tempErr);
    }
    int err = 0;
    bool ok = WriteAll(fd, bytes.constData(), bytes.size(), &err);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && exists) {
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
    RemoveStaleTempFiles(dir, prefix);
    if (const int syncErr = SyncFolder(dir))
        ThrowWrite(path, syncErr);
    return references;
}

void ReplaceWithPage(const QString& path, const QString& text) {
    const QByteArray bytes = ToFileBytes(EscapeForCp1251Html(text));
    const QByteArray name = QFile::encodeName(path);
    QByteArray tmpl = name + ".XXXXXX";
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0)
        ThrowWrite(path, errno);
    int err = 0;
    bool ok = WriteAll(fd, bytes.constData(), bytes.size(), &err);
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    // rename replaces the entry itself, whatever it is; it never writes through a link.
    if (ok && ::rename(tmpl.constData(), name.constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmpl.constData());
        ThrowWrite(path, err);
    }
}

int SyncParentFolder(const QString& path) {
    return SyncFolder(QFile::encodeName(QFileInfo(FinalTarget(path)).absolutePath()));
}

void SetWriteFaultForTests(qint64 bytes) {
    gWriteFault = bytes;
}

void SetTempFileFaultForTests(bool on) {
    gTempFileFault = on;
}
