// Byte-level behaviour of the text-file module: Windows-1251, line breaks and safe writes.
#include "app/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

// Makes a folder or a node of another type (S_IFIFO, S_IFSOCK, S_IFCHR: a null device of our
// own, so that a faulty save cannot replace /dev/null); false where the system does not allow it.
bool MakeNode(mode_t type, const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    return type == S_IFDIR ? ::mkdir(p.constData(), 0755) == 0
                           : ::mknod(p.constData(), type | 0644, makedev(1, 3)) == 0;
}

mode_t NodeType(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

QStringList FolderEntries(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        // A failed check returns early; the next test must not inherit a fault.
        SetWriteFaultForTests(-1);
        SetTempFileFaultForTests(false);
    }

    void allByteValuesRoundTrip() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = DecodeCp1251(all);
        QCOMPARE(text.size(), 256);
        QVERIFY(CanEncodeCp1251(text));
        QCOMPARE(EncodeCp1251(text), all);
    }

    void knownLetters_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("Cyrillic А..я") << QByteArray("\xC0\xFF") << u"Ая"_s;
        QTest::newRow("Ё ё") << QByteArray("\xA8\xB8") << u"Ёё"_s;
        QTest::newRow("quotes, dash, №") << QByteArray("\xAB\xBB\x97\xB9") << u"«»—№"_s;
        QTest::newRow("euro, nbsp") << QByteArray("\x88\xA0") << u"€\u00A0"_s;
    }
    void knownLetters() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeCp1251(bytes), text);
        QCOMPARE(EncodeCp1251(text), bytes);
    }

    void unencodable() {
        qsizetype bad = 0;
        QVERIFY(!CanEncodeCp1251(u"ab\u4E2Dc"_s, &bad));
        QCOMPARE(bad, 2);
        QCOMPARE(EscapeForCp1251Html(u"a\u4E2Db"_s), u"a&#20013;b"_s);
        // A character outside the basic plane is one reference, not two halves.
        QCOMPARE(EscapeForCp1251Html(u"x\U0001F600y"_s), u"x&#128512;y"_s);
    }

    void lineBreaks_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("memory");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << u"a\nb\n"_s
                               << QByteArray("a\r\nb\r\n");
        QTest::newRow("LF") << QByteArray("a\nb\n") << u"a\nb\n"_s << QByteArray("a\r\nb\r\n");
        QTest::newRow("CR") << QByteArray("a\rb\r") << u"a\nb\n"_s << QByteArray("a\r\nb\r\n");
        QTest::newRow("mixed") << QByteArray("a\r\rb\nc") << u"a\n\nb\nc\n"_s
                               << QByteArray("a\r\n\r\nb\r\nc\r\n");
        QTest::newRow("no final break") << QByteArray("abc") << u"abc\n"_s << QByteArray("abc\r\n");
        QTest::newRow("empty") << QByteArray() << QString() << QByteArray();
        QTest::newRow("only breaks") << QByteArray("\r\n\n") << u"\n\n"_s << QByteArray("\r\n\r\n");
    }
    void lineBreaks() {
        QFETCH(QByteArray, file);
        QFETCH(QString, memory);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.html"_s);
        WriteBytes(path, file);
        QCOMPARE(ReadTextFile(path), memory);
        WriteTextFile(path, memory);
        QCOMPARE(ReadBytes(path), written);
    }

    void editorSeparatorsWrittenAsBreaks() {
        QCOMPARE(ToFileBytes(u"a\u2029b\u2028c"_s), QByteArray("a\r\nb\r\nc\r\n"));
    }

    void pageGetsReferencesOtherFilesRefuse() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"p.html"_s);
        WriteTextFile(page, u"Ж\u4E2D"_s, UnencodablePolicyFor(page));
        QCOMPARE(ReadBytes(page), QByteArray("\xC6&#20013;\r\n"));

        const QString css = dir.filePath(u"s.css"_s);
        WriteBytes(css, "old");
        try {
            WriteTextFile(css, u"a\nb\u4E2D"_s, UnencodablePolicyFor(css));
            QFAIL("a style sheet with an unencodable character was written");
        } catch (const EFileError& e) {
            QVERIFY2(e.Message().contains(u"Windows-1251"_s), qPrintable(e.Message()));
            QVERIFY(e.Message().contains(u"строке 2"_s));
        }
        QCOMPARE(ReadBytes(css), QByteArray("old"));
    }

    void readOnlyTargetFailsAndStaysIntact() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ro.html"_s);
        WriteBytes(path, "keep");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        QVERIFY(IsReadOnlyFile(path));
        QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(path, u"new"_s));
        try {
            WriteTextFile(path, u"new"_s);
        } catch (const EFileError& e) {
            QVERIFY(e.Message().contains(u"отказано в доступе"_s));
        }
        QCOMPARE(ReadBytes(path), QByteArray("keep"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void diskFullKeepsOldContent() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.html"_s);
        WriteBytes(path, "old content");
        SetWriteFaultForTests(3);
        QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(path, u"a much longer new content"_s));
        SetWriteFaultForTests(-1);
        QCOMPARE(ReadBytes(path), QByteArray("old content"));
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void realFullAndReadOnlyFileSystems() {
        // Where the test may mount (root on Linux), use a real tiny and a real read-only
        // file system; elsewhere the fault seam above covers the same path.
        QTemporaryDir dir;
        const QByteArray mnt = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mnt.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("cannot mount a tmpfs here");
        struct TUnmount {
            QByteArray Dir;
            ~TUnmount() { ::umount(Dir.constData()); }
        } unmount{mnt};
        const QString path = dir.filePath(u"p.html"_s);
        WriteBytes(path, "old");
        const QString big(64 * 1024, u'x');
        QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(path, big));
        QCOMPARE(ReadBytes(path), QByteArray("old"));
        QVERIFY(::mount("tmpfs", mnt.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=16k") ==
                0);
        try {
            WriteTextFile(path, u"new"_s);
            QFAIL("wrote to a read-only file system");
        } catch (const EFileError& e) {
            QVERIFY2(e.Message().contains(u"только для чтения"_s), qPrintable(e.Message()));
        }
        QCOMPARE(ReadBytes(path), QByteArray("old"));
    }

    void symlinkIsFollowedNotReplaced() {
        QTemporaryDir dir;
        const QString target = dir.filePath(u"real.html"_s);
        const QString link = dir.filePath(u"link.html"_s);
        WriteBytes(target, "old");
        QVERIFY(QFile::link(target, link));
        WriteTextFile(link, u"new"_s);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadBytes(target), QByteArray("new\r\n"));
    }

    void keepsPermissions() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.html"_s);
        WriteBytes(path, "x");
        const auto perms =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
        QFile::setPermissions(path, perms);
        WriteTextFile(path, u"y"_s);
        QCOMPARE(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 perms & ~(QFileDevice::ReadUser | QFileDevice::WriteUser));
    }

    void readFailures() {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(EFileError, ReadTextFile(dir.filePath(u"missing.html"_s)));
        QVERIFY_THROWS_EXCEPTION(EFileError, ReadTextFile(dir.path()));
    }

    void readReportsNul_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("hasNul");
        QTest::newRow("text") << QByteArray("a\r\nb") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("NUL inside") << QByteArray("a\0b", 3) << true;
        QTest::newRow("NUL last") << QByteArray("\xC6\r\0", 3) << true;
    }
    void readReportsNul() {
        QFETCH(QByteArray, file);
        QFETCH(bool, hasNul);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.html"_s);
        WriteBytes(path, file);
        TReadInfo info;
        info.HasNul = !hasNul; // whatever it held before, the read sets it
        QCOMPARE(ReadTextFile(path, &info), NormalizeLineBreaks(DecodeCp1251(file)));
        QCOMPARE(info.HasNul, hasNul);
    }

    void onePassDecodingMatchesDecodeThenNormalize() {
        // Short byte strings rich in CR, LF and NUL, at every position including the end.
        quint32 seed = 12345;
        const char pick[] = {'\r', '\n', '\0', 'a', char(0x98), char(0xC0), char(0xFF)};
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes;
            for (int i = 0; i < round % 23; ++i) {
                seed = seed * 1103515245u + 12345u;
                bytes += (seed >> 16) % 3 == 0 ? char(seed >> 8) : pick[(seed >> 16) % 7];
            }
            TReadInfo info;
            QCOMPARE(TextFromFileBytes(bytes, &info), NormalizeLineBreaks(DecodeCp1251(bytes)));
            QCOMPARE(info.HasNul, bytes.contains('\0'));
        }
    }

    void specialFiles_data() {
        QTest::addColumn<uint>("type");
        QTest::newRow("named pipe") << uint(S_IFIFO);
        QTest::newRow("socket") << uint(S_IFSOCK);
        QTest::newRow("device") << uint(S_IFCHR);
        QTest::newRow("folder") << uint(S_IFDIR);
    }
    void specialFiles() {
        // Neither read (a pipe without a writer would wait forever) nor replaced by a save.
        QFETCH(uint, type);
        QTemporaryDir dir;
        const QString node = dir.filePath(u"node.html"_s);
        const QString link = dir.filePath(u"link.html"_s);
        if (!MakeNode(mode_t(type), node))
            QSKIP("this node cannot be made here");
        QVERIFY(QFile::link(node, link));
        for (const QString& path : {node, link}) {
            QVERIFY(!IsRegularFileOrLinkToOne(path));
            try {
                ReadTextFile(path);
                QFAIL("a special file was read");
            } catch (const EFileError& e) {
                QVERIFY2(e.Message().contains(QDir::toNativeSeparators(path)) &&
                             (e.Message().contains(u"не обычный файл"_s) ||
                              e.Message().contains(u"папка"_s)),
                         qPrintable(e.Message()));
            }
            QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(path, u"text"_s));
            QCOMPARE(NodeType(node), mode_t(type));
            QCOMPARE(FolderEntries(dir.path()), (QStringList{u"link.html"_s, u"node.html"_s}));
        }
        // A link to a regular file is read as the file.
        const QString page = dir.filePath(u"p.html"_s);
        WriteBytes(page, "x");
        QVERIFY(QFile::remove(link) && QFile::link(page, link));
        QVERIFY(IsRegularFileOrLinkToOne(link));
        QCOMPARE(ReadTextFile(link), u"x\n"_s);
    }

    void deepMissingPathReturnsGivenPath() {
        QTemporaryDir dir;
        QString rel;
        for (int i = 0; i < 20000; ++i)
            rel += u"a/"_s;
        const QString deep = dir.filePath(rel + u"x.html"_s);
        // On a small stack, as a worker thread may have, a call per folder would overflow it.
        QString found[2];
        QThread* thread = QThread::create([&] {
            found[0] = FindPathNoCase(deep);
            // A folder that exists, spelt in another case, with a missing one below it.
            QDir(dir.path()).mkdir(u"A"_s);
            found[1] = FindPathNoCase(deep);
        });
        thread->setStackSize(256 * 1024);
        thread->start();
        QVERIFY(thread->wait());
        delete thread;
        QCOMPARE(found[0], deep);
        QCOMPARE(found[1], deep);
    }

    void staleTemporaryFilesOfThePageAreRemoved() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"p.html"_s);
        const QStringList kept = {
            u".p.html.quorvane-save-Ab12C"_s,   // not six characters
            u".p.html.quorvane-save-Ab12Cde"_s, // nor seven
            u".q.html.quorvane-save-Ab12Cd"_s,  // another page's
            u".p.html.quorvane-save-Folder"_s,  // a folder
            u".p.html.quorvane-save-Link01"_s,  // a link, to a file outside the pattern
            u"p.html"_s,
            u"target.txt"_s,
        };
        WriteBytes(page, "old");
        WriteBytes(dir.filePath(u".p.html.quorvane-save-Ab12Cd"_s), "half a page");
        for (const QString& name : kept.first(3))
            WriteBytes(dir.filePath(name), "other");
        QVERIFY(QDir(dir.path()).mkdir(kept[3]));
        WriteBytes(dir.filePath(u"target.txt"_s), "keep");
        QVERIFY(QFile::link(dir.filePath(u"target.txt"_s), dir.filePath(kept[4])));
        WriteTextFile(page, u"new"_s);
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(FolderEntries(dir.path()), expected);
        QCOMPARE(ReadBytes(dir.filePath(u"target.txt"_s)), QByteArray("keep"));
        QCOMPARE(ReadBytes(page), QByteArray("new\r\n"));
    }

    void longNameIsSavedAndTidied() {
        // 245 bytes: the temporary name would pass the 255-byte limit unless the name in it is
        // cut, here to 233 bytes, that is 116 two-byte letters.
        QTemporaryDir dir;
        const QString name = QString(120, u'я') + u".html"_s;
        WriteBytes(dir.filePath(u"."_s + name.left(116) + u".quorvane-save-zzzzzz"_s), "x");
        WriteTextFile(dir.filePath(name), u"text"_s);
        QCOMPARE(ReadBytes(dir.filePath(name)), QByteArray("text\r\n"));
        QCOMPARE(FolderEntries(dir.path()), QStringList{name});
    }

    void readOnlyFolderWritesInPlace() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"p.html"_s);
        WriteBytes(page, "a much longer old content");
        const auto perms =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
        QFile::setPermissions(page, perms);
        SetTempFileFaultForTests(true);
        QCOMPARE(WriteTextFile(page, u"new\u4E2D"_s, TUnencodable::HtmlEscape), 1);
        QCOMPARE(ReadBytes(page), QByteArray("new&#20013;\r\n"));
        QCOMPARE(QFile::permissions(page) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 perms & ~(QFileDevice::ReadUser | QFileDevice::WriteUser));
        QCOMPARE(FolderEntries(dir.path()), QStringList{u"p.html"_s});
    }

    void readOnlyFolderFailures() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"p.html"_s);
        WriteBytes(page, "old content");
        SetTempFileFaultForTests(true);
        SetWriteFaultForTests(3);
        QString message;
        try {
            WriteTextFile(page, u"a much longer new content"_s);
        } catch (const EFileError& e) {
            message = e.Message();
        }
        // The folder's refusal and the file's both show; the old content is back.
        QVERIFY2(message.contains(u"временный файл (отказано в доступе)"_s), qPrintable(message));
        QVERIFY2(message.contains(u"(на диске недостаточно места)"_s), qPrintable(message));
        QCOMPARE(ReadBytes(page), QByteArray("old content"));
        // A new file needs the folder: there is nothing to write in place.
        const QString fresh = dir.filePath(u"new.html"_s);
        QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(fresh, u"x"_s));
        QVERIFY(!QFile::exists(fresh));
    }

    void countsReferences_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("policy");
        QTest::addColumn<int>("count");
        const int escape = int(TUnencodable::HtmlEscape);
        QTest::newRow("none") << u"Жук"_s << escape << 0;
        QTest::newRow("one") << u"a\u4E2Db"_s << escape << 1;
        QTest::newRow("pair is one") << u"x\U0001F600"_s << escape << 1;
        QTest::newRow("three") << u"\u4E2D\u4E2D\nЖ\u0101"_s << escape << 3;
        QTest::newRow("refusing policy") << u"Жук"_s << int(TUnencodable::Refuse) << 0;
    }
    void countsReferences() {
        QFETCH(QString, text);
        QFETCH(int, policy);
        QFETCH(int, count);
        QTemporaryDir dir;
        const QString page = dir.filePath(u"p.html"_s);
        QCOMPARE(WriteTextFile(page, text, TUnencodable(policy)), count);
        QCOMPARE(ReadBytes(page).count("&#"), count);
    }

    void systemErrorsInRussian_data() {
        QTest::addColumn<int>("code");
        for (int code : {EINVAL,    EISDIR,       ENOTDIR, ENXIO,  ENODEV,    ETXTBSY, EFBIG,
                         ELOOP,     ENAMETOOLONG, EMFILE,  ENFILE, EIO,       EROFS,   ENOSPC,
                         EDQUOT,    EACCES,       EPERM,   ENOENT, EEXIST,    EBUSY,   EAGAIN,
                         EXDEV,     ENOTEMPTY,    EINTR,   ENOMEM, EBADF,     ESPIPE,  EPIPE,
                         EOVERFLOW, EOPNOTSUPP,   ENOSYS,  ESTALE, ETIMEDOUT, EMLINK,  ENOLCK})
            QTest::addRow("%s", strerrorname_np(code)) << code;
    }
    void systemErrorsInRussian() {
        QFETCH(int, code);
        const QString text = SystemErrorText(code);
        QVERIFY(text != QString::fromLocal8Bit(std::strerror(code)));
        QVERIFY2(text.contains(QRegularExpression(u"[а-яё]"_s)), qPrintable(text));
        QVERIFY2(!text.startsWith(u"Системная ошибка"_s), qPrintable(text));
        QCOMPARE(SystemErrorText(4321), u"Системная ошибка 4321"_s);
    }

    void findPathNoCase() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"Sub/Deep"_s));
        const QString real = dir.filePath(u"Sub/Deep/Page.HTML"_s);
        WriteBytes(real, "x");
        QCOMPARE(FindPathNoCase(dir.filePath(u"sub/deep/page.html"_s)), real);
        QCOMPARE(FindPathNoCase(real), real);
        const QString missing = dir.filePath(u"sub/none.html"_s);
        QCOMPARE(FindPathNoCase(missing), missing);
        // The exact spelling wins over another file that differs only in case.
        const QString lower = dir.filePath(u"Sub/Deep/page.html"_s);
        WriteBytes(lower, "y");
        QCOMPARE(FindPathNoCase(lower), lower);
    }

    void findPathNoCaseSeesChanges() {
        // Folder listings are remembered between look-ups; files that come and go after a
        // look-up must still be seen.
        QTemporaryDir dir;
        const QString asked = dir.filePath(u"new.html"_s);
        QCOMPARE(FindPathNoCase(asked), asked);
        const QString created = dir.filePath(u"New.HTML"_s);
        WriteBytes(created, "x");
        QCOMPARE(FindPathNoCase(asked), created);
        const QString renamed = dir.filePath(u"NEW.html"_s);
        QVERIFY(QFile::rename(created, renamed));
        QCOMPARE(FindPathNoCase(asked), renamed);
        QVERIFY(QFile::remove(renamed));
        QCOMPARE(FindPathNoCase(asked), asked);
        {
            // Within one batch a folder is listed once: a file made meanwhile is not seen ...
            const TPathCaseBatch batch;
            QCOMPARE(FindPathNoCase(asked), asked);
            WriteBytes(created, "x");
            QCOMPARE(FindPathNoCase(asked), asked);
        }
        // ... but the next look-up sees it.
        QCOMPARE(FindPathNoCase(asked), created);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
