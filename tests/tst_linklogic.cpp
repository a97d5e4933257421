// The markup of links, images, maps, areas, framesets and frames, the attribute rules they share
// and the page-relative path in the Linux form and the backslash-and-drive form.
#include "markup/linklogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TImageAlign)
Q_DECLARE_METATYPE(TAreaShape)
Q_DECLARE_METATYPE(TScrolling)
Q_DECLARE_METATYPE(TAnchorFields)
Q_DECLARE_METATYPE(TImageFields)
Q_DECLARE_METATYPE(TAreaFields)
Q_DECLARE_METATYPE(TFrameFields)

namespace {
// The inserted text with "|" where the caret ends and "¶" when a line break follows it.
QString Shown(const TInsertion& ins) {
    QString s = ins.Text;
    s.insert(ins.Text.size() - ins.K, u'|');
    return ins.LineBreak ? s + u'¶' : s;
}

// The result of a composer: the shown markup, or "!" and the message when refused.
QString Outcome(const TElementMarkup& m) {
    if (m.Refused()) {
        if (!m.Insertion.Text.isEmpty())
            return u"refused with text "_s + m.Insertion.Text;
        return u'!' + m.Message;
    }
    return Shown(m.Insertion);
}

const QString Page = u"/site/news/index.html"_s;
const QString Picture = u"/site/img/F.gif"_s;
const QString Relative = u"../img/F.gif"_s;

template <class T, class F> T With(T fields, F&& fill) {
    fill(fields);
    return fields;
}
TAnchorFields Anchor(const QString& href, const QString& target = {}, const QString& name = {},
                     const QString& cls = {}, const QString& selection = {},
                     const QString& chosen = {}) {
    return {{href, chosen, Page}, target, name, cls, selection};
}
TImageFields Image(const QString& src, const QString& chosen = {}) {
    TImageFields f;
    f.Src = {src, chosen, Page};
    return f;
}
TAreaFields Area(const QString& href, TAreaShape shape, const QString& coords,
                 const QString& chosen = {}) {
    return {{href, chosen, Page}, shape, coords, {}, {}, {}, {}};
}
TFrameFields Frame(const QString& src, const QString& name = u"Frame1"_s,
                   const QString& chosen = {}) {
    return {{src, chosen, Page}, name, TScrolling::Auto, true, true, {}, {}, false};
}
} // namespace

class TestLinkLogic : public QObject {
    Q_OBJECT

private slots:
    void attributes_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("filled");
        QTest::addColumn<QString>("always");
        QTest::newRow("blanks kept") << u" v "_s << u" n=\" v \""_s << u" n=\" v \""_s;
        QTest::newRow("blanks only") << u" \t "_s << QString() << u" n=\" \t \""_s;
        QTest::newRow("empty") << QString() << QString() << u" n=\"\""_s;
        QTest::newRow("not escaped") << u"a\"<&"_s << u" n=\"a\"<&\""_s << u" n=\"a\"<&\""_s;
    }
    void attributes() {
        QFETCH(QString, value);
        QFETCH(QString, filled);
        QFETCH(QString, always);
        QString a = u"<x"_s, b = u"<x"_s;
        AppendFilled(a, u"n"_s, value);
        AppendAttribute(b, u"n"_s, value);
        QCOMPARE(a, u"<x"_s + filled);
        QCOMPARE(b, u"<x"_s + always);
        QString c;
        AppendClass(c, value.trimmed().isEmpty() ? QString() : value);
        QCOMPARE(c, filled.replace(u" n="_s, u" class="_s));
    }

    void relativePath_data() {
        QTest::addColumn<bool>("drives");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("relative");
        // Linux: "/" separators, no drives, folder names compared with their case.
        QTest::newRow("sibling folder") << false << Picture << Page << u"../img/F.gif"_s;
        QTest::newRow("same folder") << false << u"/site/news/a.html"_s << Page << u"a.html"_s;
        QTest::newRow("two up") << false << u"/site/F.gif"_s << u"/site/a/b/p.html"_s
                                << u"../../F.gif"_s;
        QTest::newRow("from the root") << false << u"/x/F.gif"_s << u"/p.html"_s << u"x/F.gif"_s;
        QTest::newRow("to the root") << false << u"/F.gif"_s << u"/x/p.html"_s << u"../F.gif"_s;
        QTest::newRow("folder case counts")
            << false << u"/site/News/F.gif"_s << Page << u"../News/F.gif"_s;
        QTest::newRow("common prefix is not a common folder")
            << false << u"/site/newsletter/F.gif"_s << Page << u"../newsletter/F.gif"_s;
        QTest::newRow("cyrillic") << false << u"/сайт/фото/Ёлка.jpg"_s
                                  << u"/сайт/новости/стр.html"_s << u"../фото/Ёлка.jpg"_s;
        QTest::newRow("backslash belongs to the name")
            << false << u"/site/news/a\\b.gif"_s << Page << u"a\\b.gif"_s;
        QTest::newRow("page never saved") << false << Picture << QString() << Picture;
        QTest::newRow("page without file name") << false << Picture << u"/site/news/"_s << Picture;
        // The backslash-and-drive form.
        QTest::newRow("drive: sibling folder")
            << true << u"C:\\site\\img\\F.gif"_s << u"C:\\site\\news\\index.html"_s
            << u"../img/F.gif"_s;
        QTest::newRow("drive: case ignored")
            << true << u"C:\\Site\\IMG\\F.gif"_s << u"c:\\site\\p.html"_s << u"IMG/F.gif"_s;
        QTest::newRow("drive: same folder")
            << true << u"C:\\a\\F.gif"_s << u"C:\\a\\p.html"_s << u"F.gif"_s;
        QTest::newRow("drive: other drive")
            << true << u"D:\\pics\\sub\\F.gif"_s << u"C:\\site\\p.html"_s << u"D:/pics/sub/F.gif"_s;
        QTest::newRow("drive: page never saved")
            << true << u"C:\\a\\F.gif"_s << QString() << u"C:/a/F.gif"_s;
        QTest::newRow("drive: up and down")
            << true << u"C:\\w\\x\\y\\F.gif"_s << u"C:\\w\\a\\b\\p.html"_s << u"../../x/y/F.gif"_s;
    }
    void relativePath() {
        QFETCH(bool, drives);
        QFETCH(QString, chosen);
        QFETCH(QString, page);
        QFETCH(QString, relative);
        const TPathRules rules = drives ? DrivePathRules() : NativePathRules();
        QCOMPARE(PageRelativePath(chosen, page, rules), relative);
        // A source field takes the relative path only when a file was chosen.
        QCOMPARE(SourceText({u"typed"_s, chosen, page, rules}), relative);
        QCOMPARE(SourceText({u"typed"_s, QString(), page, rules}), u"typed"_s);
    }

    void anchor_data() {
        QTest::addColumn<TAnchorFields>("fields");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("source");
        const QString refused = u"!Не указан источник ссылки или имя закладки"_s;
        QTest::newRow("name only, caret between the tags")
            << Anchor({}, {}, u"N"_s) << u"<a name=\"N\">|</a>"_s << QString();
        QTest::newRow("every attribute in order")
            << Anchor(u"H"_s, u"G"_s, {}, u"c1"_s)
            << u"<a href=\"H\" target=\"G\" class=\"c1\">|</a>"_s << u"H"_s;
        QTest::newRow("name with class and target")
            << Anchor({}, u"_top"_s, u"N"_s, u"c"_s, u"x"_s)
            << u"<a target=\"_top\" name=\"N\" class=\"c\">x</a>|"_s << QString();
        QTest::newRow("blanks around the source kept")
            << Anchor(u" H "_s) << u"<a href=\" H \">|</a>"_s << u" H "_s;
        QTest::newRow("blank target left out")
            << Anchor(u"H"_s, u"  "_s) << u"<a href=\"H\">|</a>"_s << u"H"_s;
        QTest::newRow("both empty") << Anchor({}, u"G"_s) << refused << QString();
        QTest::newRow("blanks only count as empty")
            << Anchor(u"   "_s, {}, u" "_s) << refused << u"   "_s;
        QTest::newRow("both filled") << Anchor(u"H"_s, {}, u"N"_s) << refused << u"H"_s;
        QTest::newRow("chosen file made relative")
            << Anchor(u"F.gif"_s, {}, {}, {}, u"S"_s, Picture)
            << u"<a href=\"../img/F.gif\">S</a>|"_s << Relative;
        // The relative path is in the field even when the check refuses.
        QTest::newRow("chosen file and a name")
            << Anchor(u"F.gif"_s, {}, u"N"_s, {}, {}, Picture) << refused << Relative;
    }
    void anchor() {
        QFETCH(TAnchorFields, fields);
        QFETCH(QString, outcome);
        QFETCH(QString, source);
        const TElementMarkup m = AnchorMarkup(fields);
        QCOMPARE(Outcome(m), outcome);
        QCOMPARE(m.Source, source);
    }

    void image_data() {
        QTest::addColumn<TImageFields>("fields");
        QTest::addColumn<QString>("outcome");
        const QString plain = u"<img src=\"S\" alt=\"\" />|¶"_s;
        const QString refused = u"!Не указан источник образа"_s;
        QTest::newRow("source only") << Image(u"S"_s) << plain;
        QTest::newRow("every field in order")
            << With(Image(u"S"_s),
                    [](auto& f) {
                        f.Alt = u"Фото"_s, f.Width = u"10"_s, f.Height = u"20"_s;
                        f.Align = TImageAlign::Right, f.Hspace = u"3"_s, f.Vspace = u"4"_s;
                        f.Name = u"img1"_s, f.Class = u"c"_s, f.UseMap = u"map1"_s;
                    })
            << u"<img src=\"S\" width=\"10\" height=\"20\" hspace=\"3\" vspace=\"4\" alt=\"Фото\" "
               u"name=\"img1\" class=\"c\" usemap=\"#map1\" align=\"right\" />|¶"_s;
        QTest::newRow("centre") << With(Image(u"S"_s), [](auto& f) {
            f.Align = TImageAlign::Center;
        }) << u"<img src=\"S\" alt=\"\" align=\"center\" />|¶"_s;
        QTest::newRow("left writes nothing")
            << With(Image(u"S"_s), [](auto& f) { f.Align = TImageAlign::Left; }) << plain;
        QTest::newRow("blank source as typed")
            << Image(u"  "_s) << u"<img src=\"  \" alt=\"\" />|¶"_s;
        QTest::newRow("blank map name left out")
            << With(Image(u"S"_s), [](auto& f) { f.UseMap = u" "_s; }) << plain;
        QTest::newRow("chosen file made relative")
            << Image(u"F.gif"_s, Picture) << u"<img src=\"../img/F.gif\" alt=\"\" />|¶"_s;
        QTest::newRow("empty source") << Image({}) << refused;
        // The check comes before the relative path: a cleared field is refused.
        QTest::newRow("chosen file but field cleared") << Image({}, Picture) << refused;
    }
    void image() {
        QFETCH(TImageFields, fields);
        QFETCH(QString, outcome);
        QCOMPARE(Outcome(ImageMarkup(fields)), outcome);
    }

    void mapAndFrameset_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("map") << Shown(MapInsertion(u"Карта1"_s))
                             << u"<map name =\"Карта1\">\n|\n\n</map>¶"_s;
        QTest::newRow("map name as typed")
            << Shown(MapInsertion(u" m "_s)) << u"<map name =\" m \">\n|\n\n</map>¶"_s;
        QTest::newRow("columns") << Shown(FramesetInsertion(true))
                                 << u"<frameset cols=\"\">|\n\n\n</frameset>¶"_s;
        QTest::newRow("rows") << Shown(FramesetInsertion(false))
                              << u"<frameset rows=\"\">|\n\n\n</frameset>¶"_s;
    }
    void mapAndFrameset() {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }

    void coords_data() {
        QTest::addColumn<TAreaShape>("shape");
        QTest::addColumn<QString>("coords");
        QTest::addColumn<bool>("fits");
        QTest::newRow("circle 3 numbers") << TAreaShape::Circle << u"1,2,3"_s << true;
        QTest::newRow("circle 2 numbers") << TAreaShape::Circle << u"1,2"_s << false;
        QTest::newRow("circle 4 numbers") << TAreaShape::Circle << u"1,2,3,4"_s << false;
        QTest::newRow("rect 4 numbers") << TAreaShape::Rect << u"0, 0, 10, 10"_s << true;
        QTest::newRow("rect 3 numbers") << TAreaShape::Rect << u"0,0,10"_s << false;
        QTest::newRow("rect 5 numbers") << TAreaShape::Rect << u"0,0,10,10,1"_s << false;
        QTest::newRow("poly 6 numbers") << TAreaShape::Poly << u"1,2,3,4,5,6"_s << true;
        QTest::newRow("poly 8 numbers") << TAreaShape::Poly << u"1,2,3,4,5,6,7,8"_s << true;
        QTest::newRow("poly 5 numbers") << TAreaShape::Poly << u"1,2,3,4,5"_s << false;
        QTest::newRow("point 2 numbers") << TAreaShape::Point << u"5,5"_s << true;
        QTest::newRow("point 1 number") << TAreaShape::Point << u"5"_s << false;
        QTest::newRow("point 3 numbers") << TAreaShape::Point << u"5,5,5"_s << false;
        QTest::newRow("only commas count") << TAreaShape::Point << u","_s << true;
    }
    void coords() {
        QFETCH(TAreaShape, shape);
        QFETCH(QString, coords);
        QFETCH(bool, fits);
        QCOMPARE(CoordsFitShape(coords, shape), fits);
    }

    void area_data() {
        QTest::addColumn<TAreaFields>("fields");
        QTest::addColumn<QString>("outcome");
        const QString noHref = u"!Не указан источник активной области"_s;
        QTest::newRow("circle")
            << Area(u"H"_s, TAreaShape::Circle, u"1,2,3"_s)
            << u"<area href=\"H\" shape=\"circle\" coords=\"1,2,3\" alt=\"\" />|¶"_s;
        QTest::newRow("polygon of six numbers")
            << Area(u"H"_s, TAreaShape::Poly, u"1,2,3,4,5,6"_s)
            << u"<area href=\"H\" shape=\"poly\" coords=\"1,2,3,4,5,6\" alt=\"\" />|¶"_s;
        QTest::newRow("point, coords untrimmed")
            << Area(u"H"_s, TAreaShape::Point, u" 1,2 "_s)
            << u"<area href=\"H\" shape=\"point\" coords=\" 1,2 \" alt=\"\" />|¶"_s;
        QTest::newRow("every field in order")
            << TAreaFields{{u"H"_s, {}, Page}, TAreaShape::Rect, u"1,2,3,4"_s,
                           u"Тут"_s,           u"a1"_s,          u"c"_s,
                           u"_blank"_s}
            << u"<area href=\"H\" shape=\"rect\" coords=\"1,2,3,4\" alt=\"Тут\" name=\"a1\" "
               u"class=\"c\" target=\"_blank\" />|¶"_s;
        QTest::newRow("blank description")
            << With(Area(u"H"_s, TAreaShape::Point, u"1,2"_s), [](auto& f) { f.Alt = u"   "_s; })
            << u"<area href=\"H\" shape=\"point\" coords=\"1,2\" alt=\"\" />|¶"_s;
        QTest::newRow("chosen file made relative")
            << Area(u"F.gif"_s, TAreaShape::Point, u"1,2"_s, Picture)
            << u"<area href=\"../img/F.gif\" shape=\"point\" coords=\"1,2\" alt=\"\" />|¶"_s;
        QTest::newRow("no destination") << Area(u" "_s, TAreaShape::Circle, u"1,2,3"_s) << noHref;
        QTest::newRow("circle of two numbers") << Area(u"H"_s, TAreaShape::Circle, u"1,2"_s)
                                               << u"!Неверное количество чисел в координатах"_s;
        QTest::newRow("destination checked first")
            << Area({}, TAreaShape::Circle, u"1"_s) << noHref;
    }
    void area() {
        QFETCH(TAreaFields, fields);
        QFETCH(QString, outcome);
        QCOMPARE(Outcome(AreaMarkup(fields)), outcome);
    }

    void frame_data() {
        QTest::addColumn<TFrameFields>("fields");
        QTest::addColumn<QString>("outcome");
        const QString noSource = u"!Не указан источник фрейма"_s;
        QTest::newRow("presets") << Frame(u"S"_s)
                                 << u"<frame src=\"S\" name=\"Frame1\" scrolling=\"auto\" "
                                    u"frameborder=\"0\" noresize=\"noresize\" />|¶"_s;
        QTest::newRow("nothing checked, scrolling yes")
            << With(Frame(u"S"_s, u"top"_s),
                    [](auto& f) {
                        f.Scrolling = TScrolling::Yes, f.FrameBorder = f.NoResize = false;
                        f.Width = u"10"_s, f.Height = u"20"_s; // a frame has no size
                    })
            << u"<frame src=\"S\" name=\"top\" scrolling=\"yes\" />|¶"_s;
        QTest::newRow("scrolling no") << With(Frame(u"S"_s), [](auto& f) {
            f.Scrolling = TScrolling::No, f.FrameBorder = false;
        }) << u"<frame src=\"S\" name=\"Frame1\" scrolling=\"no\" noresize=\"noresize\" />|¶"_s;
        QTest::newRow("iframe without noresize, percent kept")
            << With(Frame(u"S"_s),
                    [](auto& f) { f.IFrame = true, f.Width = u"100%"_s, f.Height = u"50"_s; })
            << u"<iframe src=\"S\" name=\"Frame1\" scrolling=\"auto\" frameborder=\"0\" "
               u"width=\"100%\" height=\"50\" />|¶"_s;
        QTest::newRow("iframe without size") << With(Frame(u"S"_s), [](auto& f) {
            f.Scrolling = TScrolling::No, f.FrameBorder = f.NoResize = false;
            f.Width = u" "_s, f.IFrame = true;
        }) << u"<iframe src=\"S\" name=\"Frame1\" scrolling=\"no\" />|¶"_s;
        QTest::newRow("source and name untrimmed")
            << With(Frame(u" S "_s, u" n "_s), [](auto& f) { f.FrameBorder = f.NoResize = false; })
            << u"<frame src=\" S \" name=\" n \" scrolling=\"auto\" />|¶"_s;
        QTest::newRow("chosen file made relative")
            << With(Frame(u"F.gif"_s, u"Frame1"_s, Picture),
                    [](auto& f) { f.FrameBorder = f.NoResize = false; })
            << u"<frame src=\"../img/F.gif\" name=\"Frame1\" scrolling=\"auto\" />|¶"_s;
        QTest::newRow("no source") << Frame(u"  "_s) << noSource;
        QTest::newRow("no name") << Frame(u"S"_s, u" "_s) << u"!Не указано имя фрейма"_s;
        QTest::newRow("source checked first") << Frame({}, {}) << noSource;
    }
    void frame() {
        QFETCH(TFrameFields, fields);
        QFETCH(QString, outcome);
        QCOMPARE(Outcome(FrameMarkup(fields)), outcome);
    }
};

QTEST_MAIN(TestLinkLogic)
#include "tst_linklogic.moc"
