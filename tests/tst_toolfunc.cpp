#include "site/toolfunc.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Which character classes a character belongs to, as a set of flags.
enum TCharClass { ccDigit = 1, ccLetter = 2, ccSpace = 4, ccQuote = 8, ccHex = 16 };

class TestToolFunc : public QObject {
    Q_OBJECT

private slots:
    void CharClasses_data();
    void CharClasses();
    void DirName_data();
    void DirName();
    void TagName_data();
    void TagName();
    void FileName_data();
    void FileName();
    void ByteToHexDigits();
    void HexToByteValues_data();
    void HexToByteValues();
    void ColorText_data();
    void ColorText();
    void ColorRoundTrip();
    void FileClasses_data();
    void FileClasses();
    void UrlScheme_data();
    void UrlScheme();
    void Resolve_data();
    void Resolve();
    void PathPieces_data();
    void PathPieces();
    void ReplaceChars_data();
    void ReplaceChars();
    void ListSearch_data();
    void ListSearch();
    void ReverseAndCount();
    void Filters_data();
    void Filters();
};

void TestToolFunc::CharClasses_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("classes");
    QTest::newRow("digit 0") << QChar(u'0') << (ccDigit | ccHex);
    QTest::newRow("digit 9") << QChar(u'9') << (ccDigit | ccHex);
    QTest::newRow("A") << QChar(u'A') << (ccLetter | ccHex);
    QTest::newRow("f") << QChar(u'f') << (ccLetter | ccHex);
    QTest::newRow("G") << QChar(u'G') << int(ccLetter);
    QTest::newRow("z") << QChar(u'z') << int(ccLetter);
    QTest::newRow("before A (@)") << QChar(u'@') << 0;
    QTest::newRow("after Z ([)") << QChar(u'[') << 0;
    QTest::newRow("after z ({)") << QChar(u'{') << 0;
    QTest::newRow("Cyrillic А (first)") << QChar(u'А') << int(ccLetter);
    QTest::newRow("Cyrillic я (last)") << QChar(u'я') << int(ccLetter);
    QTest::newRow("Cyrillic Ж") << QChar(u'Ж') << int(ccLetter);
    QTest::newRow("Ё is not a letter") << QChar(u'Ё') << 0;
    QTest::newRow("ё is not a letter") << QChar(u'ё') << 0;
    QTest::newRow("Ђ below the letters") << QChar(u'Ђ') << 0;
    QTest::newRow("ў above the letters") << QChar(u'ў') << 0;
    QTest::newRow("Latin é has no code") << QChar(u'é') << 0;
    QTest::newRow("tab") << QChar(u'\t') << int(ccSpace);
    QTest::newRow("LF") << QChar(u'\n') << int(ccSpace);
    QTest::newRow("CR") << QChar(u'\r') << int(ccSpace);
    QTest::newRow("space") << QChar(u' ') << int(ccSpace);
    QTest::newRow("vertical tab") << QChar(u'\v') << 0;
    QTest::newRow("no-break space") << QChar(0xA0) << 0;
    QTest::newRow("double quote") << QChar(u'"') << int(ccQuote);
    QTest::newRow("apostrophe") << QChar(u'\'') << int(ccQuote);
    QTest::newRow("backquote") << QChar(u'`') << int(ccQuote);
    QTest::newRow("underscore") << QChar(u'_') << 0;
}

void TestToolFunc::CharClasses() {
    QFETCH(QChar, c);
    QFETCH(int, classes);
    QCOMPARE(IsDigitChar(c), bool(classes & ccDigit));
    QCOMPARE(IsLetterChar(c), bool(classes & ccLetter));
    QCOMPARE(IsAlnumChar(c), bool(classes & (ccDigit | ccLetter)));
    QCOMPARE(IsSpaceChar(c), bool(classes & ccSpace));
    QCOMPARE(IsQuoteChar(c), bool(classes & ccQuote));
    QCOMPARE(IsHexChar(c), bool(classes & ccHex));
}

void TestToolFunc::DirName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain word") << u"images"_s << true;
    QTest::newRow("one character") << u"a"_s << true;
    QTest::newRow("words joined by a dot") << u"old.pages"_s << true;
    QTest::newRow("mixed") << u"Photo_2024-v2"_s << true;
    QTest::newRow("Cyrillic") << u"Фото"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("begins with a dot") << u".hidden"_s << false;
    QTest::newRow("ends with a dot") << u"name."_s << false;
    QTest::newRow("begins with _") << u"_tmp"_s << false;
    QTest::newRow("ends with -") << u"tmp-"_s << false;
    QTest::newRow("two dots") << u"a..b"_s << false;
    QTest::newRow("dot dash") << u"a.-b"_s << false;
    QTest::newRow("dash dot") << u"a-.b"_s << false;
    QTest::newRow("slash") << u"a/b"_s << false;
    QTest::newRow("blank") << u"my dir"_s << false;
    QTest::newRow("Ё") << u"Ёлка"_s << false;
    QTest::newRow("dash underscore") << u"a-_b"_s << true;
}

void TestToolFunc::DirName() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidDirName(name), valid);
}

void TestToolFunc::TagName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("one letter") << u"a"_s << true;
    QTest::newRow("letter and digit") << u"h1"_s << true;
    QTest::newRow("begins with _") << u"_x"_s << true;
    QTest::newRow("contains -") << u"http-equiv"_s << true;
    QTest::newRow("ends with -") << u"data-"_s << true;
    QTest::newRow("Cyrillic") << u"тег"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("begins with a digit") << u"1h"_s << false;
    QTest::newRow("begins with -") << u"-x"_s << false;
    QTest::newRow("contains #") << u"a#b"_s << false;
    QTest::newRow("contains :") << u"xml:lang"_s << false;
    QTest::newRow("contains a dot") << u"a.b"_s << false;
}

void TestToolFunc::TagName() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidTagName(name), valid);
}

void TestToolFunc::FileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("page") << u"index.html"_s << true;
    QTest::newRow("blanks and Cyrillic") << u"Моя страница.htm"_s << true;
    QTest::newRow("leading dot") << u".htaccess"_s << true;
    for (QChar c : u"\\/:?\"<>|*"_s) {
        const QString name = u"a"_s + c + u"b.html"_s;
        QTest::newRow(qPrintable(u"contains "_s + c)) << name << false;
    }
    QTest::newRow("the folder itself") << u"."_s << false;
    QTest::newRow("the parent folder") << u".."_s << false;
    QTest::newRow("three dots") << u"..."_s << true;
    QTest::newRow("NUL") << (u"a"_s + QChar(0) + u".html"_s) << false;
    QTest::newRow("line feed") << u"a\nb.html"_s << false;
}

void TestToolFunc::FileName() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidFileName(name), valid);
}

void TestToolFunc::ByteToHexDigits() {
    QCOMPARE(ByteToHex(0), u"00"_s);
    QCOMPARE(ByteToHex(10), u"0a"_s);
    QCOMPARE(ByteToHex(0x5f), u"5f"_s);
    QCOMPARE(ByteToHex(255), u"ff"_s);
    // Only the low byte counts.
    QCOMPARE(ByteToHex(0x1ab), u"ab"_s);
    QCOMPARE(ByteToHex(-1), u"ff"_s);
}

void TestToolFunc::HexToByteValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("lower") << u"ff"_s << 255;
    QTest::newRow("upper") << u"A0"_s << 160;
    QTest::newRow("mixed") << u"3c"_s << 60;
    QTest::newRow("longer text uses two digits") << u"1234"_s << 0x12;
    QTest::newRow("one digit") << u"f"_s << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("second not hex") << u"1g"_s << 0;
    QTest::newRow("first not hex") << u"x1"_s << 0;
    QTest::newRow("leading blank") << u" 12"_s << 0;
}

void TestToolFunc::HexToByteValues() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(HexToByte(text), value);
}

void TestToolFunc::ColorText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("color");
    QTest::newRow("red") << u"#ff0000"_s << 0x0000ffu;
    QTest::newRow("green") << u"#00ff00"_s << 0x00ff00u;
    QTest::newRow("blue") << u"#0000ff"_s << 0xff0000u;
    QTest::newRow("996633") << u"#996633"_s << 0x336699u;
    QTest::newRow("upper digits") << u"#AbCdEf"_s << 0xefcdabu;
    QTest::newRow("without #") << u"996633"_s << 0u;
    QTest::newRow("five digits") << u"#99663"_s << 0u;
    QTest::newRow("seven digits") << u"#9966330"_s << 0u;
    QTest::newRow("not hex") << u"#99663g"_s << 0u;
    QTest::newRow("colour name") << u"#white"_s << 0u;
    QTest::newRow("empty") << QString() << 0u;
}

void TestToolFunc::ColorText() {
    QFETCH(QString, text);
    QFETCH(uint, color);
    QCOMPARE(HtmlToColor(text), TColor(color));
    if (color != 0)
        QCOMPARE(ColorToHtml(color), text.toLower());
}

void TestToolFunc::ColorRoundTrip() {
    QCOMPARE(ColorToHtml(0), u"#000000"_s);
    QCOMPARE(ColorToHtml(0x336699), u"#996633"_s);
    QCOMPARE(ColorToHtml(0xffffff), u"#ffffff"_s);
    // Bits above the 24 colour bits do not leak into the text.
    QCOMPARE(ColorToHtml(0xff0a0b0c), u"#0c0b0a"_s);
    for (TColor c : {0x010203u, 0x808080u, 0xfedcbau})
        QCOMPARE(HtmlToColor(ColorToHtml(c)), c);
}

void TestToolFunc::FileClasses_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("html");
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("script");
    QTest::newRow("htm") << u"page.htm"_s << true << false << false;
    QTest::newRow("upper HTML") << u"INDEX.HTML"_s << true << false << false;
    QTest::newRow("xhtml") << u"a.xhtml"_s << true << false << false;
    QTest::newRow("shtml") << u"a.shtml"_s << true << false << false;
    QTest::newRow("php3") << u"a.php3"_s << true << false << false;
    QTest::newRow("css") << u"css/style.css"_s << true << false << false;
    QTest::newRow("xml") << u"a.xml"_s << true << false << false;
    QTest::newRow("xsl") << u"a.xslt"_s << true << false << false;
    QTest::newRow("asp") << u"a.aspx"_s << true << false << false;
    QTest::newRow("cfm") << u"a.cfm"_s << true << false << false;
    QTest::newRow("plain text") << u"readme.txt"_s << false << false << false;
    QTest::newRow("no extension") << u"Makefile"_s << false << false << false;
    QTest::newRow("trailing dot") << u"page."_s << false << false << false;
    QTest::newRow("dot only in the folder") << u"/site/v1.htm/page"_s << false << false << false;
    QTest::newRow("dot only in a Windows folder")
        << u"c:\\site.htm\\page"_s << false << false << false;
    QTest::newRow("path with folders") << u"/home/u/Site/Doc.Html"_s << true << false << false;
    QTest::newRow("gif") << u"a.gif"_s << false << true << false;
    QTest::newRow("jpeg") << u"a.JPEG"_s << false << true << false;
    QTest::newRow("jpe") << u"a.jpe"_s << false << true << false;
    QTest::newRow("jfif") << u"a.jfif"_s << false << true << false;
    QTest::newRow("png") << u"images/banner.png"_s << false << true << false;
    QTest::newRow("tiff") << u"a.tiff"_s << false << true << false;
    QTest::newRow("bmp") << u"a.bmp"_s << false << false << false;
    QTest::newRow("js") << u"a.js"_s << false << false << true;
    QTest::newRow("upper JS") << u"MENU.JS"_s << false << false << true;
    QTest::newRow("jsp") << u"a.jsp"_s << false << false << true;
    QTest::newRow("class") << u"Applet.class"_s << false << false << true;
    QTest::newRow("vbs") << u"a.vbs"_s << false << false << true;
    QTest::newRow("vba") << u"a.vba"_s << false << false << true;
    QTest::newRow("json is not js") << u"a.json"_s << false << false << false;
    QTest::newRow("classes") << u"a.classes"_s << false << false << false;
    QTest::newRow("Cyrillic name") << u"Страница.HTM"_s << true << false << false;
}

void TestToolFunc::FileClasses() {
    QFETCH(QString, name);
    QFETCH(bool, html);
    QFETCH(bool, image);
    QFETCH(bool, script);
    QCOMPARE(IsHtmlFile(name), html);
    QCOMPARE(IsImageFile(name), image);
    QCOMPARE(IsScriptFile(name), script);
}

void TestToolFunc::UrlScheme_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("scheme");
    const QStringList schemes = {u"http"_s,   u"ftp"_s,    u"https"_s, u"nntp"_s,
                                 u"news"_s,   u"mailto"_s, u"wais"_s,  u"telnet"_s,
                                 u"gopher"_s, u"res"_s,    u"file"_s,  u"javascript"_s};
    for (const QString& s : schemes)
        QTest::newRow(qPrintable(s)) << s + u":x"_s << true;
    QTest::newRow("mixed-case mailto") << u"MailTo:club@example.ru"_s << true;
    QTest::newRow("upper HTTP") << u"HTTP://example.ru/"_s << true;
    QTest::newRow("javascript call") << u"javascript:history.back()"_s << true;
    QTest::newRow("drive path") << u"C:\\site\\index.html"_s << false;
    QTest::newRow("relative page") << u"about.html"_s << false;
    QTest::newRow("unknown scheme") << u"irc://server"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("colon first") << u":http"_s << false;
    QTest::newRow("scheme later in the text") << u"page.html?u=http://x"_s << false;
    QTest::newRow("blank before the scheme") << u" http://x"_s << false;
    // Only ASCII letters are lowercased: the Turkish dotted I must not pass for "i".
    QTest::newRow("non-ASCII capital") << u"fİle:x"_s << false;
}

void TestToolFunc::UrlScheme() {
    QFETCH(QString, link);
    QFETCH(bool, scheme);
    QCOMPARE(HasUrlScheme(link), scheme);
}

void TestToolFunc::Resolve_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QChar>("sep");
    QTest::addColumn<QString>("path");

    const QChar nat(u'/');
    const QChar win(u'\\');
    const QString page = u"/home/user/Site/Docs/Page.html"_s;
    const QString winPage = u"C:\\Site\\Docs\\Page.html"_s;

    QTest::newRow("native: mixed case, query")
        << u"Images/Logo.JPG?v=2"_s << page << nat << u"/home/user/site/docs/images/logo.jpg"_s;
    QTest::newRow("windows: mixed case, query")
        << u"Images/Logo.JPG?v=2"_s << winPage << win << u"c:\\site\\docs\\images\\logo.jpg"_s;
    QTest::newRow("native: parent folder")
        << u"../Index.htm"_s << page << nat << u"/home/user/site/docs/../index.htm"_s;
    QTest::newRow("windows: parent folder")
        << u"../Index.htm"_s << winPage << win << u"c:\\site\\docs\\..\\index.htm"_s;
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
    QTest::newRow("windows: scheme kept")
        << u"http://Example.ru/A.html?q=1"_s << winPage << win << u"http://Example.ru/A.html?q=1"_s;
    QTest::newRow("javascript kept")
        << u"javascript:Show('A/B')"_s << page << nat << u"javascript:Show('A/B')"_s;
    QTest::newRow("anchor kept") << u"\t#Top "_s << page << nat << u"#Top"_s;
    QTest::newRow("native: empty link is the page's folder")
        << QString() << page << nat << u"/home/user/site/docs/"_s;
    QTest::newRow("windows: blank link is the page's folder")
        << u"   "_s << winPage << win << u"c:\\site\\docs\\"_s;
}

void TestToolFunc::Resolve() {
    QFETCH(QString, link);
    QFETCH(QString, page);
    QFETCH(QChar, sep);
    QFETCH(QString, path);
    QCOMPARE(ResolveLink(link, page, sep), path);
}

void TestToolFunc::PathPieces_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QChar>("sep");
    QTest::addColumn<QString>("filePath");
    QTest::addColumn<QString>("fileDir");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("fileExt");

    const QChar nat(u'/');
    const QChar win(u'\\');
    QTest::newRow("native file") << u"/home/u/site/index.html"_s << nat << u"/home/u/site/"_s
                                 << u"/home/u/site"_s << u"index.html"_s << u".html"_s;
    QTest::newRow("windows file") << u"C:\\site\\index.html"_s << win << u"C:\\site\\"_s
                                  << u"C:\\site"_s << u"index.html"_s << u".html"_s;
    QTest::newRow("native root") << u"/a.htm"_s << nat << u"/"_s << u"/"_s << u"a.htm"_s
                                 << u".htm"_s;
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
    QTest::newRow("no folder") << u"page.html"_s << nat << QString() << QString() << u"page.html"_s
                               << u".html"_s;
    QTest::newRow("trailing separator")
        << u"/d/sub/"_s << nat << u"/d/sub/"_s << u"/d/sub"_s << QString() << QString();
    QTest::newRow("dot in the folder only")
        << u"/d/v1.2/README"_s << nat << u"/d/v1.2/"_s << u"/d/v1.2"_s << u"README"_s << QString();
    QTest::newRow("two extensions")
        << u"a.tar.gz"_s << nat << QString() << QString() << u"a.tar.gz"_s << u".gz"_s;
    QTest::newRow("empty") << QString() << nat << QString() << QString() << QString() << QString();
}

void TestToolFunc::PathPieces() {
    QFETCH(QString, path);
    QFETCH(QChar, sep);
    QFETCH(QString, filePath);
    QFETCH(QString, fileDir);
    QFETCH(QString, fileName);
    QFETCH(QString, fileExt);
    QCOMPARE(ExtractFilePath(path, sep), filePath);
    QCOMPARE(ExtractFileDir(path, sep), fileDir);
    QCOMPARE(ExtractFileName(path, sep), fileName);
    QCOMPARE(ExtractFileExt(path, sep), fileExt);
}

void TestToolFunc::ReplaceChars_data() {
    QTest::addColumn<QString>("s");
    QTest::addColumn<QChar>("from");
    QTest::addColumn<QChar>("to");
    QTest::addColumn<bool>("exactCase");
    QTest::addColumn<QString>("result");
    QTest::newRow("slashes") << u"a/b/c"_s << QChar(u'/') << QChar(u'\\') << true << u"a\\b\\c"_s;
    QTest::newRow("exact case keeps the other case")
        << u"aAaA"_s << QChar(u'a') << QChar(u'x') << true << u"xAxA"_s;
    QTest::newRow("any case") << u"aAaA"_s << QChar(u'a') << QChar(u'x') << false << u"xxxx"_s;
    QTest::newRow("any case from upper")
        << u"aAbB"_s << QChar(u'B') << QChar(u'-') << false << u"aA--"_s;
    QTest::newRow("Cyrillic any case")
        << u"Дом дом"_s << QChar(u'д') << QChar(u'т') << false << u"том том"_s;
    QTest::newRow("same character") << u"aAa"_s << QChar(u'a') << QChar(u'a') << false << u"aAa"_s;
    QTest::newRow("not present") << u"abc"_s << QChar(u'z') << QChar(u'y') << true << u"abc"_s;
    QTest::newRow("empty") << QString() << QChar(u'a') << QChar(u'b') << false << QString();
}

void TestToolFunc::ReplaceChars() {
    QFETCH(QString, s);
    QFETCH(QChar, from);
    QFETCH(QChar, to);
    QFETCH(bool, exactCase);
    QFETCH(QString, result);
    QCOMPARE(ReplaceChar(s, from, to, exactCase), result);
}

void TestToolFunc::ListSearch_data() {
    QTest::addColumn<QString>("s");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<bool>("found");
    const QStringList list = {u"Index.html"_s, u"Фото"_s, QString()};
    QTest::newRow("exact") << u"Index.html"_s << list << false << true;
    QTest::newRow("case differs") << u"index.html"_s << list << false << false;
    QTest::newRow("case ignored") << u"INDEX.HTML"_s << list << true << true;
    QTest::newRow("Cyrillic case ignored") << u"фОТО"_s << list << true << true;
    QTest::newRow("Cyrillic case differs") << u"фото"_s << list << false << false;
    QTest::newRow("empty item") << QString() << list << false << true;
    QTest::newRow("missing") << u"about.html"_s << list << true << false;
    QTest::newRow("prefix is not a match") << u"Index"_s << list << true << false;
    QTest::newRow("empty list") << u"x"_s << QStringList() << true << false;
}

void TestToolFunc::ListSearch() {
    QFETCH(QString, s);
    QFETCH(QStringList, list);
    QFETCH(bool, ignoreCase);
    QFETCH(bool, found);
    QCOMPARE(ListContains(s, list, ignoreCase), found);
}

void TestToolFunc::ReverseAndCount() {
    QCOMPARE(ReverseStr(u"abc"_s), u"cba"_s);
    QCOMPARE(ReverseStr(u"Дом"_s), u"моД"_s);
    QCOMPARE(ReverseStr(QString()), QString());
    // A character outside the basic plane stays one valid character.
    QCOMPARE(ReverseStr(u"a\U0001F600b"_s), u"b\U0001F600a"_s);

    const QString esc(QChar(27));
    const QString line = u"Имя"_s + esc + u"#ffffff"_s + esc + esc + esc + esc + esc;
    QCOMPARE(CountChar(line, QChar(27)), 6);
    QCOMPARE(CountChar(u"aAa"_s, u'a'), 2);
    QCOMPARE(CountChar(QString(), u'a'), 0);
}

void TestToolFunc::Filters_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<bool>("number");
    QTest::addColumn<bool>("size");
    QTest::addColumn<bool>("name");
    QTest::addColumn<bool>("mime");
    QTest::newRow("digit") << QChar(u'7') << true << true << true << true;
    QTest::newRow("percent") << QChar(u'%') << false << true << false << false;
    QTest::newRow("letter") << QChar(u'x') << false << false << true << true;
    QTest::newRow("Cyrillic") << QChar(u'Ы') << false << false << true << true;
    QTest::newRow("ё") << QChar(u'ё') << false << false << false << false;
    QTest::newRow("underscore") << QChar(u'_') << false << false << true << false;
    QTest::newRow("dash") << QChar(u'-') << false << false << false << true;
    QTest::newRow("dot") << QChar(u'.') << false << false << false << true;
    QTest::newRow("slash") << QChar(u'/') << false << false << false << true;
    QTest::newRow("blank") << QChar(u' ') << false << false << false << false;
    QTest::newRow("backspace") << QChar(8) << false << false << false << false;
    QTest::newRow("plus sign") << QChar(u'+') << false << false << false << false;
}

void TestToolFunc::Filters() {
    QFETCH(QChar, c);
    QFETCH(bool, number);
    QFETCH(bool, size);
    QFETCH(bool, name);
    QFETCH(bool, mime);
    QCOMPARE(InputFilterAccepts(TInputFilter::Number, c), number);
    QCOMPARE(InputFilterAccepts(TInputFilter::Size, c), size);
    QCOMPARE(InputFilterAccepts(TInputFilter::Name, c), name);
    QCOMPARE(InputFilterAccepts(TInputFilter::MimeType, c), mime);
}

QTEST_APPLESS_MAIN(TestToolFunc)
#include "tst_toolfunc.moc"
