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
    void programFolder() {
        testutil::TIsolatedHome home;
        const QString sub = QDir(home.Path()).filePath(u"not/yet"_s);
        qputenv("QUORVANE_HOME", QFile::encodeName(sub));
        QCOMPARE(ProgramFolder(), sub);
        QVERIFY(QFileInfo(sub).isDir());
        QCOMPARE(SettingsFilePath(), QDir(sub).filePath(u"quorvane.ini"_s));
        QCOMPARE(TemplatesFilePath(), QDir(sub).filePath(u"templates.qct"_s));
    }

    // Every setting under its own name, saved with one write and loaded with one read.
    void roundTrip() {
        testutil::TIsolatedHome home;
        TIniFile ini(SettingsFilePath());
        const TSettings s{u"/srv/Сайт"_s, u"/tmp/save"_s, u"/tmp/pics"_s, u"DejaVu Sans Mono"_s, 14,
                          true,           false};
        const TIniFileTraffic start = IniFileTrafficForTests();
        SaveSettings(ini, s);
        QCOMPARE(testutil::ReadBytes(ini.FileName()),
                 "[Shell]\r\nOpenFrom=" + testutil::Cp1251(s.OpenFrom) +
                     "\r\nSaveTo=/tmp/save\r\nPicsIn=/tmp/pics\r\n"
                     "[Editor]\r\nFontName=DejaVu Sans Mono\r\nFontSize=14\r\n"
                     "[Interface]\r\nNavVisible=0\r\nIsWordWrap=1\r\n");
        const TLoadedSettings loaded = LoadSettings(ini);
        QCOMPARE(IniFileTrafficForTests().Reads - start.Reads, 1);
        QCOMPARE(IniFileTrafficForTests().Writes - start.Writes, 1);
        QVERIFY(loaded.Problems.isEmpty());
        QVERIFY(loaded.Settings == s);
    }

    void fontSize_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("reported");
        QTest::newRow("fourteen") << "14"_ba << 14 << false;
        QTest::newRow("zero") << "0"_ba << 10 << true;
        QTest::newRow("absurdly large") << "100000"_ba << 10 << true;
        QTest::newRow("beyond int") << QByteArray(5000, '9') << 10 << true;
    }

    void fontSize() {
        QFETCH(QByteArray, value);
        QFETCH(int, size);
        QFETCH(bool, reported);
        testutil::TIsolatedHome home;
        // Keys after the bad one must still be read.
        testutil::WriteBytes(SettingsFilePath(), "[Editor]\r\nFontSize=" + value +
                                                     "\r\nFontName=Liberation Mono\r\n"
                                                     "[Interface]\r\nIsWordWrap=0\r\n");
        const TLoadedSettings loaded = LoadSettings(TIniFile(SettingsFilePath()));
        QCOMPARE(loaded.Settings.FontSize, size);
        QCOMPARE(loaded.Settings.FontName, u"Liberation Mono"_s);
        QVERIFY(!loaded.Settings.IsWordWrap);
        QCOMPARE(loaded.Problems.size(), reported ? 1 : 0);
        if (reported) {
            const QString& text = loaded.Problems.first();
            QVERIFY2(text.contains(u"FontSize"_s) &&
                         text.contains(QString::fromLatin1(value.left(20))),
                     qPrintable(text));
            QVERIFY2(text.size() < 300, "a huge value must not flood the message box");
        }
    }

    void badValueDoesNotLoseTheOthers() {
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
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
