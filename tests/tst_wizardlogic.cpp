// The new page's skeleton, byte for byte as the file gets it, and its name and path.
#include "app/textfile.h"
#include "markup/wizardlogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TNewPageFields)

namespace {
const QByteArray HtmlHead = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//RU\">\r\n<html>\r\n";
const QByteArray XhtmlHead =
    "<?xml version=\"1.0\" encoding=\"windows-1251\" ?>\r\n"
    "<!DOCTYPE xhtml PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//RU\" "
    "\"DTD/xhtml1-transitional.dtd\">\r\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"ru\" lang=\"ru\">\r\n";
const QByteArray ContentType =
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1251\" />\r\n";
const QByteArray Generator = "<meta http-equiv=\"generator\" content=\"Quorvane\" />\r\n";
const QByteArray Tail = "\r\n\r\n\r\n</body>\r\n</html>\r\n";

TNewPageFields Titled(const QString& title) {
    TNewPageFields f;
    f.Title = title;
    f.Loop = u"Бесконечно"_s;
    return f;
}
} // namespace

class TestWizardLogic : public QObject {
    Q_OBJECT

private slots:
    void page_data() {
        QTest::addColumn<TNewPageFields>("fields");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("presets, HTML")
            << Titled(u"T"_s)
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields xhtml = Titled(u"T"_s);
        xhtml.PageType = u"XHTML"_s;
        QTest::newRow("presets, XHTML")
            << xhtml
            << XhtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields php = Titled(QString());
        php.PageType = u"PHP"_s;
        QTest::newRow("PHP takes the XHTML head")
            << php
            << XhtmlHead + "<head>\r\n<title></title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields meta = Titled(u"Главная"_s);
        meta.Description = u"О нас"_s;
        meta.Keywords = u"a, b"_s;
        QTest::newRow("description and keywords in Windows-1251")
            << meta
            << HtmlHead + "<head>\r\n<title>\xc3\xeb\xe0\xe2\xed\xe0\xff</title>\r\n" +
                   ContentType +
                   "<meta http-equiv=\"description\" content=\"\xce \xed\xe0\xf1\" />\r\n"
                   "<meta http-equiv=\"keywords\" content=\"a, b\" />\r\n" +
                   Generator + "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields blanks = Titled(u"T"_s);
        blanks.Description = u"  "_s;
        QTest::newRow("blank description still written")
            << blanks
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType +
                   "<meta http-equiv=\"description\" content=\"  \" />\r\n" + Generator +
                   "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields colours = Titled(u"T"_s);
        colours.UseTemplate = true;
        colours.Colors = DefaultColorTemplate();
        QTest::newRow("Default template colours")
            << colours
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#0000ff\" "
                   "vlink=\"#800080\" alink=\"#ff0000\">\r\n" +
                   Tail;

        TNewPageFields unused = Titled(u"T"_s);
        unused.Colors = BuiltInColorTemplates().at(2);
        QTest::newRow("colours unused without the template box")
            << unused
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields sheet = Titled(u"T"_s);
        sheet.StyleSheetHref = u"css/site.css"_s;
        QTest::newRow("style sheet link")
            << sheet
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "<link rel=\"stylesheet\" href=\"css/site.css\" type=\"text/css\" />\r\n"
                   "</head>\r\n<body>\r\n" +
                   Tail;

        TNewPageFields fixed = Titled(u"T"_s);
        fixed.Background = u"back.gif"_s;
        fixed.FixedBackground = true;
        QTest::newRow("background fixed")
            << fixed
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body background=\"back.gif\" bgproperties=\"fixed\">\r\n" + Tail;

        TNewPageFields loose = Titled(u"T"_s);
        loose.Background = u"img/back.gif"_s;
        QTest::newRow("background not fixed")
            << loose
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body background=\"img/back.gif\">\r\n" + Tail;

        TNewPageFields fixedOnly = Titled(u"T"_s);
        fixedOnly.FixedBackground = true;
        QTest::newRow("fixed without background writes nothing")
            << fixedOnly
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n" + Tail;

        TNewPageFields three = Titled(u"T"_s);
        three.Sound = u"tune.mid"_s;
        three.Loop = u"3"_s;
        QTest::newRow("sound three times")
            << three
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n<bgsound src=\"tune.mid\" loop=\"3\" />\r\n" + Tail;

        TNewPageFields endless = Titled(u"T"_s);
        endless.Sound = u"../snd/tune.mid"_s;
        QTest::newRow("sound endless")
            << endless
            << HtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body>\r\n<bgsound src=\"../snd/tune.mid\" loop=\"infinite\" "
                   "/>\r\n" +
                   Tail;

        TNewPageFields all = Titled(u"T"_s);
        all.PageType = u"XHTML"_s;
        all.UseTemplate = true;
        all.Colors = BuiltInColorTemplates().at(2);
        all.Background = u"b.png"_s;
        all.Sound = u"s.wav"_s;
        all.Loop = u"50"_s;
        QTest::newRow("colours, background and sound together")
            << all
            << XhtmlHead + "<head>\r\n<title>T</title>\r\n" + ContentType + Generator +
                   "</head>\r\n<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#ff8000\" "
                   "vlink=\"#804000\" alink=\"#000000\" background=\"b.png\">\r\n"
                   "<bgsound src=\"s.wav\" loop=\"50\" />\r\n" +
                   Tail;
    }

    void page() {
        QFETCH(TNewPageFields, fields);
        QFETCH(QByteArray, bytes);
        QCOMPARE(ToFileBytes(NewPageText(fields)), bytes);
    }

    void fileName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("preset") << u"index.html"_s << u"HTML"_s << u"index.html"_s;
        QTest::newRow("no extension, XHTML") << u"about"_s << u"XHTML"_s << u"about.XHTML"_s;
        QTest::newRow("no extension, PHP") << u"news"_s << u"PHP"_s << u"news.PHP"_s;
        QTest::newRow("trimmed") << u"  a.htm "_s << u"ASP"_s << u"a.htm"_s;
        QTest::newRow("blank") << u"   "_s << u"HTML"_s << QString();
        QTest::newRow("dot in a folder only") << u"v1.2/page"_s << u"HTML"_s << u"v1.2/page.HTML"_s;
    }

    void fileName() {
        QFETCH(QString, typed);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QCOMPARE(NewPageFileName(typed, type), name);
    }

    void path_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << u"/home/u/site"_s << u"/"_s << u"/home/u/site/index.html"_s;
        QTest::newRow("trailing separator")
            << u"/home/u/site/"_s << u"/"_s << u"/home/u/site/index.html"_s;
        QTest::newRow("backslash form") << u"C:\\site\\"_s << u"\\"_s << u"C:\\site\\index.html"_s;
    }

    void path() {
        QFETCH(QString, root);
        QFETCH(QString, sep);
        QFETCH(QString, path);
        QCOMPARE(NewPagePath(root, u"index.html"_s, sep.at(0)), path);
    }

    void loopEntries() {
        const QStringList e = NewPageLoopEntries();
        QCOMPARE(e.size(), 1 + 20 + 15);
        QCOMPARE(e.first(), u"Бесконечно"_s);
        QCOMPARE(e.at(20), u"20"_s);
        QCOMPARE(e.at(21), u"22"_s);
        QCOMPARE(e.last(), u"50"_s);
    }
};

QTEST_GUILESS_MAIN(TestWizardLogic)
#include "tst_wizardlogic.moc"
