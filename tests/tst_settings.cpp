#include "app/apphome.h"
#include "app/inifile.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

class TstSettings : public QObject {
    Q_OBJECT

private slots:
    void programFolder();
    void firstRun();
    void roundTrip();
    void fontSize_data();
    void fontSize();
    void damagedFile_data();
    void damagedFile();
    void saveFailure();
    void badValueDoesNotLoseTheOthers();
};

void TstSettings::programFolder() {
    testutil::TIsolatedHome home;
    const QString sub = QDir(home.Path()).filePath(u"not/yet"_s);
    qputenv("QUORVANE_HOME", QFile::encodeName(sub));
    QCOMPARE(ProgramFolder(), sub);
    QVERIFY(QFileInfo(sub).isDir());
    QCOMPARE(SettingsFilePath(), QDir(sub).filePath(u"quorvane.ini"_s));
    QCOMPARE(TemplatesFilePath(), QDir(sub).filePath(u"templates.qct"_s));

    QVERIFY(CreateProjectsFolder());
    QVERIFY(QFileInfo(QDir(sub).filePath(u"Projects"_s)).isDir());
    QVERIFY(CreateProjectsFolder()); // already there: no error

    // A file where the folder should be: accepted silently, reported through the result only.
    qputenv("QUORVANE_HOME", QFile::encodeName(home.Path()));
    testutil::WriteBytes(home.File(u"Projects"_s), "x");
    QVERIFY(!CreateProjectsFolder());
}

void TstSettings::firstRun() {
    testutil::TIsolatedHome home;
    TIniFile ini(SettingsFilePath());
    QVERIFY(!QFileInfo::exists(ini.FileName()));

    const TLoadedSettings loaded = LoadSettings(ini);
    QVERIFY(loaded.Problems.isEmpty());
    const TSettings& s = loaded.Settings;
    QCOMPARE(s.OpenFrom, QDir::toNativeSeparators(QDir::homePath()));
    QCOMPARE(s.SaveTo, s.OpenFrom);
    QCOMPARE(s.PicsIn, s.OpenFrom);
    QCOMPARE(s.FontName, u"Courier New"_s);
    QCOMPARE(s.FontSize, 10);
    QVERIFY(s.IsWordWrap);
    QVERIFY(s.NavVisible);
    QVERIFY(!QFileInfo::exists(ini.FileName())); // reading creates nothing

    SaveSettings(ini, s);
    const QByteArray home8 = testutil::Cp1251(s.OpenFrom);
    QCOMPARE(testutil::ReadBytes(ini.FileName()),
             "[Shell]\r\nOpenFrom=" + home8 + "\r\nSaveTo=" + home8 + "\r\nPicsIn=" + home8 +
                 "\r\n[Editor]\r\nFontName=Courier New\r\nFontSize=10\r\n"
                 "[Interface]\r\nNavVisible=1\r\nIsWordWrap=1\r\n");
}

void TstSettings::roundTrip() {
    testutil::TIsolatedHome home;
    TIniFile ini(SettingsFilePath());
    TSettings s;
    s.OpenFrom = u"/srv/Сайт"_s;
    s.SaveTo = u"/tmp/save"_s;
    s.PicsIn = u"/tmp/pics"_s;
    s.FontName = u"DejaVu Sans Mono"_s;
    s.FontSize = 14;
    s.IsWordWrap = false;
    s.NavVisible = false;
    SaveSettings(ini, s);

    const QByteArray bytes = testutil::ReadBytes(ini.FileName());
    QVERIFY(bytes.contains("FontSize=14\r\n"));
    QVERIFY(bytes.contains("NavVisible=0\r\nIsWordWrap=0\r\n"));
    const TLoadedSettings loaded = LoadSettings(TIniFile(ini.FileName()));
    QVERIFY(loaded.Problems.isEmpty());
    QVERIFY(loaded.Settings == s);

    // Saving again changes values in place and keeps what others put in the file.
    testutil::WriteBytes(ini.FileName(), "; mine\r\n" + bytes + "[Plugins]\r\nx=1\r\n");
    s.FontSize = 12;
    SaveSettings(ini, s);
    QByteArray expected = "; mine\r\n" + bytes + "[Plugins]\r\nx=1\r\n";
    expected.replace("FontSize=14", "FontSize=12");
    QCOMPARE(testutil::ReadBytes(ini.FileName()), expected);
}

void TstSettings::fontSize_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("reported");

    QTest::newRow("fourteen") << "14"_ba << 14 << false;
    QTest::newRow("blanks around") << " 9 "_ba << 9 << false;
    QTest::newRow("words") << "large"_ba << 10 << true;
    QTest::newRow("empty") << ""_ba << 10 << true;
    QTest::newRow("fraction") << "10.5"_ba << 10 << true;
    QTest::newRow("zero") << "0"_ba << 10 << true;
    QTest::newRow("negative") << "-12"_ba << 10 << true;
    QTest::newRow("absurdly large") << "100000"_ba << 10 << true;
    QTest::newRow("beyond int") << QByteArray(5000, '9') << 10 << true;
}

void TstSettings::fontSize() {
    QFETCH(QByteArray, value);
    QFETCH(int, size);
    QFETCH(bool, reported);

    testutil::TIsolatedHome home;
    // Keys after the bad one must still be read.
    testutil::WriteBytes(SettingsFilePath(), "[Editor]\r\nFontSize=" + value +
                                                 "\r\nFontName=Liberation Mono\r\n"
                                                 "[Interface]\r\nIsWordWrap=0\r\nNavVisible=0\r\n");
    const TLoadedSettings loaded = LoadSettings(TIniFile(SettingsFilePath()));
    QCOMPARE(loaded.Settings.FontSize, size);
    QCOMPARE(loaded.Settings.FontName, u"Liberation Mono"_s);
    QVERIFY(!loaded.Settings.IsWordWrap);
    QVERIFY(!loaded.Settings.NavVisible);
    QCOMPARE(loaded.Problems.size(), reported ? 1 : 0);
    if (reported) {
        const QString& text = loaded.Problems.first();
        QVERIFY2(text.contains(u"FontSize"_s) && text.contains(u"10"_s), qPrintable(text));
        QVERIFY2(text.size() < 300, "a huge value must not flood the message box");
        if (!value.isEmpty())
            QVERIFY(text.contains(QString::fromLatin1(value.left(20))));
    }
}

void TstSettings::damagedFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("openFrom"); // empty: the default
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<bool>("wordWrap");

    QTest::newRow("garbage lines")
        << "\x01\x02zzz\r\n===\r\n[\r\n]]\r\n"_ba << QString() << 10 << true;
    QTest::newRow("no sections") << "OpenFrom=/x\r\nFontSize=20\r\nIsWordWrap=0\r\n"_ba << QString()
                                 << 10 << true;
    QTest::newRow("UTF-8 byte-order mark")
        << "\xEF\xBB\xBF[Shell]\r\nOpenFrom="_ba + u"/дом"_s.toUtf8() +
               "\r\n[Editor]\r\nFontSize=12\r\n[Interface]\r\nIsWordWrap=0\r\n"
        << u"/дом"_s << 12 << false;
    QTest::newRow("huge value") << "[Shell]\r\nOpenFrom=/"_ba + QByteArray(200000, 'a') +
                                       "\r\n[Interface]\r\nIsWordWrap=x\r\n"
                                << u"/"_s + QString(TIniFile::MaxValueLength - 1, u'a') << 10
                                << true;
    QTest::newRow("boolean two is true")
        << "[Interface]\r\nIsWordWrap=2\r\n"_ba << QString() << 10 << true;
    QTest::newRow("boolean zero") << "[interface]\r\nisWordWrap=0\r\n"_ba << QString() << 10
                                  << false;
}

void TstSettings::damagedFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, openFrom);
    QFETCH(int, fontSize);
    QFETCH(bool, wordWrap);

    testutil::TIsolatedHome home;
    testutil::WriteBytes(SettingsFilePath(), content);
    TIniFile ini(SettingsFilePath());
    const TLoadedSettings loaded = LoadSettings(ini);
    const TSettings defaults;
    QCOMPARE(loaded.Settings.OpenFrom, openFrom.isEmpty() ? defaults.OpenFrom : openFrom);
    QCOMPARE(loaded.Settings.FontSize, fontSize);
    QCOMPARE(loaded.Settings.IsWordWrap, wordWrap);
    QCOMPARE(loaded.Settings.NavVisible, true);

    // Saving keeps every line of the damaged file; it is never rewritten as a whole.
    SaveSettings(ini, loaded.Settings);
    const QByteArray after = testutil::ReadBytes(SettingsFilePath());
    for (const QByteArray& line : content.split('\n')) {
        if (!line.contains("OpenFrom") && !line.contains("FontSize") &&
            !line.contains("IsWordWrap"))
            QVERIFY2(after.contains(line), line.constData());
    }
    QVERIFY(LoadSettings(ini).Settings == loaded.Settings);
}

void TstSettings::saveFailure() {
    testutil::TIsolatedHome home;
    // The settings folder vanished while the program ran: the save reports, nothing is created.
    TIniFile ini(QDir(home.Path()).filePath(u"gone/quorvane.ini"_s));
    bool thrown = false;
    try {
        SaveSettings(ini, TSettings());
    } catch (const EFileError& e) {
        thrown = true;
        QVERIFY2(e.Message().contains(u"quorvane.ini"_s), qPrintable(e.Message()));
    }
    QVERIFY(thrown);
    QVERIFY(!QFileInfo::exists(ini.FileName()));
}

void TstSettings::badValueDoesNotLoseTheOthers() {
    testutil::TIsolatedHome home;
    TIniFile ini(SettingsFilePath());
    TSettings s;
    s.OpenFrom = u"/data/日本"_s; // no Windows-1251 code for these
    s.FontSize = 16;
    s.IsWordWrap = false;
    QVERIFY_THROWS_EXCEPTION(EFileError, SaveSettings(ini, s));
    const TSettings back = LoadSettings(ini).Settings;
    QCOMPARE(back.OpenFrom, TSettings().OpenFrom);
    QCOMPARE(back.FontSize, 16);
    QCOMPARE(back.IsWordWrap, false);
}

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
