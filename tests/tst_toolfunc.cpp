#include "site/toolfunc.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using TNameCheck = bool (*)(const QString&);
const TNameCheck Checks[] = {IsValidDirName, IsValidTagName, IsValidFileName, HasUrlScheme};
const char* const CheckNames[] = {"dir", "tag", "file", "url"};

// One row per name, named after the check and the text itself.
void ValidityRows(int check, const QStringList& valid, const QStringList& invalid) {
    for (const QString& name : valid)
        QTest::addRow("%s [%s]", CheckNames[check], qPrintable(name)) << check << name << true;
    for (const QString& name : invalid)
        QTest::addRow("%s [%s]", CheckNames[check], qPrintable(name)) << check << name << false;
}

} // namespace

class TestToolFunc : public QObject {
    Q_OBJECT

private slots:
    void CharClasses() {
        // The bounds of each class and characters just outside them; Ё and ё are no letters.
        const QString digits = u"09"_s, letters = u"AfGzАя"_s, spaces = u"\t\n\r "_s,
                      quotes = u"\"'`"_s, hex = u"09Af"_s;
        for (QChar c : digits + letters + spaces + quotes + u"@[{Ёё\v"_s) {
            const QByteArray what = "U+" + QByteArray::number(c.unicode(), 16);
            QVERIFY2(IsDigitChar(c) == digits.contains(c), what.constData());
            QVERIFY2(IsLetterChar(c) == letters.contains(c), what.constData());
            QVERIFY2(IsAlnumChar(c) == (digits + letters).contains(c), what.constData());
            QVERIFY2(IsSpaceChar(c) == spaces.contains(c), what.constData());
            QVERIFY2(IsQuoteChar(c) == quotes.contains(c), what.constData());
            QVERIFY2(IsHexChar(c) == hex.contains(c), what.constData());
        }
    }

    void NameChecks_data() {
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        ValidityRows(0, {u"a"_s, u"old.pages"_s, u"Photo_2024-v2"_s, u"Фото"_s, u"a-_b"_s},
                     {QString(), u"_tmp"_s, u"tmp-"_s, u"a..b"_s, u"a.-b"_s, u"a-.b"_s, u"a/b"_s,
                      u"Ёлка"_s});
        ValidityRows(1, {u"h1"_s, u"_x"_s, u"http-equiv"_s, u"data-"_s, u"тег"_s},
                     {QString(), u"1h"_s, u"-x"_s, u"xml:lang"_s, u"a.b"_s});
        QStringList badFiles = {u"."_s, u".."_s, u"a"_s + QChar(0) + u".html"_s, u"a\nb.html"_s};
        for (QChar c : u"\\/:?\"<>|*"_s)
            badFiles << u"a"_s + c + u"b.html"_s;
        ValidityRows(2, {QString(), u"Моя страница.htm"_s, u"..."_s}, badFiles);
        // Only ASCII letters are lowercased: the Turkish dotted I must not pass for "i".
        ValidityRows(3, {u"MailTo:club@example.ru"_s, u"HTTP://example.ru/"_s, u"file:x"_s},
                     {u"C:\\site\\index.html"_s, u"irc://server"_s, QString(),
                      u"page.html?u=http://x"_s, u" http://x"_s, u"fİle:x"_s});
    }
    void NameChecks() {
        QFETCH(int, check);
        QFETCH(QString, name);
        QTEST(Checks[check](name), "valid");
    }

    // Padding, case, the bytes that do not count, and the byte order of colours.
    void HexAndColorText() {
        QCOMPARE(ByteToHex(10), u"0a"_s);
        // Only the low byte counts, in both directions.
        QCOMPARE(ByteToHex(0x1ab), u"ab"_s);
        QCOMPARE(ByteToHex(-1), u"ff"_s);
        QCOMPARE(ColorToHtml(0xff0a0b0c), u"#0c0b0a"_s);
        QCOMPARE(HexToByte(u"ff"_s), 255);
        QCOMPARE(HexToByte(u"A0"_s), 160);
        QCOMPARE(HexToByte(u"1234"_s), 0x12); // only the first two digits count
        for (const QString& bad : {u"f"_s, u"1g"_s, u"x1"_s})
            QCOMPARE(HexToByte(bad), 0);

        for (const auto& [text, color] :
             {std::pair{u"#996633"_s, 0x336699u}, std::pair{u"#AbCdEf"_s, 0xefcdabu}}) {
            QCOMPARE(HtmlToColor(text), TColor(color));
            QCOMPARE(ColorToHtml(color), text.toLower());
        }
        for (const QString& bad : {u"996633"_s, u"#99663"_s, u"#9966330"_s, u"#99663g"_s})
            QVERIFY2(HtmlToColor(bad) == TColor(0), qPrintable(bad));
    }

    void FileClasses() {
        enum { Html = 1, Image = 2, Script = 4 };
        // The first three letters of the extension decide, except for scripts.
        const std::pair<QString, int> rows[] = {
            {u"page.htm"_s, Html}, {u"INDEX.HTML"_s, Html},     {u"a.xhtml"_s, Html},
            {u"a.php3"_s, Html},   {u"css/style.css"_s, Html},  {u"page."_s, 0},
            {u"Makefile"_s, 0},    {u"/site/v1.htm/page"_s, 0}, {u"c:\\site.htm\\page"_s, 0},
            {u"a.gif"_s, Image},   {u"a.JPEG"_s, Image},        {u"a.jfif"_s, Image},
            {u"a.bmp"_s, 0},       {u"MENU.JS"_s, Script},      {u"Applet.class"_s, Script},
            {u"a.json"_s, 0},      {u"a.classes"_s, 0}};
        for (const auto& [name, kinds] : rows) {
            QVERIFY2(IsHtmlFile(name) == bool(kinds & Html), qPrintable(name));
            QVERIFY2(IsImageFile(name) == bool(kinds & Image), qPrintable(name));
            QVERIFY2(IsScriptFile(name) == bool(kinds & Script), qPrintable(name));
        }
    }

    void Resolve_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QChar>("sep");
        QTest::addColumn<QString>("path");
        const QChar nat(u'/'), win(u'\\');
        const QString page = u"/home/user/Site/Docs/Page.html"_s;
        const QString winPage = u"C:\\Site\\Docs\\Page.html"_s;
        QTest::newRow("windows: mixed case, query")
            << u"Images/Logo.JPG?v=2"_s << winPage << win << u"c:\\site\\docs\\images\\logo.jpg"_s;
        QTest::newRow("native: parent folder")
            << u"../Index.htm"_s << page << nat << u"/home/user/site/docs/../index.htm"_s;
        QTest::newRow("windows: backslash link kept")
            << u"Sub\\A.htm"_s << winPage << win << u"c:\\site\\docs\\sub\\a.htm"_s;
        QTest::newRow("native: Cyrillic lowercased")
            << u"Фото/Лес.JPG"_s << u"/s/Страница.html"_s << nat << u"/s/фото/лес.jpg"_s;
        QTest::newRow("native: fragment kept")
            << u"About.html#Top"_s << page << nat << u"/home/user/site/docs/about.html#top"_s;
        QTest::newRow("native: query cut at the first ?")
            << u"a.php?x=1?y=2"_s << page << nat << u"/home/user/site/docs/a.php"_s;
        QTest::newRow("native: blanks and controls trimmed")
            << u" \t news.html\r\n"_s << page << nat << u"/home/user/site/docs/news.html"_s;
        QTest::newRow("native: page without a folder")
            << u"Dir/A.html"_s << u"Page.html"_s << nat << u"dir/a.html"_s;
        QTest::newRow("windows: page with a drive only")
            << u"A.html"_s << u"D:Page.html"_s << win << u"d:a.html"_s;
        QTest::newRow("scheme kept as written")
            << u"  MAILTO:Club@Example.ru "_s << page << nat << u"MAILTO:Club@Example.ru"_s;
        QTest::newRow("windows: blank link is the page's folder")
            << u"   "_s << winPage << win << u"c:\\site\\docs\\"_s;
    }
    void Resolve() {
        QFETCH(QString, link);
        QFETCH(QString, page);
        QFETCH(QChar, sep);
        QTEST(ResolveLink(link, page, sep), "path");
    }

    void PathPieces_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("sep");
        QTest::addColumn<QString>("filePath");
        QTest::addColumn<QString>("fileDir");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("fileExt");
        const QChar nat(u'/'), win(u'\\');
        QTest::newRow("windows file") << u"C:\\site\\index.html"_s << win << u"C:\\site\\"_s
                                      << u"C:\\site"_s << u"index.html"_s << u".html"_s;
        QTest::newRow("native root")
            << u"/a.htm"_s << nat << u"/"_s << u"/"_s << u"a.htm"_s << u".htm"_s;
        QTest::newRow("windows drive root")
            << u"C:\\a.htm"_s << win << u"C:\\"_s << u"C:\\"_s << u"a.htm"_s << u".htm"_s;
        QTest::newRow("windows drive only")
            << u"C:a.htm"_s << win << u"C:"_s << u"C:"_s << u"a.htm"_s << u".htm"_s;
        QTest::newRow("colon is a plain character natively")
            << u"/d/C:a.htm"_s << nat << u"/d/"_s << u"/d"_s << u"C:a.htm"_s << u".htm"_s;
        QTest::newRow("backslash is a plain character natively")
            << u"/d/x\\a.htm"_s << nat << u"/d/"_s << u"/d"_s << u"x\\a.htm"_s << u".htm"_s;
        QTest::newRow("slash is a plain character in the windows form")
            << u"C:\\d/x.htm"_s << win << u"C:\\"_s << u"C:\\"_s << u"d/x.htm"_s << u".htm"_s;
        QTest::newRow("trailing separator")
            << u"/d/sub/"_s << nat << u"/d/sub/"_s << u"/d/sub"_s << QString() << QString();
        QTest::newRow("dot in the folder only") << u"/d/v1.2/README"_s << nat << u"/d/v1.2/"_s
                                                << u"/d/v1.2"_s << u"README"_s << QString();
        QTest::newRow("two extensions")
            << u"a.tar.gz"_s << nat << QString() << QString() << u"a.tar.gz"_s << u".gz"_s;
    }
    void PathPieces() {
        QFETCH(QString, path);
        QFETCH(QChar, sep);
        QTEST(ExtractFilePath(path, sep), "filePath");
        QTEST(ExtractFileDir(path, sep), "fileDir");
        QTEST(ExtractFileName(path, sep), "fileName");
        QTEST(ExtractFileExt(path, sep), "fileExt");
    }

    void StringHelpers() {
        QCOMPARE(ReplaceChar(u"aAaA"_s, u'a', u'x', true), u"xAxA"_s);
        QCOMPARE(ReplaceChar(u"aAaA"_s, u'a', u'x', false), u"xxxx"_s);
        QCOMPARE(ReplaceChar(u"aAbB"_s, u'B', u'-', false), u"aA--"_s);
        QCOMPARE(ReplaceChar(u"Дом дом"_s, u'д', u'т', false), u"том том"_s);
        QCOMPARE(ReplaceChar(u"aAa"_s, u'a', u'a', false), u"aAa"_s);

        const QStringList list = {u"Index.html"_s, u"Фото"_s, QString()};
        QVERIFY(ListContains(u"Index.html"_s, list, false));
        QVERIFY(!ListContains(u"index.html"_s, list, false));
        QVERIFY(ListContains(u"фОТО"_s, list, true));
        QVERIFY(ListContains(QString(), list, false));
        QVERIFY(!ListContains(u"Index"_s, list, true));

        // A character outside the basic plane stays one valid character.
        QCOMPARE(ReverseStr(u"a\U0001F600b"_s), u"b\U0001F600a"_s);
        QCOMPARE(CountChar(u"aAa"_s, u'a'), 2);
    }
};

QTEST_APPLESS_MAIN(TestToolFunc)
#include "tst_toolfunc.moc"
