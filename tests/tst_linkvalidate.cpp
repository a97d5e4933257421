// Navigator rules without a window: tab captions, link targets on disk and broken marks.
// The window tests (tst_navigator) pin the rows of each kind and a deleted target.
#include "html/navigatorlogic.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestLinkValidate : public QObject {
    Q_OBJECT

    QTemporaryDir FTmp;
    QString FSite; // capitals in the name: links are lowercased, the disk is not
    QString FPage;

    void Touch(const QString& relative) {
        const QString path = QDir(FSite).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        testutil::WriteBytes(path, "x\r\n");
    }

private slots:
    void initTestCase() {
        QVERIFY(FTmp.isValid());
        FSite = FTmp.filePath(u"My Site"_s);
        QVERIFY(QDir().mkpath(FSite + u"/Sub"_s));
        FPage = QDir(FSite).filePath(u"Sub/page.html"_s);
        Touch(u"Sub/page.html"_s);
        Touch(u"Sub/other.html"_s);
        Touch(u"Sub/img/pic.gif"_s);
        Touch(u"Sub/CamelDir/Deep.htm"_s);
        Touch(u"top.html"_s);
        QVERIFY(QDir().mkpath(FSite + u"/Sub/folder"_s));
    }

    void tabCaption() {
        const QString twenty(20, u'ф');
        QCOMPARE(NavigatorTabCaption(twenty, u"/s/a.html"_s, u'/'), twenty);
        QCOMPARE(NavigatorTabCaption(twenty + u'X', u"/s/a.html"_s, u'/'), twenty + u"..."_s);
        QCOMPARE(NavigatorTabCaption(u"  "_s, u"/s/a.html"_s, u'/'), u"  "_s);
        QCOMPARE(NavigatorTabCaption(QString(), u"/s/Index.HTML"_s, u'/'), u"Index.HTML"_s);
        QCOMPARE(NavigatorTabCaption(QString(), u"c:\\site\\a.html"_s, u'\\'), u"a.html"_s);
    }

    void validate_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("withDirectory");
        QTest::addColumn<int>("expected");
        auto row = [](const char* name, const QString& c, int icon, int expected,
                      bool withDir = true) {
            QTest::newRow(name) << c << icon << withDir << expected;
        };
        row("page in the same folder", u"other.html"_s, 50, 50);
        row("broken mark taken back", u"other.html"_s, 61, 50);
        row("upper folder", u"../top.html"_s, 50, 50);
        row("folder with capitals on disk", u"cameldir/deep.htm"_s, 55, 55);
        row("image with a query", u"img/pic.gif?v=2"_s, 51, 51);
        row("existing embed turns back", u"img/pic.gif"_s, 39, 38);
        row("folder is no file", u"folder"_s, 50, 61);
        row("anchor compared exactly", u"#Top"_s, 50, 61);
        row("anchor on an image row", u"#top"_s, 51, 50);
        row("anchor missing on a frame row", u"#x"_s, 55, 61);
        row("mailto kept", u"mailto:info@example.org"_s, 50, 50);
        row("scheme in capitals kept", u"HTTP://example.org/x.html"_s, 61, 61);
        row("drive path is local", u"c:/site/x.html"_s, 50, 61);
        row("object never changes", u"nothing.ocx"_s, 52, 52);
        row("empty caption left", QString(), 50, 50);
        row("no directory: existing name broken", u"other.html"_s, 50, 61, false);
        row("no directory: anchor still checked", u"#top"_s, 50, 50, false);
    }
    void validate() {
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(bool, withDirectory);
        QFETCH(int, expected);
        const QString document = withDirectory ? FPage : u"page.html"_s;
        // A page without a folder finds nothing, even from the working folder.
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(FSite + u"/Sub"_s);
        const int got = ValidatedIcon(caption, icon, QSet<QString>{u"top"_s}, document);
        QDir::setCurrent(cwd);
        QCOMPARE(got, expected);
    }

    void targetPath_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("expected"); // relative to the site, empty for none
        QTest::newRow("query cut") << u"img/pic.gif?x#y"_s << u"Sub/img/pic.gif"_s;
        QTest::newRow("scheme") << u"https://example.org/a.html"_s << QString();
        QTest::newRow("anchor") << u"#top"_s << QString();
    }
    void targetPath() {
        QFETCH(QString, link);
        QFETCH(QString, expected);
        const QString got = LinkTargetPath(link, FPage);
        if (expected.isEmpty())
            QCOMPARE(got, QString());
        else
            QCOMPARE(QDir::cleanPath(got), QDir(FSite).filePath(expected));
    }

    void findIgnoresCase() {
        QCOMPARE(FindTextNoCase(u"а .МЕНЮ {} .меню"_s, u".меню"_s), 2);
        QCOMPARE(FindTextNoCase(u"abc"_s, u"x"_s), -1);
    }
};

QTEST_GUILESS_MAIN(TestLinkValidate)
#include "tst_linkvalidate.moc"
