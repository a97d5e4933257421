#include "app/apphome.h"
#include "app/inifile.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

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

    void roundTrip() {
        testutil::TIsolatedHome home;
        TIniFile ini(SettingsFilePath());
        TSettings s{u"/srv/Сайт"_s, u"/tmp/save"_s, u"/tmp/pics"_s, u"DejaVu Sans Mono"_s, 14,
                    false,          false};
        SaveSettings(ini, s);
        const TLoadedSettings loaded = LoadSettings(TIniFile(ini.FileName()));
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

    // Garbage is passed over and saving keeps every line it does not own. Cut values, case and
    // the boolean rule are pinned in tst_inifile.
    void damagedFile() {
        const QByteArray content = "\x01\x02zzz\r\n===\r\n[\r\n]]\r\n"_ba;
        const QString openFrom;
        const bool wordWrap = true;
        testutil::TIsolatedHome home;
        testutil::WriteBytes(SettingsFilePath(), content);
        TIniFile ini(SettingsFilePath());
        const TLoadedSettings loaded = LoadSettings(ini);
        QCOMPARE(loaded.Settings.OpenFrom, openFrom.isEmpty() ? TSettings().OpenFrom : openFrom);
        QCOMPARE(loaded.Settings.IsWordWrap, wordWrap);
        QCOMPARE(loaded.Settings.NavVisible, true);

        SaveSettings(ini, loaded.Settings);
        const QByteArray after = testutil::ReadBytes(SettingsFilePath());
        for (const QByteArray& line : content.split('\n'))
            if (!line.contains("OpenFrom") && !line.contains("IsWordWrap"))
                QVERIFY2(after.contains(line), line.constData());
        QVERIFY(LoadSettings(ini).Settings == loaded.Settings);
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

    // A settings file as large as allowed: the start reads it once, the end reads and writes it
    // once, and every line that is not a setting survives.
    void largeFileReadOnce() {
        testutil::TIsolatedHome home;
        QByteArray filler;
        while (filler.size() < 16'000'000)
            filler += "[Other]\r\n; not a setting\r\nx=1\r\n";
        const QString path = SettingsFilePath();
        testutil::WriteBytes(path,
                             "[Shell]\r\nOpenFrom=/a\r\n" + filler + "[Editor]\r\nFontSize=12\r\n");
        const TIniFileTraffic start = IniFileTrafficForTests();
        TSettings s = LoadSettings(TIniFile(path)).Settings;
        QCOMPARE(IniFileTrafficForTests().Reads - start.Reads, 1);
        QCOMPARE(s.OpenFrom, u"/a"_s);
        QCOMPARE(s.FontSize, 12);

        s.OpenFrom = u"/b"_s;
        s.FontSize = 13;
        s.NavVisible = false;
        TIniFile ini(path);
        SaveSettings(ini, s);
        const TIniFileTraffic end = IniFileTrafficForTests();
        QCOMPARE(end.Reads - start.Reads, 2);
        QCOMPARE(end.Writes - start.Writes, 1);
        const QByteArray expected =
            "[Shell]\r\nOpenFrom=/b\r\nSaveTo=" + testutil::Cp1251(s.SaveTo) +
            "\r\nPicsIn=" + testutil::Cp1251(s.PicsIn) + "\r\n" + filler +
            "[Editor]\r\nFontSize=13\r\nFontName=Courier New\r\n"
            "[Interface]\r\nNavVisible=0\r\nIsWordWrap=1\r\n";
        QVERIFY(testutil::ReadBytes(path) == expected);
    }

    // A settings path that is no regular file gives the defaults and a Russian reason on saving.
    void pathIsAPipe() {
        testutil::TIsolatedHome home;
        QCOMPARE(::mkfifo(QFile::encodeName(SettingsFilePath()).constData(), 0600), 0);
        TIniFile ini(SettingsFilePath());
        const TLoadedSettings loaded = LoadSettings(ini);
        QVERIFY(loaded.Settings == TSettings());
        QVERIFY(loaded.Problems.isEmpty());
        try {
            SaveSettings(ini, TSettings());
            QFAIL("saving to a pipe was not refused");
        } catch (const EFileError& e) {
            QVERIFY2(e.Message().contains(u"не обычный файл"_s), qPrintable(e.Message()));
        }
        QVERIFY(!QFileInfo(SettingsFilePath()).isFile());
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
