// Byte-level behaviour of the text-file module: Windows-1251, line breaks and safe writes.
#include "app/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;
using testutil::ErrorOf;
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

// The permission bits a save must keep; the current user's bits depend on who runs the test.
QFileDevice::Permissions ModeBits(QFileDevice::Permissions p) {
    return p & ~(QFileDevice::ReadUser | QFileDevice::WriteUser);
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

    // A fresh folder for every test.
    std::unique_ptr<QTemporaryDir> Dir;

    // A file in the test's folder holding these bytes.
    QString File(const QString& name, const QByteArray& bytes) {
        const QString path = Dir->filePath(name);
        WriteBytes(path, bytes);
        return path;
    }

private slots:
    void init() { Dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() {
        Dir.reset();
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
        QTest::newRow("upper half: Ё ё « » — № € nbsp")
            << QByteArray("\xA8\xB8\xAB\xBB\x97\xB9\x88\xA0") << u"Ёё«»—№€\u00A0"_s;
    }
    void knownLetters() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeCp1251(bytes), text);
        QCOMPARE(EncodeCp1251(text), bytes);
    }

    // Reading turns every break into LF and ends the last line; writing gives CR LF.
    void readAndWrite_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("memory");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<bool>("hasNul");
        QTest::newRow("mixed, no final break") << QByteArray("a\r\rb\nc") << u"a\n\nb\nc\n"_s
                                               << QByteArray("a\r\n\r\nb\r\nc\r\n") << false;
        QTest::newRow("empty") << QByteArray() << QString() << QByteArray() << false;
        QTest::newRow("only breaks")
            << QByteArray("\r\n\n") << u"\n\n"_s << QByteArray("\r\n\r\n") << false;
        QTest::newRow("NUL") << QByteArray("a\0b", 3) << u"a\0b\n"_s << QByteArray("a\0b\r\n", 5)
                             << true;
    }
    void readAndWrite() {
        QFETCH(QByteArray, file);
        QFETCH(QString, memory);
        QFETCH(QByteArray, written);
        QFETCH(bool, hasNul);
        const QString path = File(u"p.html"_s, file);
        TReadInfo info;
        info.HasNul = !hasNul; // whatever it held before, the read sets it
        QCOMPARE(ReadTextFile(path, &info), memory);
        QCOMPARE(info.HasNul, hasNul);
        WriteTextFile(path, memory);
        QCOMPARE(ReadBytes(path), written);
    }

    void editorSeparatorsWrittenAsBreaks() {
        QCOMPARE(ToFileBytes(u"a\u2029b\u2028c"_s), QByteArray("a\r\nb\r\nc\r\n"));
    }

    void styleSheetRefusesUnencodable() {
        const QString css = File(u"s.css"_s, "old");
        const QString message =
            ErrorOf([&] { WriteTextFile(css, u"a\nb\u4E2D"_s, UnencodablePolicyFor(css)); });
        QVERIFY2(message.contains(u"символ «\u4E2D» в строке 2 нельзя записать в кодировке "
                                  u"Windows-1251"_s),
                 qPrintable(message));
        QCOMPARE(ReadBytes(css), QByteArray("old"));
    }

    // A failed write names the reason, keeps the old content and leaves no temporary file.
    void failedWriteKeepsOldContent_data() {
        QTest::addColumn<bool>("readOnlyFile"); // else the disk is full after three bytes
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<QStringList>("reasons");
        QTest::newRow("read-only file") << true << false << QStringList{u"отказано в доступе"_s};
        QTest::newRow("disk full")
            << false << false << QStringList{u"на диске недостаточно места"_s};
        // Written in place: the folder's refusal and the file's both show.
        QTest::newRow("read-only folder, disk full")
            << false << true
            << QStringList{u"временный файл (отказано в доступе)"_s,
                           u"(на диске недостаточно места)"_s};
    }
    void failedWriteKeepsOldContent() {
        QFETCH(bool, readOnlyFile);
        QFETCH(bool, readOnlyFolder);
        QFETCH(QStringList, reasons);
        const QString path = File(u"p.html"_s, "old content");
        if (readOnlyFile) {
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
            QVERIFY(IsReadOnlyFile(path));
        } else {
            SetWriteFaultForTests(3);
        }
        SetTempFileFaultForTests(readOnlyFolder);
        const QString message =
            ErrorOf([&] { WriteTextFile(path, u"a much longer new content"_s); });
        SetWriteFaultForTests(-1);
        for (const QString& reason : reasons)
            QVERIFY2(message.contains(reason), qPrintable(message));
        QCOMPARE(ReadBytes(path), QByteArray("old content"));
        QCOMPARE(FolderEntries(Dir->path()), QStringList{u"p.html"_s});
    }

    // Where the test may mount (root on Linux): the system's own refusal is reported.
    void realReadOnlyFileSystem() {
        const QByteArray mnt = QFile::encodeName(Dir->path());
        if (::mount("tmpfs", mnt.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("cannot mount a tmpfs here");
        struct TUnmount {
            QByteArray Dir;
            ~TUnmount() { ::umount(Dir.constData()); }
        } unmount{mnt};
        const QString path = File(u"p.html"_s, "old");
        QCOMPARE(::mount("tmpfs", mnt.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=16k"), 0);
        const QString message = ErrorOf([&] { WriteTextFile(path, u"new"_s); });
        QVERIFY2(message.contains(u"только для чтения"_s), qPrintable(message));
        QCOMPARE(ReadBytes(path), QByteArray("old"));
    }

    // The file a link names is written and keeps its mode; the link stays a link.
    void symlinkFollowedAndModeKept() {
        const QString target = Dir->filePath(u"real.html"_s);
        const QString link = Dir->filePath(u"link.html"_s);
        WriteBytes(target, "old");
        const auto perms =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
        QFile::setPermissions(target, perms);
        QVERIFY(QFile::link(target, link));
        WriteTextFile(link, u"new"_s);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadBytes(target), QByteArray("new\r\n"));
        QCOMPARE(ModeBits(QFile::permissions(target)), ModeBits(perms));
        QVERIFY(IsRegularFileOrLinkToOne(link));
        QCOMPARE(ReadTextFile(link), u"new\n"_s);
    }

    void missingFileFails() {
        QVERIFY_THROWS_EXCEPTION(EFileError, ReadTextFile(Dir->filePath(u"missing.html"_s)));
    }

    // Short byte strings rich in CR, LF and NUL, at every position including the end.
    void onePassDecodingMatchesDecodeThenNormalize() {
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
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << uint(S_IFIFO) << u"это именованный канал"_s;
        QTest::newRow("socket") << uint(S_IFSOCK) << u"это сокет"_s;
        QTest::newRow("device") << uint(S_IFCHR) << u"это устройство"_s;
        QTest::newRow("folder") << uint(S_IFDIR) << u"это папка"_s;
    }
    // Neither read (a pipe without a writer would wait forever) nor replaced by a save.
    void specialFiles() {
        QFETCH(uint, type);
        QFETCH(QString, reason);
        const QString node = Dir->filePath(u"node.html"_s);
        const QString link = Dir->filePath(u"link.html"_s);
        if (!MakeNode(mode_t(type), node))
            QSKIP("this node cannot be made here");
        QVERIFY(QFile::link(node, link));
        for (const QString& path : {node, link}) {
            QVERIFY(!IsRegularFileOrLinkToOne(path));
            const QString message = ErrorOf([&] { ReadTextFile(path); });
            QVERIFY2(message.contains(QDir::toNativeSeparators(path)) && message.contains(reason),
                     qPrintable(message));
            QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(path, u"text"_s));
            QCOMPARE(NodeType(node), mode_t(type));
            QCOMPARE(FolderEntries(Dir->path()), (QStringList{u"link.html"_s, u"node.html"_s}));
        }
    }

    void deepMissingPathReturnsGivenPath() {
        QString rel;
        for (int i = 0; i < 20000; ++i)
            rel += u"a/"_s;
        const QString deep = Dir->filePath(rel + u"x.html"_s);
        // On a small stack, as a worker thread may have, a call per folder would overflow it.
        QString found[2];
        QThread* thread = QThread::create([&] {
            found[0] = FindPathNoCase(deep);
            // A folder that exists, spelt in another case, with a missing one below it.
            QDir(Dir->path()).mkdir(u"A"_s);
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
        const QString page = Dir->filePath(u"p.html"_s);
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
        WriteBytes(Dir->filePath(u".p.html.quorvane-save-Ab12Cd"_s), "half a page");
        for (const QString& name : kept.first(3))
            WriteBytes(Dir->filePath(name), "other");
        QVERIFY(QDir(Dir->path()).mkdir(kept[3]));
        WriteBytes(Dir->filePath(u"target.txt"_s), "keep");
        QVERIFY(QFile::link(Dir->filePath(u"target.txt"_s), Dir->filePath(kept[4])));
        WriteTextFile(page, u"new"_s);
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(FolderEntries(Dir->path()), expected);
        QCOMPARE(ReadBytes(Dir->filePath(u"target.txt"_s)), QByteArray("keep"));
        QCOMPARE(ReadBytes(page), QByteArray("new\r\n"));
    }

    // 245 bytes: the temporary name would pass the 255-byte limit unless the name in it is cut,
    // here to 233 bytes, that is 116 two-byte letters.
    void longNameIsSavedAndTidied() {
        const QString name = QString(120, u'я') + u".html"_s;
        WriteBytes(Dir->filePath(u"."_s + name.left(116) + u".quorvane-save-zzzzzz"_s), "x");
        WriteTextFile(Dir->filePath(name), u"text"_s);
        QCOMPARE(ReadBytes(Dir->filePath(name)), QByteArray("text\r\n"));
        QCOMPARE(FolderEntries(Dir->path()), QStringList{name});
    }

    void readOnlyFolderWritesInPlace() {
        const QString page = File(u"p.html"_s, "a much longer old content");
        const auto perms =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
        QFile::setPermissions(page, perms);
        SetTempFileFaultForTests(true);
        QCOMPARE(WriteTextFile(page, u"new\u4E2D"_s, TUnencodable::HtmlEscape), 1);
        QCOMPARE(ReadBytes(page), QByteArray("new&#20013;\r\n"));
        QCOMPARE(ModeBits(QFile::permissions(page)), ModeBits(perms));
        QCOMPARE(FolderEntries(Dir->path()), QStringList{u"p.html"_s});
        // A new file needs the folder: there is nothing to write in place.
        const QString fresh = Dir->filePath(u"new.html"_s);
        QVERIFY_THROWS_EXCEPTION(EFileError, WriteTextFile(fresh, u"x"_s));
        QVERIFY(!QFile::exists(fresh));
    }

    // A page carries what Windows-1251 cannot hold as references; the count is reported.
    void pageGetsReferences_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("none") << u"Жук"_s << QByteArray("\xC6\xF3\xEA\r\n");
        QTest::newRow("pair is one") << u"x\U0001F600"_s << QByteArray("x&#128512;\r\n");
        QTest::newRow("three") << u"\u4E2D\u4E2D\nЖ\u0101"_s
                               << QByteArray("&#20013;&#20013;\r\n\xC6&#257;\r\n");
    }
    void pageGetsReferences() {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        const QString page = Dir->filePath(u"p.html"_s);
        QCOMPARE(WriteTextFile(page, text, UnencodablePolicyFor(page)), int(written.count("&#")));
        QCOMPARE(ReadBytes(page), written);
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
        QVERIFY2(text.contains(QRegularExpression(u"[а-яё]"_s)), qPrintable(text));
        QVERIFY2(!text.startsWith(u"Системная ошибка"_s), qPrintable(text));
        QCOMPARE(SystemErrorText(4321), u"Системная ошибка 4321"_s);
    }

    void findPathNoCase() {
        QVERIFY(QDir(Dir->path()).mkpath(u"Sub/Deep"_s));
        const QString real = File(u"Sub/Deep/Page.HTML"_s, "x");
        QCOMPARE(FindPathNoCase(Dir->filePath(u"sub/deep/page.html"_s)), real);
        const QString missing = Dir->filePath(u"sub/none.html"_s);
        QCOMPARE(FindPathNoCase(missing), missing);
        // The exact spelling wins over another file that differs only in case.
        const QString lower = File(u"Sub/Deep/page.html"_s, "y");
        QCOMPARE(FindPathNoCase(lower), lower);

        // Folder listings are remembered between look-ups; files that come and go are seen.
        const QString asked = Dir->filePath(u"new.html"_s);
        QCOMPARE(FindPathNoCase(asked), asked);
        const QString created = File(u"New.HTML"_s, "x");
        QCOMPARE(FindPathNoCase(asked), created);
        const QString renamed = Dir->filePath(u"NEW.html"_s);
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

    void batchAnswersAsTheDisk_data() {
        QTest::addColumn<QString>("asked");
        QTest::newRow("file") << u"File.html"_s;
        QTest::newRow("file in another case") << u"file.HTML"_s;
        QTest::newRow("missing") << u"none.html"_s;
        QTest::newRow("folder") << u"Folder"_s;
        QTest::newRow("link to a file") << u"link.html"_s;
        QTest::newRow("link to a folder") << u"dirlink"_s;
        QTest::newRow("dangling link") << u"dangling.html"_s;
        QTest::newRow("in a folder spelt in another case") << u"folder/x.html"_s;
        QTest::newRow("in a missing folder") << u"gone/x.html"_s;
        QTest::newRow("two folders in another case") << u"FOLDER/deep/y.html"_s;
        QTest::newRow("below a missing folder") << u"gone/deep/y.html"_s;
        QTest::newRow("not clean") << u"Folder/./x.html"_s;
        QTest::newRow("file as a folder") << u"File.html/"_s;
        QTest::newRow("hidden file") << u".hidden"_s;
    }

    // A batch answers from folder listings; every answer must be the one the disk gives.
    void batchAnswersAsTheDisk() {
        QFETCH(QString, asked);
        WriteBytes(Dir->filePath(u"File.html"_s), "x");
        WriteBytes(Dir->filePath(u".hidden"_s), "x");
        QVERIFY(QDir(Dir->path()).mkpath(u"Folder"_s));
        WriteBytes(Dir->filePath(u"Folder/x.html"_s), "x");
        QVERIFY(QDir(Dir->path()).mkpath(u"Folder/Deep"_s));
        WriteBytes(Dir->filePath(u"Folder/Deep/Y.html"_s), "x");
        QVERIFY(QFile::link(Dir->filePath(u"File.html"_s), Dir->filePath(u"link.html"_s)));
        QVERIFY(QFile::link(Dir->filePath(u"Folder"_s), Dir->filePath(u"dirlink"_s)));
        QVERIFY(QFile::link(Dir->filePath(u"nowhere"_s), Dir->filePath(u"dangling.html"_s)));
        const QString path = Dir->path() + u'/' + asked;
        const QString found = FindPathNoCase(path);
        const bool isFile = IsExistingFile(path);
        const TPathCaseBatch batch;
        // Twice: the second answer comes from what the batch has learnt.
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(FindPathNoCase(path), found);
            QCOMPARE(IsExistingFile(path), isFile);
        }
        QCOMPARE(IsExistingFile(found), QFileInfo(found).isFile());
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
