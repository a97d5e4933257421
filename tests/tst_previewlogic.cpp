// The browser-test address, the help file's search and the rule for where the preview copy may be
// written.
#include "app/apphome.h"
#include "app/previewlogic.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

class TestPreviewLogic : public QObject {
    Q_OBJECT

private slots:
    void browserTestUrl_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("mainPage");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("root with trailing slash")
            << u"/srv/site/"_s << u"index.html"_s << u"file:///srv/site/index.html"_s;
        QTest::newRow("space") << u"/home/u/my site"_s << u"index.html"_s
                               << u"file:///home/u/my%20site/index.html"_s;
        QTest::newRow("cyrillic") << u"/home/u/сайт"_s << u"главная.html"_s
                                  << u"file:///home/u/%D1%81%D0%B0%D0%B9%D1%82/"
                                     u"%D0%B3%D0%BB%D0%B0%D0%B2%D0%BD%D0%B0%D1%8F.html"_s;
        QTest::newRow("hash and percent are names, not parts of the address")
            << u"/srv/a#b"_s << u"100%.html"_s << u"file:///srv/a%23b/100%25.html"_s;
        QTest::newRow("backslashes of an old project file")
            << u"/srv/site"_s << u"pages\\start.html"_s << u"file:///srv/site/pages/start.html"_s;
        QTest::newRow("leading slash stays inside the root")
            << u"/srv/site"_s << u"/index.html"_s << u"file:///srv/site/index.html"_s;
        QTest::newRow("no main page: the root")
            << u"/srv/site"_s << QString() << u"file:///srv/site"_s;
    }

    void browserTestUrl() {
        QFETCH(QString, root);
        QFETCH(QString, mainPage);
        QFETCH(QString, encoded);
        const QUrl url = BrowserTestUrl(root, mainPage);
        QCOMPARE(QString::fromLatin1(url.toEncoded()), encoded);
    }

    void findHelpFilePrefersTheProgramFolder() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"bin"_s));
        QVERIFY(QDir(dir.path()).mkpath(u"share/quorvane"_s));
        // A folder of the help file's name is no help file.
        QVERIFY(QDir(dir.path()).mkpath(u"Quorvane.hlp"_s));
        QCOMPARE(FindHelpFile({dir.path()}), QString());
        const QStringList folders = HelpFolders(dir.filePath(u"bin"_s));
        QCOMPARE(FindHelpFile(folders), QString());
        QVERIFY(!IsInstalledProgram(dir.filePath(u"bin"_s)));

        const QString installed = dir.filePath(u"share/quorvane/Quorvane.hlp"_s);
        QVERIFY(QFile(installed).open(QIODevice::WriteOnly));
        QCOMPARE(FindHelpFile(folders), installed);
        // Installed, the program keeps its settings and projects out of bin/, even as root.
        QVERIFY(IsInstalledProgram(dir.filePath(u"bin"_s)));

        const QString beside = dir.filePath(u"bin/Quorvane.hlp"_s);
        QVERIFY(QFile(beside).open(QIODevice::WriteOnly));
        QCOMPARE(FindHelpFile(folders), beside);
    }

    void mayWritePreviewAt_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("wroteIt");
        QTest::addColumn<bool>("may");
        QTest::newRow("nothing there") << u"none"_s << false << true;
        QTest::newRow("our own copy") << u"file"_s << true << true;
        QTest::newRow("someone's file") << u"file"_s << false << false;
        QTest::newRow("link, even where we wrote") << u"link"_s << true << false;
        QTest::newRow("dangling link") << u"dangling"_s << false << false;
        QTest::newRow("folder") << u"folder"_s << true << false;
    }

    void mayWritePreviewAt() {
        QFETCH(QString, kind);
        QFETCH(bool, wroteIt);
        QFETCH(bool, may);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tmp_no0.html"_s);
        const QString victim = dir.filePath(u"victim.html"_s);
        QVERIFY(QFile(victim).open(QIODevice::WriteOnly));
        if (kind == u"file")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        else if (kind == u"link")
            QVERIFY(QFile::link(victim, path));
        else if (kind == u"dangling")
            QVERIFY(::symlink("nowhere.html", QFile::encodeName(path).constData()) == 0);
        else if (kind == u"folder")
            QVERIFY(QDir().mkpath(path));
        QCOMPARE(MayWritePreviewAt(path, wroteIt), may);
    }
};

QTEST_GUILESS_MAIN(TestPreviewLogic)
#include "tst_previewlogic.moc"
