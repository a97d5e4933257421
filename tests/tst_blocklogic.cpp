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

// Checks an insertion against the row's "text" (None: nothing is written); one that is written
// ends the line, with the caret k characters before its end.
void Check(const std::optional<TInsertion>& ins, int k) {
    QFETCH(QString, text);
    QCOMPARE(TextOf(ins), text);
    if (ins) {
        QCOMPARE(ins->K, k);
        QVERIFY(ins->LineBreak);
    }
}

template <class T, class F> T Make(F&& fill) {
    T f;
    fill(f);
    return f;
}

// A table with its three preset numbers cleared, then filled.
template <class F> TTableFields Bare(F&& fill) {
    return Make<TTableFields>([&](TTableFields& f) {
        f.Border.clear();
        f.CellPadding.clear();
        f.CellSpacing.clear();
        fill(f);
    });
}

TListFields List(const QStringList& items, bool numbered = false, int start = 1) {
    return {items, {}, {}, numbered, start};
}

TFormFields Form(const QString& action, TFormMethod method = TFormMethod::None) {
    TFormFields f;
    f.Action = action;
    f.Method = method;
    return f;
}

TFlashFields Flash(const QString& movie, const QString& width = {}, const QString& height = {}) {
    return {.Movie = movie, .Width = width, .Height = height};
}

const QList<TSelectOption> TwoOptions{{u"T1"_s, u"V1"_s}, {u"T2"_s, u"V2"_s}};
TSelectFields Two(int defaultNumber) {
    TSelectFields f;
    f.Options = TwoOptions;
    f.Default = defaultNumber;
    return f;
}
} // namespace

class TestBlockLogic : public QObject {
    Q_OBJECT

private slots:
    void table_data() {
        QTest::addColumn<TTableFields>("fields");
        QTest::addColumn<QString>("text");
        const QString presets = u" border=\"0\" cellspacing=\"0\" cellpadding=\"0\""_s;
        QTest::newRow("presets only")
            << TTableFields{} << u"<table"_s + presets + u">\n\n\n</table>"_s;
        QTest::newRow("blanks only are left out") << Bare([](auto& f) {
            f.CellSpacing = f.Rows = f.Background = u"  "_s, f.Name = u"\t"_s;
        }) << u"<table>\n\n\n</table>"_s;
        QTest::newRow("caption") << Bare([](auto& f) { f.Caption = u"Цены"_s; })
                                 << u"<table>\n<caption>Цены</caption>\n\n\n</table>"_s;
        // The caption is tested untrimmed: blanks make a caption.
        QTest::newRow("caption of blanks") << Bare([](auto& f) { f.Caption = u" "_s; })
                                           << u"<table>\n<caption> </caption>\n\n\n</table>"_s;
        QTest::newRow("every attribute in order")
            << Make<TTableFields>([](auto& f) {
                   f.Rows = u"1"_s, f.Cols = u"2"_s, f.Border = u"3"_s, f.CellSpacing = u"4"_s;
                   f.CellPadding = u"5"_s, f.Width = u"60%"_s, f.Name = u"t1"_s;
                   f.Class = u"grid"_s, f.Back = true, f.BackColor = Red;
                   f.Align = THorzAlign::Right, f.Hspace = u"6"_s, f.Vspace = u"7"_s;
                   f.Background = u" ../img/b.gif"_s;
               })
            << u"<table cols=\"2\" rows=\"1\" border=\"3\" cellspacing=\"4\" cellpadding=\"5\" "
               u"width=\"60%\" name=\"t1\" class=\"grid\" bgcolor=#ff0000 align=\"right\" "
               u"hspace=\"6\" vspace=\"7\" background=\" ../img/b.gif\">\n\n\n</table>"_s;
        QTest::newRow("centred, colour unticked")
            << Bare([](auto& f) { f.BackColor = Red, f.Align = THorzAlign::Center; })
            << u"<table align=\"center\">\n\n\n</table>"_s;
        QTest::newRow("white background")
            << Bare([](auto& f) { f.Back = true; }) << u"<table bgcolor=#ffffff>\n\n\n</table>"_s;
    }
    void table() {
        QFETCH(TTableFields, fields);
        Check(TableInsertion(fields), 10); // at the start of the first of the two empty lines
    }

    void cell_data() {
        QTest::addColumn<TCellFields>("fields");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        QTest::newRow("empty td") << TCellFields{} << QString() << u"<td></td>"_s << 5;
        QTest::newRow("every attribute in order")
            << Make<TCellFields>([](auto& f) {
                   f.Header = f.Back = true, f.Name = u"c1"_s, f.Class = u"head"_s;
                   f.BackColor = 0x336699, f.Width = u"40"_s, f.ColSpan = u"2"_s;
                   f.RowSpan = u"3"_s, f.Valign = TVertAlign::Top, f.Align = THorzAlign::Center;
               })
            << QString()
            << u"<th name=\"c1\" class=\"head\" width=\"40\" bgcolor=#996633 colspan=\"2\" "
               u"rowspan=\"3\" valign=\"top\" align=\"center\"></th>"_s
            << 5;
        QTest::newRow("bottom, right") << Make<TCellFields>([](auto& f) {
            f.Valign = TVertAlign::Bottom, f.Align = THorzAlign::Right;
        }) << u"S"_s << u"<td valign=\"bottom\" align=\"right\">\nS\n</td>"_s
                                       << 0;
        QTest::newRow("blank fields left out") << Make<TCellFields>([](auto& f) {
            f.Name = u" "_s, f.Width = u"  "_s, f.BackColor = Red;
        }) << QString() << u"<td></td>"_s << 5;
    }
    void cell() {
        QFETCH(TCellFields, fields);
        QFETCH(QString, selection);
        QFETCH(int, k);
        Check(CellInsertion(fields, selection), k);
    }

    void list_data() {
        QTest::addColumn<TListFields>("fields");
        QTest::addColumn<QString>("text");
        const QStringList ab{u"A"_s, u"B"_s}, a{u"A"_s};
        QTest::newRow("no items") << TListFields{} << None;
        QTest::newRow("bulleted") << List(ab) << u"<ul><li>A</li>\n<li>B</li>\n</ul>"_s;
        QTest::newRow("numbered from 1")
            << List(ab, true) << u"<ol><li>A</li>\n<li>B</li>\n</ol>"_s;
        QTest::newRow("numbered from 3")
            << List(ab, true, 3) << u"<ol start=\"3\">\n<li>A</li>\n<li>B</li>\n</ol>"_s;
        QTest::newRow("numbered from 0")
            << List(ab, true, 0) << u"<ol><li>A</li>\n<li>B</li>\n</ol>"_s;
        QTest::newRow("bulleted ignores the start")
            << List(a, false, 5) << u"<ul><li>A</li>\n</ul>"_s;
        QTest::newRow("name and class")
            << TListFields{a, u"menu"_s, u"nav"_s, true, 2}
            << u"<ol name=\"menu\" class=\"nav\" start=\"2\">\n<li>A</li>\n</ol>"_s;
        QTest::newRow("blank name")
            << TListFields{a, u"  "_s, {}, false, 1} << u"<ul><li>A</li>\n</ul>"_s;
    }
    void list() {
        QFETCH(TListFields, fields);
        Check(ListInsertion(fields), 0);
    }

    void form_data() {
        QTest::addColumn<TFormFields>("fields");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        const QString enc = u" enctype=\"application/x-www-form-urlencoded\">"_s;
        const QString empty = u"\n\n\n</form>"_s;
        QTest::newRow("presets") << TFormFields{} << QString() << u"<form"_s + enc + empty << 9;
        QTest::newRow("action and post")
            << Form(u"A"_s, TFormMethod::Post) << QString()
            << u"<form action=\"A\" method=\"Post\""_s + enc + empty << 9;
        QTest::newRow("method without action")
            << Form(u"  "_s, TFormMethod::Post) << QString() << u"<form"_s + enc + empty << 9;
        QTest::newRow("\"Нет\" writes no method")
            << Form(u"A"_s) << QString() << u"<form action=\"A\""_s + enc + empty << 9;
        QTest::newRow("around the selection")
            << TFormFields{} << u"<input />"_s << u"<form"_s + enc + u"\n<input />\n</form>"_s << 0;
        QTest::newRow("every attribute in order")
            << TFormFields{u"f1"_s,         u"a.php"_s, TFormMethod::Get,
                           u"text/plain"_s, u"c"_s,     u"_blank"_s}
            << QString()
            << u"<form name=\"f1\" action=\"a.php\" method=\"Get\" enctype=\"text/plain\" "
               u"class=\"c\" target=\"_blank\">"_s +
                   empty
            << 9;
        QTest::newRow("no encoding") << Make<TFormFields>([&](auto& f) { f.Enctype.clear(); })
                                     << QString() << u"<form>"_s + empty << 9;
    }
    void form() {
        QFETCH(TFormFields, fields);
        QFETCH(QString, selection);
        QFETCH(int, k);
        Check(FormInsertion(fields, selection), k);
    }

    void select_data() {
        QTest::addColumn<TSelectFields>("fields");
        QTest::addColumn<QString>("text");
        const QString plain = u"<select>\n<option value=\"V1\">T1</option>\n"
                              u"<option value=\"V2\">T2</option>\n</select>"_s;
        QTest::newRow("no options") << TSelectFields{} << None;
        QTest::newRow("default 1") << Two(1)
                                   << u"<select>\n<option value=\"V1\" selected=\"selected\">T1"
                                      u"</option>\n<option value=\"V2\">T2</option>\n</select>"_s;
        QTest::newRow("default 2")
            << Two(2)
            << u"<select>\n<option value=\"V1\">T1</option>\n<option "
               u"value=\"V2\" selected=\"selected\">T2</option>\n</select>"_s;
        QTest::newRow("default beyond the count") << Two(3) << plain;
        QTest::newRow("default 0") << Two(0) << plain;
        QTest::newRow("name, class, multiple, empty value")
            << TSelectFields{{{u"Все"_s, QString()}}, 5, true, u"s"_s, u"wide"_s}
            << u"<select name=\"s\" class=\"wide\" multiple=\"multiple\">\n<option value=\"\">Все"
               u"</option>\n</select>"_s;
    }
    void select() {
        QFETCH(TSelectFields, fields);
        Check(SelectInsertion(fields), 0);
    }

    void defaultNumberLimits() {
        QCOMPARE(DefaultNumberLimits(0).Limited, false);
        QCOMPARE(DefaultNumberLimits(1), (TSpinLimits{true, 1, 1}));
        QCOMPARE(DefaultNumberLimits(5), (TSpinLimits{true, 1, 5}));
    }

    void moveItem_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("after"); // empty: refused, the list unchanged
        QTest::newRow("middle up") << 1 << -1 << u"bac"_s;
        QTest::newRow("middle down") << 1 << 1 << u"acb"_s;
        QTest::newRow("first up") << 0 << -1 << QString();
        QTest::newRow("last down") << 2 << 1 << QString();
        QTest::newRow("none selected") << -1 << 1 << QString();
        QTest::newRow("past the end") << 3 << -1 << QString();
        QTest::newRow("two places") << 0 << 2 << QString();
    }
    void moveItem() {
        QFETCH(int, index);
        QFETCH(int, step);
        QFETCH(QString, after);
        QStringList list{u"a"_s, u"b"_s, u"c"_s};
        QCOMPARE(MoveItem(list, index, step), !after.isEmpty());
        QCOMPARE(list.join(QString()), after.isEmpty() ? u"abc"_s : after);
        // Options move with their values.
        QList<TSelectOption> options{{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}};
        MoveItem(options, index, step);
        for (const TSelectOption& o : options)
            QCOMPARE(o.Value, QString::number(o.Text.front().unicode() - u'a' + 1));
    }

    void font_data() {
        QTest::addColumn<TFontFields>("fields");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        const TFontFields faceOn = Make<TFontFields>([](auto& f) { f.FaceOn = true; });
        QTest::newRow("nothing chosen") << TFontFields{} << QString() << None << 0;
        QTest::newRow("nothing chosen, selection") << TFontFields{} << u"S"_s << None << 0;
        QTest::newRow("face ticked, no font") << faceOn << QString() << None << 0;
        QTest::newRow("face ticked, no font, bold")
            << Make<TFontFields>([](auto& f) { f.FaceOn = f.Bold = true; }) << QString()
            << u"<b></b>"_s << 4;
        QTest::newRow("font chosen, face unticked")
            << Make<TFontFields>([&](auto& f) { f.Face = u"Arial"_s; }) << QString() << None << 0;
        QTest::newRow("class only") << Make<TFontFields>([](auto& f) { f.Class = u"C"_s; })
                                    << QString() << u"<font class=\"C\"></font>"_s << 7;
        QTest::newRow("red and bold around a selection")
            << Make<TFontFields>([](auto& f) { f.ColorOn = f.Bold = true, f.Color = Red; })
            << u"S"_s << u"<b><font color=#ff0000>S</font></b>"_s << 0;
        QTest::newRow("colour unticked")
            << Make<TFontFields>([](auto& f) { f.Color = Red, f.Underline = true; }) << u"S"_s
            << u"<u>S</u>"_s << 0;
        QTest::newRow("attributes in order, face lower case")
            << Make<TFontFields>([&](auto& f) {
                   f.FaceOn = true, f.Face = u"Times New Roman"_s, f.SizeOn = true,
                   f.Size = u"+2"_s, f.ColorOn = true, f.Class = u"note"_s;
               })
            << QString()
            << u"<font face=\"times new roman\" size=\"+2\" color=#000000 class=\"note\"></font>"_s
            << 7;
        QTest::newRow("sup beats sub") << Make<TFontFields>([](auto& f) { f.Sup = f.Sub = true; })
                                       << QString() << u"<sup></sup>"_s << 6;
        QTest::newRow("blockquote beats q")
            << Make<TFontFields>([](auto& f) { f.Blockquote = f.Quote = true; }) << u"S"_s
            << u"<blockquote>S</blockquote>"_s << 0;
        QTest::newRow("big beats small")
            << Make<TFontFields>([](auto& f) { f.Big = f.Small = true; }) << QString()
            << u"<big></big>"_s << 6;
        QTest::newRow("every wrapper in order")
            << Make<TFontFields>([](auto& f) {
                   f.SizeOn = f.Bold = f.Underline = f.Italics = f.Strikeout = f.Quote =
                       f.Emphasis = f.Small = f.Sub = f.Blink = true;
               })
            << QString()
            << u"<blink><sub><small><em><q><s><i><u><b><font size=\"1\"></font></b></u></i></s>"
               u"</q></em></small></sub></blink>"_s
            << 7 + 4 + 4 + 4 + 4 + 4 + 5 + 8 + 6 + 8;
    }
    void font() {
        QFETCH(TFontFields, fields);
        QFETCH(QString, selection);
        QFETCH(int, k);
        Check(FontInsertion(fields, selection), k);
    }

    void flashCheck_data() {
        QTest::addColumn<TFlashFields>("fields");
        QTest::addColumn<QString>("message");
        const QString noMovie = u"Не указан ролик Macromedia Flash"_s;
        const QString noWidth = u"Не указана ширина окна ролика"_s;
        QTest::newRow("nothing") << TFlashFields{} << noMovie;
        QTest::newRow("blank movie") << Flash(u"  "_s, u"100"_s, u"50%"_s) << noMovie;
        QTest::newRow("no width") << Flash(u"m.swf"_s, u" "_s, u"50%"_s) << noWidth;
        QTest::newRow("no width, no height") << Flash(u"m.swf"_s) << noWidth;
        QTest::newRow("no height")
            << Flash(u"m.swf"_s, u"100"_s) << u"Не указана высота окна ролика"_s;
        QTest::newRow("complete") << Flash(u"m.swf"_s, u"100"_s, u"50%"_s) << QString();
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
        const TInsertion ins =
            FlashInsertion({u"movies/intro.swf"_s, u"100%"_s, u"240"_s, quality, 0x336699});
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

    void param() {
        // The preset pair is pinned through the dialog; an empty value is still written.
        const TInsertion ins = ParamInsertion(u"autoplay"_s, QString());
        QCOMPARE(ins.Text, u"<param name=\"autoplay\" value=\"\" />"_s);
        QCOMPARE(ins.K, 0);
        QVERIFY(ins.LineBreak);
    }
};

QTEST_GUILESS_MAIN(TestBlockLogic)
#include "tst_blocklogic.moc"
