// The markup of the table, cell, list, form, select, font, Flash and parameter dialogs.
#include "app/insertion.h"
#include "markup/blocklogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TTableFields)
Q_DECLARE_METATYPE(TCellFields)
Q_DECLARE_METATYPE(TListFields)
Q_DECLARE_METATYPE(TFormFields)
Q_DECLARE_METATYPE(TSelectFields)
Q_DECLARE_METATYPE(TFontFields)
Q_DECLARE_METATYPE(TFlashFields)

namespace {
constexpr TColor Red = 0x0000FF;
const QString None = u"<nothing>"_s;

// Expected text for an optional insertion: None when nothing is written.
QString TextOf(const std::optional<TInsertion>& ins) {
    return ins ? ins->Text : None;
}

template <class T, class F> T Make(F&& fill) {
    T f;
    fill(f);
    return f;
}
} // namespace

class TestBlockLogic : public QObject {
    Q_OBJECT

private slots:
    void table_data() {
        QTest::addColumn<TTableFields>("fields");
        QTest::addColumn<QString>("text");
        QTest::newRow("presets with rows and columns")
            << Make<TTableFields>([](auto& f) {
                   f.Cols = u"3"_s;
                   f.Rows = u"2"_s;
               })
            << u"<table cols=\"3\" rows=\"2\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n"
               u"\n\n</table>"_s;
        QTest::newRow("presets only") << TTableFields{}
                                      << u"<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"
                                         u"\n\n\n</table>"_s;
        QTest::newRow("everything empty") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing = u"  "_s;
        }) << u"<table>\n\n\n</table>"_s;
        QTest::newRow("blanks only are left out") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing.clear();
            f.Rows = u" "_s;
            f.Name = u"\t"_s;
            f.Background = u"  "_s;
        }) << u"<table>\n\n\n</table>"_s;
        QTest::newRow("percent width") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing.clear();
            f.Width = u"100%"_s;
        }) << u"<table width=\"100%\">\n\n\n</table>"_s;
        QTest::newRow("caption") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing.clear();
            f.Caption = u"Цены"_s;
        }) << u"<table>\n<caption>Цены</caption>\n\n\n</table>"_s;
        // The caption is tested untrimmed: blanks make a caption.
        QTest::newRow("caption of blanks") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing.clear();
            f.Caption = u" "_s;
        }) << u"<table>\n<caption> </caption>\n\n\n</table>"_s;
        QTest::newRow("every attribute in order")
            << Make<TTableFields>([](auto& f) {
                   f.Rows = u"1"_s;
                   f.Cols = u"2"_s;
                   f.Border = u"3"_s;
                   f.CellSpacing = u"4"_s;
                   f.CellPadding = u"5"_s;
                   f.Width = u"60%"_s;
                   f.Name = u"t1"_s;
                   f.Class = u"grid"_s;
                   f.Back = true;
                   f.BackColor = Red;
                   f.Align = THorzAlign::Right;
                   f.Hspace = u"6"_s;
                   f.Vspace = u"7"_s;
                   f.Background = u" ../img/b.gif"_s;
               })
            << u"<table cols=\"2\" rows=\"1\" border=\"3\" cellspacing=\"4\" cellpadding=\"5\" "
               u"width=\"60%\" name=\"t1\" class=\"grid\" bgcolor=#ff0000 align=\"right\" "
               u"hspace=\"6\" vspace=\"7\" background=\" ../img/b.gif\">\n\n\n</table>"_s;
        QTest::newRow("centred, colour unticked") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing.clear();
            f.BackColor = Red;
            f.Align = THorzAlign::Center;
        }) << u"<table align=\"center\">\n\n\n</table>"_s;
        QTest::newRow("white background") << Make<TTableFields>([](auto& f) {
            f.Border.clear();
            f.CellPadding.clear();
            f.CellSpacing.clear();
            f.Back = true;
        }) << u"<table bgcolor=#ffffff>\n\n\n</table>"_s;
    }
    void table() {
        QFETCH(TTableFields, fields);
        QFETCH(QString, text);
        const TInsertion ins = TableInsertion(fields);
        QCOMPARE(ins.Text, text);
        QCOMPARE(ins.K, 10);
        QVERIFY(ins.LineBreak);
        // The caret stands at the start of the first of the two empty lines.
        QCOMPARE(ins.Text.left(ins.Text.size() - ins.K).right(1), u"\n"_s);
        QCOMPARE(ins.Text.right(ins.K), u"\n\n</table>"_s);
    }

    void cell_data() {
        QTest::addColumn<TCellFields>("fields");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        QTest::newRow("empty td") << TCellFields{} << QString() << u"<td></td>"_s << 5;
        QTest::newRow("header cell") << Make<TCellFields>([](auto& f) { f.Header = true; })
                                     << QString() << u"<th></th>"_s << 5;
        QTest::newRow("around the selection")
            << TCellFields{} << u"a\nb"_s << u"<td>\na\nb\n</td>"_s << 0;
        QTest::newRow("every attribute in order")
            << Make<TCellFields>([](auto& f) {
                   f.Header = true;
                   f.Name = u"c1"_s;
                   f.Class = u"head"_s;
                   f.Width = u"40"_s;
                   f.Back = true;
                   f.BackColor = 0x336699;
                   f.ColSpan = u"2"_s;
                   f.RowSpan = u"3"_s;
                   f.Valign = TVertAlign::Top;
                   f.Align = THorzAlign::Center;
               })
            << QString()
            << u"<th name=\"c1\" class=\"head\" width=\"40\" bgcolor=#996633 colspan=\"2\" "
               u"rowspan=\"3\" valign=\"top\" align=\"center\"></th>"_s
            << 5;
        QTest::newRow("bottom, right") << Make<TCellFields>([](auto& f) {
            f.Valign = TVertAlign::Bottom;
            f.Align = THorzAlign::Right;
        }) << u"S"_s << u"<td valign=\"bottom\" align=\"right\">\nS\n</td>"_s
                                       << 0;
        QTest::newRow("blank fields left out") << Make<TCellFields>([](auto& f) {
            f.Name = u" "_s;
            f.Width = u"  "_s;
            f.BackColor = Red;
        }) << QString() << u"<td></td>"_s << 5;
    }
    void cell() {
        QFETCH(TCellFields, fields);
        QFETCH(QString, selection);
        QFETCH(QString, text);
        QFETCH(int, k);
        const TInsertion ins = CellInsertion(fields, selection);
        QCOMPARE(ins.Text, text);
        QCOMPARE(ins.K, k);
        QVERIFY(ins.LineBreak);
    }

    void list_data() {
        QTest::addColumn<TListFields>("fields");
        QTest::addColumn<QString>("text");
        const QStringList ab{u"A"_s, u"B"_s};
        QTest::newRow("no items") << TListFields{} << None;
        QTest::newRow("no items, numbered") << Make<TListFields>([](auto& f) {
            f.Numbered = true;
            f.Start = 4;
        }) << None;
        QTest::newRow("bulleted") << Make<TListFields>([&](auto& f) { f.Items = ab; })
                                  << u"<ul><li>A</li>\n<li>B</li>\n</ul>"_s;
        QTest::newRow("numbered from 1") << Make<TListFields>([&](auto& f) {
            f.Items = ab;
            f.Numbered = true;
        }) << u"<ol><li>A</li>\n<li>B</li>\n</ol>"_s;
        QTest::newRow("numbered from 3") << Make<TListFields>([&](auto& f) {
            f.Items = ab;
            f.Numbered = true;
            f.Start = 3;
        }) << u"<ol start=\"3\">\n<li>A</li>\n<li>B</li>\n</ol>"_s;
        QTest::newRow("numbered from 0") << Make<TListFields>([&](auto& f) {
            f.Items = ab;
            f.Numbered = true;
            f.Start = 0;
        }) << u"<ol><li>A</li>\n<li>B</li>\n</ol>"_s;
        QTest::newRow("bulleted ignores the start") << Make<TListFields>([&](auto& f) {
            f.Items = {u"A"_s};
            f.Start = 5;
        }) << u"<ul><li>A</li>\n</ul>"_s;
        QTest::newRow("name and class") << Make<TListFields>([&](auto& f) {
            f.Items = {u"A"_s};
            f.Name = u"menu"_s;
            f.Class = u"nav"_s;
            f.Numbered = true;
            f.Start = 2;
        }) << u"<ol name=\"menu\" class=\"nav\" start=\"2\">\n<li>A</li>\n</ol>"_s;
        QTest::newRow("blank name") << Make<TListFields>([&](auto& f) {
            f.Items = {u"A"_s};
            f.Name = u"  "_s;
        }) << u"<ul><li>A</li>\n</ul>"_s;
    }
    void list() {
        QFETCH(TListFields, fields);
        QFETCH(QString, text);
        const auto ins = ListInsertion(fields);
        QCOMPARE(TextOf(ins), text);
        if (ins) {
            QCOMPARE(ins->K, 0);
            QVERIFY(ins->LineBreak);
        }
    }

    void form_data() {
        QTest::addColumn<TFormFields>("fields");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        const QString enc = u" enctype=\"application/x-www-form-urlencoded\""_s;
        QTest::newRow("presets") << TFormFields{} << QString()
                                 << u"<form"_s + enc + u">\n\n\n</form>"_s << 9;
        QTest::newRow("action and post") << Make<TFormFields>([](auto& f) {
            f.Action = u"A"_s;
            f.Method = TFormMethod::Post;
        }) << QString() << u"<form action=\"A\" method=\"Post\""_s + enc + u">\n\n\n</form>"_s
                                         << 9;
        QTest::newRow("get") << Make<TFormFields>([](auto& f) {
            f.Action = u"/cgi"_s;
            f.Method = TFormMethod::Get;
        }) << QString() << u"<form action=\"/cgi\" method=\"Get\""_s + enc + u">\n\n\n</form>"_s
                             << 9;
        QTest::newRow("method without action") << Make<TFormFields>([](auto& f) {
            f.Action = u"  "_s;
            f.Method = TFormMethod::Post;
        }) << QString() << u"<form"_s + enc + u">\n\n\n</form>"_s
                                               << 9;
        QTest::newRow("\"Нет\" writes no method") << Make<TFormFields>([](auto& f) {
            f.Action = u"A"_s;
            f.Method = TFormMethod::None;
        }) << QString() << u"<form action=\"A\""_s + enc + u">\n\n\n</form>"_s
                                                  << 9;
        QTest::newRow("around the selection") << TFormFields{} << u"<input />"_s
                                              << u"<form"_s + enc + u">\n<input />\n</form>"_s << 0;
        QTest::newRow("every attribute in order")
            << Make<TFormFields>([](auto& f) {
                   f.Name = u"f1"_s;
                   f.Action = u"a.php"_s;
                   f.Method = TFormMethod::Get;
                   f.Enctype = u"text/plain"_s;
                   f.Class = u"c"_s;
                   f.Target = u"_blank"_s;
               })
            << QString()
            << u"<form name=\"f1\" action=\"a.php\" method=\"Get\" enctype=\"text/plain\" "
               u"class=\"c\" target=\"_blank\">\n\n\n</form>"_s
            << 9;
        QTest::newRow("no encoding") << Make<TFormFields>([](auto& f) { f.Enctype.clear(); })
                                     << QString() << u"<form>\n\n\n</form>"_s << 9;
    }
    void form() {
        QFETCH(TFormFields, fields);
        QFETCH(QString, selection);
        QFETCH(QString, text);
        QFETCH(int, k);
        const TInsertion ins = FormInsertion(fields, selection);
        QCOMPARE(ins.Text, text);
        QCOMPARE(ins.K, k);
        QVERIFY(ins.LineBreak);
    }

    void select_data() {
        QTest::addColumn<TSelectFields>("fields");
        QTest::addColumn<QString>("text");
        const QList<TSelectOption> two{{u"T1"_s, u"V1"_s}, {u"T2"_s, u"V2"_s}};
        QTest::newRow("no options") << TSelectFields{} << None;
        QTest::newRow("default 1") << Make<TSelectFields>([&](auto& f) { f.Options = two; })
                                   << u"<select>\n<option value=\"V1\" selected=\"selected\">T1"
                                      u"</option>\n<option value=\"V2\">T2</option>\n</select>"_s;
        QTest::newRow("default 2")
            << Make<TSelectFields>([&](auto& f) {
                   f.Options = two;
                   f.Default = 2;
               })
            << u"<select>\n<option value=\"V1\">T1</option>\n<option value=\"V2\" "
               u"selected=\"selected\">T2</option>\n</select>"_s;
        QTest::newRow("default beyond the count")
            << Make<TSelectFields>([&](auto& f) {
                   f.Options = two;
                   f.Default = 3;
               })
            << u"<select>\n<option value=\"V1\">T1</option>\n<option value=\"V2\">T2</option>\n"
               u"</select>"_s;
        QTest::newRow("default 0")
            << Make<TSelectFields>([&](auto& f) {
                   f.Options = two;
                   f.Default = 0;
               })
            << u"<select>\n<option value=\"V1\">T1</option>\n<option value=\"V2\">T2</option>\n"
               u"</select>"_s;
        QTest::newRow("name, class, multiple, empty value")
            << Make<TSelectFields>([](auto& f) {
                   f.Options = {{u"Все"_s, QString()}};
                   f.Name = u"s"_s;
                   f.Class = u"wide"_s;
                   f.Multiple = true;
                   f.Default = 5;
               })
            << u"<select name=\"s\" class=\"wide\" multiple=\"multiple\">\n<option value=\"\">Все"
               u"</option>\n</select>"_s;
    }
    void select() {
        QFETCH(TSelectFields, fields);
        QFETCH(QString, text);
        const auto ins = SelectInsertion(fields);
        QCOMPARE(TextOf(ins), text);
        if (ins) {
            QCOMPARE(ins->K, 0);
            QVERIFY(ins->LineBreak);
        }
    }

    void defaultNumberLimits_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("limited");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::newRow("empty: unlimited") << 0 << false << 0 << 0;
        QTest::newRow("one") << 1 << true << 1 << 1;
        QTest::newRow("five") << 5 << true << 1 << 5;
    }
    void defaultNumberLimits() {
        QFETCH(int, count);
        QFETCH(bool, limited);
        QFETCH(int, min);
        QFETCH(int, max);
        const TSpinLimits limits = DefaultNumberLimits(count);
        QCOMPARE(limits.Limited, limited);
        if (limited) {
            QCOMPARE(limits.Min, min);
            QCOMPARE(limits.Max, max);
        }
    }

    void moveItem_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("middle up") << 1 << -1 << true << QStringList{u"b"_s, u"a"_s, u"c"_s};
        QTest::newRow("middle down") << 1 << 1 << true << QStringList{u"a"_s, u"c"_s, u"b"_s};
        QTest::newRow("first up") << 0 << -1 << false << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("last down") << 2 << 1 << false << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("none selected") << -1 << 1 << false << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("past the end") << 3 << -1 << false << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("two places") << 0 << 2 << false << QStringList{u"a"_s, u"b"_s, u"c"_s};
    }
    void moveItem() {
        QFETCH(int, index);
        QFETCH(int, step);
        QFETCH(bool, moved);
        QFETCH(QStringList, after);
        QStringList list{u"a"_s, u"b"_s, u"c"_s};
        QCOMPARE(MoveItem(list, index, step), moved);
        QCOMPARE(list, after);
    }

    // Options move with their values.
    void moveOption() {
        QList<TSelectOption> options{{u"T1"_s, u"V1"_s}, {u"T2"_s, u"V2"_s}};
        QVERIFY(MoveItem(options, 1, -1));
        QCOMPARE(options, (QList<TSelectOption>{{u"T2"_s, u"V2"_s}, {u"T1"_s, u"V1"_s}}));
    }

    void fontSizes() {
        const QStringList sizes = FontSizeEntries();
        QCOMPARE(sizes.size(), 19);
        QCOMPARE(sizes.first(), u"1"_s);
        QCOMPARE(sizes.at(6), u"7"_s);
        QCOMPARE(sizes.at(7), u"+1"_s);
        QCOMPARE(sizes.at(12), u"+6"_s);
        QCOMPARE(sizes.at(13), u"-1"_s);
        QCOMPARE(sizes.last(), u"-6"_s);
    }

    void font_data() {
        QTest::addColumn<TFontFields>("fields");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        QTest::newRow("nothing chosen") << TFontFields{} << QString() << None << 0;
        QTest::newRow("nothing chosen, selection") << TFontFields{} << u"S"_s << None << 0;
        QTest::newRow("face ticked, no font")
            << Make<TFontFields>([](auto& f) { f.FaceOn = true; }) << QString() << None << 0;
        QTest::newRow("face ticked, no font, selection")
            << Make<TFontFields>([](auto& f) { f.FaceOn = true; }) << u"S"_s << None << 0;
        QTest::newRow("face ticked, no font, bold") << Make<TFontFields>([](auto& f) {
            f.FaceOn = true;
            f.Bold = true;
        }) << QString() << u"<b></b>"_s << 4;
        QTest::newRow("font chosen, face unticked")
            << Make<TFontFields>([](auto& f) { f.Face = u"Arial"_s; }) << QString() << None << 0;
        QTest::newRow("class only") << Make<TFontFields>([](auto& f) { f.Class = u"C"_s; })
                                    << QString() << u"<font class=\"C\"></font>"_s << 7;
        QTest::newRow("small alone") << Make<TFontFields>([](auto& f) { f.Small = true; })
                                     << QString() << u"<small></small>"_s << 8;
        QTest::newRow("italics and bold") << Make<TFontFields>([](auto& f) {
            f.Italics = true;
            f.Bold = true;
        }) << QString() << u"<i><b></b></i>"_s
                                          << 8;
        QTest::newRow("red and bold around a selection") << Make<TFontFields>([](auto& f) {
            f.ColorOn = true;
            f.Color = Red;
            f.Bold = true;
        }) << u"S"_s << u"<b><font color=#ff0000>S</font></b>"_s
                                                         << 0;
        QTest::newRow("colour unticked") << Make<TFontFields>([](auto& f) {
            f.Color = Red;
            f.Underline = true;
        }) << u"S"_s << u"<u>S</u>"_s << 0;
        QTest::newRow("attributes in order, face lower case")
            << Make<TFontFields>([](auto& f) {
                   f.FaceOn = true;
                   f.Face = u"Times New Roman"_s;
                   f.SizeOn = true;
                   f.Size = u"+2"_s;
                   f.ColorOn = true;
                   f.Class = u"note"_s;
               })
            << QString()
            << u"<font face=\"times new roman\" size=\"+2\" color=#000000 class=\"note\"></font>"_s
            << 7;
        QTest::newRow("sup beats sub") << Make<TFontFields>([](auto& f) {
            f.Sup = true;
            f.Sub = true;
        }) << QString() << u"<sup></sup>"_s
                                       << 6;
        QTest::newRow("blockquote beats q") << Make<TFontFields>([](auto& f) {
            f.Blockquote = true;
            f.Quote = true;
        }) << u"S"_s << u"<blockquote>S</blockquote>"_s
                                            << 0;
        QTest::newRow("big beats small") << Make<TFontFields>([](auto& f) {
            f.Big = true;
            f.Small = true;
        }) << QString() << u"<big></big>"_s
                                         << 6;
        QTest::newRow("every wrapper in order")
            << Make<TFontFields>([](auto& f) {
                   f.SizeOn = true;
                   f.Bold = f.Underline = f.Italics = f.Strikeout = f.Quote = f.Emphasis = f.Small =
                       f.Sub = f.Blink = true;
               })
            << QString()
            << u"<blink><sub><small><em><q><s><i><u><b><font size=\"1\"></font></b></u></i></s>"
               u"</q></em></small></sub></blink>"_s
            << 7 + 4 + 4 + 4 + 4 + 4 + 5 + 8 + 6 + 8;
    }
    void font() {
        QFETCH(TFontFields, fields);
        QFETCH(QString, selection);
        QFETCH(QString, text);
        QFETCH(int, k);
        const auto ins = FontInsertion(fields, selection);
        QCOMPARE(TextOf(ins), text);
        if (ins) {
            QCOMPARE(ins->K, k);
            QVERIFY(ins->LineBreak);
        }
    }

    void flashCheck_data() {
        QTest::addColumn<TFlashFields>("fields");
        QTest::addColumn<QString>("message");
        const auto full = [](TFlashFields& f) {
            f.Movie = u"m.swf"_s;
            f.Width = u"100"_s;
            f.Height = u"50%"_s;
        };
        QTest::newRow("nothing") << TFlashFields{} << u"Не указан ролик Macromedia Flash"_s;
        QTest::newRow("blank movie") << Make<TFlashFields>([&](auto& f) {
            full(f);
            f.Movie = u"  "_s;
        }) << u"Не указан ролик Macromedia Flash"_s;
        QTest::newRow("no width") << Make<TFlashFields>([&](auto& f) {
            full(f);
            f.Width = u" "_s;
        }) << u"Не указана ширина окна ролика"_s;
        QTest::newRow("no width, no height") << Make<TFlashFields>([&](auto& f) {
            full(f);
            f.Width.clear();
            f.Height.clear();
        }) << u"Не указана ширина окна ролика"_s;
        QTest::newRow("no height") << Make<TFlashFields>([&](auto& f) {
            full(f);
            f.Height.clear();
        }) << u"Не указана высота окна ролика"_s;
        QTest::newRow("complete") << Make<TFlashFields>(full) << QString();
    }
    void flashCheck() {
        QFETCH(TFlashFields, fields);
        QFETCH(QString, message);
        QCOMPARE(FlashCheck(fields), message);
    }

    void flash_data() {
        QTest::addColumn<TFlashQuality>("quality");
        QTest::addColumn<QString>("word");
        QTest::newRow("high") << TFlashQuality::High << u"high"_s;
        QTest::newRow("medium") << TFlashQuality::Medium << u"medium"_s;
        QTest::newRow("low") << TFlashQuality::Low << u"low"_s;
    }
    void flash() {
        QFETCH(TFlashQuality, quality);
        QFETCH(QString, word);
        TFlashFields f;
        f.Movie = u"movies/intro.swf"_s;
        f.Width = u"100%"_s;
        f.Height = u"240"_s;
        f.Quality = quality;
        f.Background = 0x336699;
        const TInsertion ins = FlashInsertion(f);
        const QStringList expected{
            u"<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\""_s,
            u"codebase=\"http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab"
            u"#version=5,0,0,0\""_s,
            u"width=\"100%\" height=\"240\">"_s,
            u"<param name=\"movie\" value=\"movies/intro.swf\">"_s,
            u"<param name=\"quality\" value=\""_s + word + u"\">"_s,
            u"<param name=\"bgcolor\" value=\"#996633\">"_s,
            u"<embed src=\"movies/intro.swf\" quality=\""_s + word +
                u"\" bgcolor=\"#996633\" width=\"100%\" height=\"240\" "
                u"type=\"application/x-shockwave-flash\" pluginspage=\"http://www.macromedia.com/"
                u"shockwave/download/index.cgi?P1_Prod_Version=ShockwaveFlash\" />"_s,
            u"</OBJECT>"_s,
        };
        QCOMPARE(ins.Text.split(u'\n'), expected);
        QCOMPARE(ins.K, 0);
        QVERIFY(ins.LineBreak);
    }

    void param_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("presets") << u"param1"_s << u"_emptyparam"_s
                                 << u"<param name=\"param1\" value=\"_emptyparam\" />"_s;
        QTest::newRow("empty value")
            << u"autoplay"_s << QString() << u"<param name=\"autoplay\" value=\"\" />"_s;
    }
    void param() {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, text);
        const TInsertion ins = ParamInsertion(name, value);
        QCOMPARE(ins.Text, text);
        QCOMPARE(ins.K, 0);
        QVERIFY(ins.LineBreak);
    }
};

QTEST_GUILESS_MAIN(TestBlockLogic)
#include "tst_blocklogic.moc"
