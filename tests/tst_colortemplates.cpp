// The colour template list and its file: reading well-formed and broken lines, the built-in
// schemes, the add/change/delete rules and writing the file back byte for byte.
#include "markup/ColorTemplates.h"
#include "support/testutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
const QChar Esc = QChar(27);

QString Line(const QStringList& fields) {
    QString line;
    for (const QString& f : fields)
        line += f + Esc;
    return line;
}

TColorTemplate Scheme(const QString& name, const QString& bg, const QString& text,
                      const QString& link, const QString& alink, const QString& vlink) {
    return {name,
            HtmlToColor(bg),
            HtmlToColor(text),
            HtmlToColor(link),
            HtmlToColor(alink),
            HtmlToColor(vlink)};
}

// A well-formed line with the given name and background.
QString Six(const QString& name, const QString& bg) {
    return Line({name, bg, u"#000000"_s, u"#0000ff"_s, u"#ff0000"_s, u"#800080"_s});
}
QString Filler(const QString& name, int colours) {
    return Line(QStringList{name} + QStringList(colours, u"#111111"_s));
}

const QString NightLine =
    Line({u"Night"_s, u"#000000"_s, u"#ffffff"_s, u"#00ffff"_s, u"#ff0000"_s, u"#ff00ff"_s});
const TColorTemplate Night =
    Scheme(u"Night"_s, u"#000000"_s, u"#ffffff"_s, u"#00ffff"_s, u"#ff0000"_s, u"#ff00ff"_s);
} // namespace

class TestColorTemplates : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    QString WriteFile(const QString& text) {
        const QString path = Dir.filePath(u"templates.qct"_s);
        testutil::WriteBytes(path, testutil::Cp1251(text));
        return path;
    }

private slots:
    void init() { QFile::remove(Dir.filePath(u"templates.qct"_s)); }

    // Which lines of a file become templates, and with which colours.
    void load_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("firstBg"); // background of the first template read
        const QString night = NightLine;
        const QStringList onlyNight{u"Night"_s};
        QTest::newRow("one line") << night + u"\r\n"_s << onlyNight << u"#000000"_s;
        QTest::newRow("no final line break") << night << onlyNight << u"#000000"_s;
        QTest::newRow("five ESC skipped")
            << Filler(u"Five"_s, 4) + u"\r\n"_s + night + u"\r\n"_s << onlyNight << u"#000000"_s;
        QTest::newRow("seven ESC skipped")
            << Filler(u"Seven"_s, 6) + u"\r\n"_s + night << onlyNight << u"#000000"_s;
        QTest::newRow("five hex digits read as black")
            << Line({u"Short"_s, u"#fffff"_s, u"#fff"_s, u"#0000ff"_s, u"#ff0000"_s, u"#800080"_s})
            << QStringList{u"Short"_s} << u"#000000"_s;
        QTest::newRow("colour name read as black")
            << Six(u"Named"_s, u"white"_s) << QStringList{u"Named"_s} << u"#000000"_s;
        QTest::newRow("upper-case digits")
            << Six(u"Upper"_s, u"#FFCC00"_s) << QStringList{u"Upper"_s} << u"#ffcc00"_s;
        QTest::newRow("blank and repeated names skipped")
            << Filler(u"  "_s, 5) + u"\r\n"_s + night + u"\r\n"_s + Filler(u"NIGHT"_s, 5)
            << onlyNight << u"#000000"_s;
        QTest::newRow("Cyrillic name")
            << Six(u"Закат"_s, u"#ff8000"_s) << QStringList{u"Закат"_s} << u"#ff8000"_s;
        QTest::newRow("empty file") << QString() << QStringList{} << QString();
    }

    void load() {
        QFETCH(QString, file);
        QFETCH(QStringList, names);
        QFETCH(QString, firstBg);
        TColorTemplates list;
        list.LoadFromFile(WriteFile(file));
        QCOMPARE(list.Names(), names);
        if (names == QStringList{u"Night"_s})
            QCOMPARE(list.GetTemplate(u"night"_s), Night); // found whatever the case
        else if (!names.isEmpty())
            QCOMPARE(ColorToHtml(list.GetTemplateAt(0).BgColor), firstBg);
        // Only an empty list takes the built-in schemes.
        list.AddBuiltInsIfEmpty();
        QCOMPARE(list.TemplateCount(), names.isEmpty() ? 3 : int(names.size()));
    }

    // A missing file changes nothing; one that cannot be read (a folder) throws.
    void missingOrUnreadableFile() {
        TColorTemplates list;
        list.AddTemplate(Night);
        list.LoadFromFile(Dir.filePath(u"none.qct"_s));
        QCOMPARE(list.Names(), QStringList{u"Night"_s});
        QVERIFY(!testutil::ErrorOf([&] { list.LoadFromFile(Dir.path()); }).isNull());
    }

    void builtInsWrittenByteExact() {
        TColorTemplates list;
        list.AddBuiltInsIfEmpty();
        const QString path = Dir.filePath(u"templates.qct"_s);
        list.SaveToFile(path);
        const QByteArray expected = "Default\x1b#ffffff\x1b#000000\x1b#0000ff\x1b#ff0000\x1b"
                                    "#800080\x1b\r\n"
                                    "Elegant\x1b#ffffff\x1b#000000\x1b#808080\x1b#c0c0c0\x1b"
                                    "#000000\x1b\r\n"
                                    "Orange\x1b#ffffff\x1b#000000\x1b#ff8000\x1b#000000\x1b"
                                    "#804000\x1b\r\n";
        QCOMPARE(testutil::ReadBytes(path), expected);
        // And they read back as they were.
        TColorTemplates again;
        again.LoadFromFile(path);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(again.GetTemplateAt(i), list.GetTemplateAt(i));
    }

    void cyrillicNameWrittenInWindows1251() {
        TColorTemplates list;
        list.AddTemplate({.Name = u"Закат"_s, .BgColor = HtmlToColor(u"#ff8000"_s)});
        const QString path = Dir.filePath(u"templates.qct"_s);
        list.SaveToFile(path);
        QVERIFY(testutil::ReadBytes(path).startsWith("\xc7\xe0\xea\xe0\xf2\x1b#ff8000\x1b"));
    }

    // Names: trimmed, unique without case, and only what the file can keep.
    void addNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("stored");
        QTest::newRow("blanks around") << u"  Blue  "_s << true << u"Blue"_s;
        QTest::newRow("other case of existing") << u"default"_s << false << QString();
        QTest::newRow("blank") << u"   "_s << false << QString();
        QTest::newRow("ESC inside") << u"A"_s + Esc + u"B"_s << false << QString();
        QTest::newRow("line break inside") << u"A\nB"_s << false << QString();
        QTest::newRow("no Windows-1251 code") << u"Sun \u2600"_s << false << QString();
        // Bytes EF BB BF: as the first line of the file they would be taken for a UTF-8 mark.
        QTest::newRow("starts like a UTF-8 mark")
            << u"\u043F\u00BB\u0457Sea"_s << false << QString();
        QTest::newRow("Cyrillic") << u"Морской"_s << true << u"Морской"_s;
    }

    void addNames() {
        QFETCH(QString, name);
        QFETCH(bool, added);
        QFETCH(QString, stored);
        TColorTemplates list;
        list.AddBuiltInsIfEmpty();
        QSignalSpy spy(&list, &TColorTemplates::OnAddTemplate);
        TColorTemplate t =
            Scheme(name, u"#0000ff"_s, u"#ffffff"_s, u"#ffff00"_s, u"#ff0000"_s, u"#00ff00"_s);
        QCOMPARE(list.AddTemplate(t), added);
        QCOMPARE(list.TemplateCount(), added ? 4 : 3);
        QCOMPARE(spy.count(), added ? 1 : 0);
        if (added) {
            QCOMPARE(list.GetTemplateAt(3).Name, stored);
            QCOMPARE(list.GetTemplateAt(3).BgColor, HtmlToColor(u"#0000ff"_s));
        } else {
            QCOMPARE(list.GetTemplate(u"Default"_s), DefaultColorTemplate());
        }
    }

    void changeKeepsName() {
        TColorTemplates list;
        list.AddBuiltInsIfEmpty();
        QSignalSpy spy(&list, &TColorTemplates::OnChangeTemplate);
        TColorTemplate night = Night;
        night.Name = u"Other"_s;
        QVERIFY(list.ChangeTemplate(u"elegant"_s, night));
        TColorTemplate expected = Night;
        expected.Name = u"Elegant"_s;
        QCOMPARE(list.GetTemplate(u"Elegant"_s), expected);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!list.ChangeTemplate(u"Nowhere"_s, night));
        QCOMPARE(spy.count(), 1);
    }

    void deleteNeverEmptiesTheList() {
        TColorTemplates list;
        list.AddBuiltInsIfEmpty();
        QSignalSpy spy(&list, &TColorTemplates::OnDeleteTemplate);
        QVERIFY(!list.DeleteTemplate(u"Nowhere"_s));
        QVERIFY(list.DeleteTemplate(u"ORANGE"_s));
        QVERIFY(list.DeleteTemplate(u"Default"_s));
        QCOMPARE(list.Names(), QStringList{u"Elegant"_s});
        QVERIFY(!list.DeleteTemplate(u"Elegant"_s));
        QCOMPARE(list.TemplateCount(), 1);
        QCOMPARE(spy.count(), 2);
    }

    // Unknown names and indexes give the "Default" colours, named "Default".
    void lookupsFallBackToDefault() {
        TColorTemplates list;
        list.AddTemplate(Night);
        QCOMPARE(list.GetTemplateAt(-1), DefaultColorTemplate());
        QCOMPARE(list.GetTemplateAt(1), DefaultColorTemplate());
        QCOMPARE(list.GetTemplate(u"Nowhere"_s), DefaultColorTemplate());
    }
};

QTEST_GUILESS_MAIN(TestColorTemplates)
#include "tst_colortemplates.moc"
