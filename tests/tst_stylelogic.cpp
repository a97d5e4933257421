// The style block command's four placements, the CSS class rule from the editor's changed
// controls, and where the rule goes.
#include "markup/stylelogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TClassFields)

namespace {
// What InsertText makes of the placement: the text after it and the caret ("|" marks it).
QString Applied(const QString& page) {
    const TStylePlacement p = StyleBlockPlacement(page);
    const TInsertion ins = Finalized(p.Insertion);
    QString text = page;
    text.insert(p.Position, ins.Text);
    text.insert(p.Position + ins.Text.size() - ins.K, u'|');
    return text;
}

TClassFields Named(const QString& name = u".newclass1"_s) {
    TClassFields f;
    f.ClassName = name;
    return f;
}

// ".newclass1" with what fill changes.
template <class F> TClassFields Changed(F&& fill) {
    TClassFields f = Named();
    fill(f);
    return f;
}
} // namespace

class TestStyleLogic : public QObject {
    Q_OBJECT

private slots:
    void placement_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("result");
        QTest::newRow("existing block") << u"<head><style>\np {}\n</style></head>"_s
                                        << u"<head><style>\np {}\n|\n</style></head>"_s;
        QTest::newRow("upper-case closing style tag")
            << u"<html><head><STYLE>\n.a {}\n</STYLE>\n</head>"_s
            << u"<html><head><STYLE>\n.a {}\n|\n</STYLE>\n</head>"_s;
        QTest::newRow("head without block")
            << u"<html><head><title>T</title>\n</head>\n<body>"_s
            << u"<html><head><title>T</title>\n<style type=\"text/css\">\n|\n\n</style>\n"
               u"</head>\n<body>"_s;
        QTest::newRow("upper-case head end")
            << u"<HTML>\n</HEAD>"_s
            << u"<HTML>\n<style type=\"text/css\">\n|\n\n</style>\n</HEAD>"_s;
        QTest::newRow("body without head")
            << u"<html>\n<body>\nx\n</body>"_s
            << u"<html>\n<head>\n<style type=\"text/css\">\n\n|\n</style></head>\n\n<body>\nx\n"
               u"</body>"_s;
        QTest::newRow("empty page")
            << QString()
            << u"<head>\n<style type=\"text/css\">\n\n|\n</style>\n</head>\n<body>\n"_s;
        // The search starts at the second character: a mark at the very start is not seen.
        QTest::newRow("body at the very start")
            << u"<body>x"_s
            << u"<head>\n<style type=\"text/css\">\n\n|\n</style>\n</head>\n<body>\n<body>x"_s;
        QTest::newRow("block wins over an earlier head end")
            << u"<p></head>\n<style>\n</style>"_s << u"<p></head>\n<style>\n|\n</style>"_s;
    }

    void placement() {
        QFETCH(QString, page);
        QFETCH(QString, result);
        QCOMPARE(Applied(page), result);
    }

    void rule_data() {
        QTest::addColumn<TClassFields>("fields");
        QTest::addColumn<QString>("rule");
        QTest::newRow("nothing changed") << Named() << u".newclass1\n{\n}"_s;
        QTest::newRow("name as typed") << Named(u" p.note "_s) << u" p.note \n{\n}"_s;
        QTest::newRow("red and underlined") << Changed([](auto& f) {
            f.ClassName = u"N"_s, f.Color = HtmlToColor(u"#ff0000"_s), f.Underline = true;
        }) << u"N\n{\ntext-decoration:  underline;\ncolor: #ff0000;\n}"_s;
        QTest::newRow("all decorations")
            << Changed([](auto& f) { f.Underline = f.Overline = f.LineThrough = f.Blink = true; })
            << u".newclass1\n{\ntext-decoration:  underline overline line-through blink;\n}"_s;
        QTest::newRow("no decoration") << Changed([](auto& f) { f.DecorationNone = true; })
                                       << u".newclass1\n{\ntext-decoration:  none;\n}"_s;
        QTest::newRow("font") << Changed([](auto& f) {
            f.FontFamily = u"Arial"_s, f.FontSize = {u"12"_s, u"px"_s}, f.FontWeight = u"bold"_s;
            f.FontVariant = u"small-caps"_s, f.FontStyle = u"italic"_s;
        })
                              << u".newclass1\n{\nfont-family: Arial;\nfont-size: "
                                 u"12px;\nfont-weight: bold;\n"
                                 u"font-variant: small-caps;\nfont-style: italic;\n}"_s;
        QTest::newRow("each value its own unit")
            << Changed([](auto& f) {
                   f.TextIndent = {u"-20"_s, u"mm"_s}, f.LineHeight = {u"1.5"_s, u"multiple"_s};
                   f.LetterSpacing = {u"2"_s, u"pt"_s}, f.WordSpacing = {u"0.5"_s, u"%"_s};
               })
            << u".newclass1\n{\ntext-indent: -20mm;\nline-height: 1.5;\nletter-spacing: 2pt;\n"
               u"word-spacing: 0.5%;\n}"_s;
        QTest::newRow("changed but blank") << Changed([](auto& f) {
            f.FontFamily = u"  "_s, f.FontSize = {QString(), u"px"_s}, f.Clip = QString();
        }) << u".newclass1\n{\n}"_s;
        QTest::newRow("unit alone writes nothing") << Changed([](auto& f) {
            f.FontSize = {std::nullopt, u"px"_s};
        }) << u".newclass1\n{\n}"_s;
        // Margins and border widths with the unit of their own row, in the rule's side order.
        QTest::newRow("margins and borders")
            << Changed([](auto& f) {
                   f.Margin = {TCssLength{u"1"_s, u"in"_s}, TCssLength{u"2"_s, u"cm"_s},
                               TCssLength{u"3"_s, u"mm"_s}, TCssLength{u"4"_s, u"px"_s}};
                   f.BorderWidth = {TCssLength{u"5"_s, u"pt"_s}, TCssLength{}, TCssLength{},
                                    TCssLength{u"6"_s, u"%"_s}};
                   f.BorderStyle[csLeft] = u"dotted"_s;
                   f.BorderColor[csLeft] = HtmlToColor(u"#00ff00"_s);
                   f.BorderColor[csTop] = HtmlToColor(u"#0000ff"_s);
               })
            << u".newclass1\n{\nmargin-top: 1in;\nmargin-bottom: 2cm;\nmargin-left: 3mm;\n"
               u"margin-right: 4px;\nborder-top-width: 5pt;\nborder-right-width: 6%;\n"
               u"border-left-style: dotted;\nborder-top-color: #0000ff;\n"
               u"border-Left-color: #00ff00;\n}"_s;
        QTest::newRow("background")
            << Changed([](auto& f) {
                   f.BackgroundColor = HtmlToColor(u"#336699"_s);
                   f.BackgroundImage = u"  img/a b.png "_s, f.BackgroundRepeat = u"no-repeat"_s;
                   f.BackgroundFixed = true, f.BackgroundPosition = u"top left"_s;
               })
            << u".newclass1\n{\nbackground-color: #336699;\nbackground-image: url(img/a b.png);\n"
               u"background-repeat: no-repeat;\nbackground-attachment: fixed;\n"
               u"background-position: top left;\n}"_s;
        QTest::newRow("table and list")
            << Changed([](auto& f) {
                   f.Display = u"table-cell"_s, f.Border = u"solid"_s, f.ColumnSpan = 2;
                   f.RowSpan = 1, f.VerticalAlign = u"top"_s, f.ListStyleType = u"disc"_s;
                   f.ListStyleImage = u"dot.gif"_s, f.ListStylePosition = u"inside"_s;
               })
            << u".newclass1\n{\ndisplay: table-cell;\nborder: solid;\ncolumn-span: 2;\n"
               u"vertical-align: top;\nlist-style-type: disc;\nlist-style-image: url(dot.gif);\n"
               u"list-style-position: inside;\n}"_s;
        QTest::newRow("spin fields") << Changed([](auto& f) { f.ZIndex = 0, f.RowSpan = 1000; })
                                     << u".newclass1\n{\nrow-span: 1000;\nz-index: 0;\n}"_s;
        QTest::newRow("position and media")
            << Changed([](auto& f) {
                   f.Position = u"absolute"_s, f.Float = u"left"_s, f.ZIndex = -5;
                   f.Clip = u"auto"_s, f.Volume = u"loud"_s, f.Cursor = u"help"_s;
               })
            << u".newclass1\n{\nposition: absolute;\nfloat: left;\nz-index: -5;\nclip: auto;\n"
               u"volume: loud;\ncursor: help;\n}"_s;
    }

    void rule() {
        QFETCH(TClassFields, fields);
        QFETCH(QString, rule);
        QCOMPARE(ComposeClassRule(fields), rule);
    }

    void lengthText_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << u"12"_s << u"px"_s << u"12px"_s;
        QTest::newRow("fraction") << u"1.25"_s << u"em"_s << u"1.25em"_s;
        QTest::newRow("leading dot") << u".5"_s << u"in"_s << u".5in"_s;
        QTest::newRow("negative") << u"-3"_s << u"pt"_s << u"-3pt"_s;
        QTest::newRow("blanks around") << u" 7 "_s << u"cm"_s << u"7cm"_s;
        QTest::newRow("keyword") << u"medium"_s << u"px"_s << u"medium"_s;
        QTest::newRow("multiple") << u"2"_s << u"multiple"_s << u"2"_s;
        QTest::newRow("percent typed") << u"50%"_s << u"px"_s << u"50%"_s;
    }

    void lengthText() {
        QFETCH(QString, value);
        QFETCH(QString, unit);
        QFETCH(QString, text);
        QCOMPARE(CssLengthText({value, unit}), text);
    }

    void sheetPath_data() {
        QTest::addColumn<QStringList>("sheets");
        QTest::addColumn<QString>("path");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("first of two")
            << QStringList{u"CSS/Main.css"_s, u"other.css"_s} << u"/site/pages/css/main.css"_s;
        QTest::newRow("up a folder") << QStringList{u"../s.css?v=2"_s} << u"/site/pages/../s.css"_s;
    }

    void sheetPath() {
        QFETCH(QStringList, sheets);
        QFETCH(QString, path);
        QCOMPARE(ClassRuleSheetPath(sheets, u"/site/pages/index.html"_s, u'/'), path);
    }

    void appended_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("added");
        QTest::newRow("ends with a line break") << u"p {}\n"_s << u".a\n{\n}\n"_s;
        QTest::newRow("last line open") << u"p {}"_s << u"\n.a\n{\n}\n"_s;
        QTest::newRow("empty sheet") << QString() << u".a\n{\n}\n"_s;
    }

    void appended() {
        QFETCH(QString, text);
        QFETCH(QString, added);
        QCOMPARE(AppendedAsLastLines(text, u".a\n{\n}"_s), added);
    }
};

QTEST_GUILESS_MAIN(TestStyleLogic)
#include "tst_stylelogic.moc"
