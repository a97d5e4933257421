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

// The page's fields: the title "T", the loop preset, then what fill changes.
template <class F> TNewPageFields Fields(F&& fill) {
    TNewPageFields f;
    f.Title = u"T"_s;
    f.Loop = u"Бесконечно"_s;
    fill(f);
    return f;
}
const auto Presets = [](TNewPageFields&) {};

// The expected file: the body line (with what follows it), the meta lines between the content
// type and the generator, the head lines after the generator, the document head and the title.
QByteArray Expected(const QByteArray& body = "<body>", const QByteArray& metas = {},
                    const QByteArray& links = {}, const QByteArray& head = HtmlHead,
                    const QByteArray& title = "T") {
    return head + "<head>\r\n<title>" + title + "</title>\r\n" +
           "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1251\" />\r\n" +
           metas + "<meta http-equiv=\"generator\" content=\"Quorvane\" />\r\n" + links +
           "</head>\r\n" + body + "\r\n\r\n\r\n\r\n</body>\r\n</html>\r\n";
}
} // namespace

class TestWizardLogic : public QObject {
    Q_OBJECT

private slots:
    void page_data() {
        QTest::addColumn<TNewPageFields>("fields");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("presets, HTML") << Fields(Presets) << Expected();
        QTest::newRow("presets, XHTML") << Fields([](auto& f) { f.PageType = u"XHTML"_s; })
                                        << Expected("<body>", {}, {}, XhtmlHead);
        QTest::newRow("PHP takes the XHTML head")
            << Fields([](auto& f) { f.PageType = u"PHP"_s, f.Title.clear(); })
            << Expected("<body>", {}, {}, XhtmlHead, "");
        QTest::newRow("description and keywords in Windows-1251")
            << Fields([](auto& f) {
                   f.Title = u"Главная"_s, f.Description = u"О нас"_s, f.Keywords = u"a, b"_s;
               })
            << Expected("<body>",
                        "<meta http-equiv=\"description\" content=\"\xce \xed\xe0\xf1\" />\r\n"
                        "<meta http-equiv=\"keywords\" content=\"a, b\" />\r\n",
                        {}, HtmlHead, "\xc3\xeb\xe0\xe2\xed\xe0\xff");
        QTest::newRow("blank description still written")
            << Fields([](auto& f) { f.Description = u"  "_s; })
            << Expected("<body>", "<meta http-equiv=\"description\" content=\"  \" />\r\n");
        QTest::newRow("Default template colours")
            << Fields([](auto& f) { f.UseTemplate = true, f.Colors = DefaultColorTemplate(); })
            << Expected("<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#0000ff\" "
                        "vlink=\"#800080\" alink=\"#ff0000\">");
        QTest::newRow("colours unused without the template box")
            << Fields([](auto& f) { f.Colors = BuiltInColorTemplates().at(2); }) << Expected();
        QTest::newRow("style sheet link")
            << Fields([](auto& f) { f.StyleSheetHref = u"css/site.css"_s; })
            << Expected("<body>", {},
                        "<link rel=\"stylesheet\" href=\"css/site.css\" type=\"text/css\" />\r\n");
        QTest::newRow("background fixed")
            << Fields([](auto& f) { f.Background = u"back.gif"_s, f.FixedBackground = true; })
            << Expected("<body background=\"back.gif\" bgproperties=\"fixed\">");
        QTest::newRow("background not fixed")
            << Fields([](auto& f) { f.Background = u"img/back.gif"_s; })
            << Expected("<body background=\"img/back.gif\">");
        QTest::newRow("fixed without background writes nothing")
            << Fields([](auto& f) { f.FixedBackground = true; }) << Expected();
        QTest::newRow("sound endless") << Fields([](auto& f) { f.Sound = u"../snd/tune.mid"_s; })
                                       << Expected("<body>\r\n<bgsound src=\"../snd/tune.mid\" "
                                                   "loop=\"infinite\" />");
        QTest::newRow("colours, background and sound together")
            << Fields([](auto& f) {
                   f.PageType = u"XHTML"_s, f.UseTemplate = true;
                   f.Colors = BuiltInColorTemplates().at(2);
                   f.Background = u"b.png"_s, f.Sound = u"s.wav"_s, f.Loop = u"50"_s;
               })
            << Expected("<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#ff8000\" "
                        "vlink=\"#804000\" alink=\"#000000\" background=\"b.png\">\r\n"
                        "<bgsound src=\"s.wav\" loop=\"50\" />",
                        {}, {}, XhtmlHead);
    }
    void page() {
        QFETCH(TNewPageFields, fields);
        QFETCH(QByteArray, bytes);
        QCOMPARE(ToFileBytes(NewPageText(fields)), bytes);
    }

    // The typed name gets the page type as extension when it has none of its own.
    void nameAndPath() {
        const struct {
            QString typed, type, name;
        } names[] = {
            {u"index.html"_s, u"HTML"_s, u"index.html"_s},
            {u"about"_s, u"XHTML"_s, u"about.XHTML"_s},
            {u"  a.htm "_s, u"ASP"_s, u"a.htm"_s},
            {u"   "_s, u"HTML"_s, QString()},
            {u"v1.2/page"_s, u"HTML"_s, u"v1.2/page.HTML"_s}, // a dot in a folder only
        };
        for (const auto& n : names)
            QCOMPARE(NewPageFileName(n.typed, n.type), n.name);
        const struct {
            QString root;
            QChar sep;
            QString path;
        } paths[] = {
            {u"/home/u/site"_s, u'/', u"/home/u/site/index.html"_s},
            {u"/home/u/site/"_s, u'/', u"/home/u/site/index.html"_s},
            {u"C:\\site\\"_s, u'\\', u"C:\\site\\index.html"_s},
        };
        for (const auto& p : paths)
            QCOMPARE(NewPagePath(p.root, u"index.html"_s, p.sep), p.path);
    }

    // The loop list jumps from 20 to the even numbers.
    void loopEntries() {
        const QStringList e = NewPageLoopEntries();
        QCOMPARE(e.mid(19, 4), (QStringList{u"19"_s, u"20"_s, u"22"_s, u"24"_s}));
        QCOMPARE(e.size(), 36);
        QCOMPARE(e.first(), u"Бесконечно"_s);
    }
};

QTEST_GUILESS_MAIN(TestWizardLogic)
#include "tst_wizardlogic.moc"
