// Byte-level behaviour of the text-file module: Windows-1251, line breaks and safe writes.
#include "app/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
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
