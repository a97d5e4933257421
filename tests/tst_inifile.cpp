#include "app/inifile.h"
#include "app/textfile.h"
#include "support/testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

using testutil::Cp1251;
using testutil::ErrorOf;
using testutil::ReadBytes;
using testutil::WriteBytes;

class TstIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;

    // A file of the test's own with these bytes (null: no file).
    QString Fresh(const QString& name, const QByteArray& bytes) {
        const QString path = FDir.filePath(name);
        QFile::remove(path);
        if (!bytes.isNull())
            WriteBytes(path, bytes);
        return path;
    }

private slots:
    // Every row writes the key k of the section S.
    void writeInPlace_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        const QByteArray head = Cp1251(u"; настройки\r\n[S]\r\nForeign=keep\r\n"_s);
        const QByteArray tail = "  ; note\r\n\r\n[Other]\r\nx=1\r\n\x01garbage\x02\r\n";
        const QString cyrillic = u"/Мои документы"_s;
        QTest::newRow("value replaced, comments and foreign keys kept")
            << head + "k=/old\r\n" + tail << u"v"_s << head + "k=v\r\n" + tail;
        QTest::newRow("names match without case, stored spelling kept")
            << "[s]\r\nK=a\r\n"_ba << u"v"_s << "[s]\r\nK=v\r\n"_ba;
        QTest::newRow("key appended after the section's last key")
            << "[S]\r\na=1\r\n\r\n[B]\r\n"_ba << u"v"_s << "[S]\r\na=1\r\nk=v\r\n\r\n[B]\r\n"_ba;
        QTest::newRow("section appended")
            << "[A]\r\na=1\r\n"_ba << u"v"_s << "[A]\r\na=1\r\n[S]\r\nk=v\r\n"_ba;
        QTest::newRow("key after a last line without line break")
            << "[S]\r\na=1"_ba << u"v"_s << "[S]\r\na=1\r\nk=v\r\n"_ba;
        QTest::newRow("LF file gets LF lines")
            << "[A]\na=1\n"_ba << u"v"_s << "[A]\na=1\n[S]\nk=v\n"_ba;
        QTest::newRow("missing file created") << QByteArray() << u"v"_s << "[S]\r\nk=v\r\n"_ba;
        QTest::newRow("first of two same-named sections")
            << "[S]\r\n[s]\r\nk=old\r\n"_ba << u"v"_s << "[S]\r\nk=v\r\n[s]\r\nk=old\r\n"_ba;
        QTest::newRow("Cyrillic value in Windows-1251")
            << "[S]\r\nk=1\r\n"_ba << cyrillic << "[S]\r\nk="_ba + Cp1251(cyrillic) + "\r\n";
        QTest::newRow("UTF-8 file with byte-order mark stays UTF-8")
            << "\xEF\xBB\xBF[S]\r\nk=a\r\n"_ba << cyrillic
            << "\xEF\xBB\xBF[S]\r\nk="_ba + cyrillic.toUtf8() + "\r\n";
        QTest::newRow("byte-order mark alone")
            << "\xEF\xBB\xBF"_ba << u"v"_s << "\xEF\xBB\xBF[S]\r\nk=v\r\n"_ba;
    }

    void writeInPlace() {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = Fresh(QString::fromLatin1(QTest::currentDataTag()), before);
        TIniFile(path).WriteString(u"S", u"k", value);
        QCOMPARE(ReadBytes(path), after);
        QCOMPARE(TIniFile(path).ReadString(u"s", u"K", u"<none>"_s), value);
    }

    void read_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray file = "top=0\r\n[Shell]\r\n  OpenFrom  =  /a b  \r\nEq=x=y\r\n"
                                "=nokey\r\ngarbage line\r\n[Broken\r\nhidden=1\r\n"
                                "[ Editor ]\r\nFontName=Courier New\r\nFontName=second\r\n"_ba;
        QTest::newRow("blanks trimmed") << file << u"Shell"_s << u"OpenFrom"_s << u"/a b"_s;
        QTest::newRow("value holding '='") << file << u"Shell"_s << u"Eq"_s << u"x=y"_s;
        QTest::newRow("missing key") << file << u"Shell"_s << u"SaveTo"_s << u"DEF"_s;
        QTest::newRow("key before any section") << file << u"Interface"_s << u"top"_s << u"DEF"_s;
        QTest::newRow("key under a broken header") << file << u"Shell"_s << u"hidden"_s << u"DEF"_s;
        QTest::newRow("header with inner blanks, first of two keys")
            << file << u"Editor"_s << u"FontName"_s << u"Courier New"_s;
        QTest::newRow("binary junk")
            << "\x00\xff\x01[\r\n=\r\n\xfe"_ba << u"Shell"_s << u"k"_s << u"DEF"_s;
        const qsizetype max = TIniFile::MaxValueLength;
        const QByteArray longFile =
            "[S]\r\nexact=" + QByteArray(max, 'e') + "\r\nlong=" + QByteArray(100000, 'l') + "\r\n";
        QTest::newRow("value at the length limit")
            << longFile << u"S"_s << u"exact"_s << QString(max, u'e');
        QTest::newRow("longer value cut") << longFile << u"S"_s << u"long"_s << QString(max, u'l');
    }

    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const TIniFile ini(Fresh(u"read.ini"_s, content));
        QCOMPARE(ini.ReadString(section, key, u"DEF"_s), expected);
        QCOMPARE(ini.ValueExists(section, key), expected != u"DEF"_s);
    }

    // Whole numbers other than 0 are true, 0 is false, anything else takes the default.
    void numbers_data() {
        QTest::addColumn<QByteArray>("value"); // null: no key
        QTest::addColumn<int>("integer");      // read with default -7, which no row holds

        QTest::newRow("zero") << "0"_ba << 0;
        QTest::newRow("two is true") << "2"_ba << 2;
        QTest::newRow("int minimum") << "-2147483648"_ba << std::numeric_limits<int>::min();
        QTest::newRow("empty") << ""_ba << -7;
        QTest::newRow("digits then text") << "10pt"_ba << -7;
        QTest::newRow("beyond int") << "2147483648"_ba << -7;
        QTest::newRow("missing key") << QByteArray() << -7;
    }

    void numbers() {
        QFETCH(QByteArray, value);
        QFETCH(int, integer);
        const bool isNumber = integer != -7;
        const TIniFile ini(
            Fresh(u"numbers.ini"_s, value.isNull() ? "[N]\r\n"_ba : "[N]\r\nv=" + value + "\r\n"));
        QCOMPARE(ini.ReadInteger(u"N", u"v", -7), integer);
        QCOMPARE(ini.ReadBool(u"N", u"v", false), isNumber && integer != 0);
        QCOMPARE(ini.ReadBool(u"N", u"v", true), !isNumber || integer != 0);
    }

    // A refused write throws, names the reason and leaves the file and folder as they were.
    void refusedWrites_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("inMessage");

        QTest::newRow("folder missing") << u"nofolder"_s << u"v"_s << u"nofolder"_s;
        QTest::newRow("read-only file") << u"readonly"_s << u"v"_s << u"отказано в доступе"_s;
        QTest::newRow("file too large to keep") << u"huge"_s << u"v"_s << u"слишком велик"_s;
        QTest::newRow("character outside Windows-1251") << u"plain"_s << u"/home/日本"_s << u"日"_s;
        QTest::newRow("line break in value")
            << u"plain"_s << u"a\n[Evil]\nk=1"_s << u"перевод строки"_s;
    }

    void refusedWrites() {
        QFETCH(QString, setup);
        QFETCH(QString, value);
        QFETCH(QString, inMessage);
        QTemporaryDir dir;
        const QString path =
            dir.filePath(setup == u"nofolder"_s ? u"nofolder/s.ini"_s : u"s.ini"_s);
        const QByteArray original = "; keep\r\n[S]\r\nk=old\r\n";
        if (setup != u"nofolder"_s)
            WriteBytes(path, setup == u"huge"_s ? original + QByteArray(16 * 1024 * 1024, ';')
                                                : original);
        if (setup == u"readonly"_s)
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        const QByteArray before = ReadBytes(path);

        const QString message = ErrorOf([&] { TIniFile(path).WriteString(u"S", u"k", value); });
        QVERIFY2(message.contains(inMessage), qPrintable(message));
        QCOMPARE(ReadBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 setup == u"nofolder"_s ? 0 : 1);
    }

    // A read-only settings file that already holds the values is no failure.
    void unchangedValueNeedsNoWrite() {
        const QString path = Fresh(u"same.ini"_s, "[S]\r\nk=1\r\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        TIniFile ini(path);
        ini.WriteBool(u"S", u"k", true);
        QVERIFY_THROWS_EXCEPTION(EFileError, ini.WriteBool(u"S", u"k", false));
        QCOMPARE(ReadBytes(path), "[S]\r\nk=1\r\n"_ba);
    }

    void symlinkAndPermissionsKept() {
        const QString target = Fresh(u"target.ini"_s, "[S]\r\nk=1\r\n");
        const QString link = FDir.filePath(u"link.ini"_s);
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::link(target, link));
        TIniFile(link).WriteInteger(u"S", u"k", -42);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadBytes(target), "[S]\r\nk=-42\r\n"_ba);
        QCOMPARE(QFileInfo(target).permissions() & 0x7077,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // A value is stored without the blanks at its ends, which reading drops anyway, so writing
    // it again, or writing what was read back, leaves the file as it is.
    void blanksAroundValueNotStored_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("readBack");

        QTest::newRow("spaces") << "[S]\r\nk=old\r\n"_ba << u"  v w  "_s << "[S]\r\nk=v w\r\n"_ba
                                << u"v w"_s;
        QTest::newRow("tabs; the line's own blanks stay")
            << "[S]\r\nk = old \r\n"_ba << u"\tv\t"_s << "[S]\r\nk = v \r\n"_ba << u"v"_s;
        QTest::newRow("blanks only")
            << "[S]\r\nk=old\r\n"_ba << u"   "_s << "[S]\r\nk=\r\n"_ba << QString();
        QTest::newRow("no-break spaces are no blanks")
            << "[S]\r\nk=old\r\n"_ba << u"\u00A0v\u00A0"_s << "[S]\r\nk=\xA0v\xA0\r\n"_ba
            << u"\u00A0v\u00A0"_s;
    }

    void blanksAroundValueNotStored() {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QFETCH(QString, readBack);
        const QString path = Fresh(u"blanks.ini"_s, before);
        TIniFile ini(path);
        ini.WriteString(u"S", u"k", value);
        QCOMPARE(ReadBytes(path), after);
        ini.WriteString(u"S", u"k", value);
        QCOMPARE(ReadBytes(path), after);
        QCOMPARE(ini.ReadString(u"S", u"k", u"<none>"_s), readBack);
        ini.WriteString(u"S", u"k", readBack);
        QCOMPARE(ReadBytes(path), after);
    }

    // A name that the file could not hold, or that would read back as another name or another
    // line, is refused before anything is written.
    void refusedNames_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("inMessage");

        const QByteArray plain = "[S]\r\nk=1\r\n";
        QTest::newRow("section outside Windows-1251")
            << plain << u"日本"_s << u"k"_s << u"символа «日» нет в кодировке Windows-1251"_s;
        QTest::newRow("key outside Windows-1251")
            << plain << u"S"_s << u"ключ😀"_s << u"символа «😀» нет"_s;
        QTest::newRow("broken UTF-16 in a UTF-8 file")
            << "\xEF\xBB\xBF"_ba + plain << u"S"_s << QString(QChar(0xD800))
            << u"недопустимый символ"_s;
        QTest::newRow("line break in section")
            << plain << u"S]\r\n[T"_s << u"k"_s << u"имя раздела"_s;
        QTest::newRow("line break in key") << plain << u"S"_s << u"a\nb"_s << u"имя параметра"_s;
        QTest::newRow("] in section") << plain << u"a]b"_s << u"k"_s << u"имя раздела"_s;
        QTest::newRow("= in key") << plain << u"S"_s << u"a=b"_s << u"имя параметра"_s;
        QTest::newRow("empty section") << plain << QString() << u"k"_s << u"имя раздела"_s;
        QTest::newRow("empty key") << plain << u"S"_s << QString() << u"имя параметра"_s;
        QTest::newRow("blank around section") << plain << u" S"_s << u"k"_s << u"имя раздела"_s;
        QTest::newRow("tab after key") << plain << u"S"_s << u"k\t"_s << u"имя параметра"_s;
    }

    void refusedNames() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, inMessage);
        const QString path = Fresh(u"names.ini"_s, before);
        const QString missing = Fresh(u"names-missing.ini"_s, QByteArray());
        const QString message = ErrorOf([&] { TIniFile(path).WriteString(section, key, u"v"_s); });
        QVERIFY2(message.contains(inMessage), qPrintable(message));
        QCOMPARE(ReadBytes(path), before);
        QVERIFY_THROWS_EXCEPTION(EFileError, TIniFile(missing).WriteString(section, key, u"v"_s));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // Names and values the file can hold are written once and found again by the next write,
    // which leaves the file as it is.
    void namesTheFileHolds_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        const QByteArray cp1251 = "[A]\r\na=1\r\n", utf8 = "\xEF\xBB\xBF[A]\r\na=1\r\n";
        QTest::newRow("Cyrillic in Windows-1251") << cp1251 << u"Раздел"_s << u"Ключ"_s << u"v"_s;
        QTest::newRow("any name in UTF-8") << utf8 << u"日本"_s << u"😀"_s << u"v"_s;
        // Reading drops only spaces and tabs around a name; other white space is part of it, so a
        // name read from a file can be written back.
        QTest::newRow("no-break spaces around a section")
            << cp1251 << u"\u00A0S\u00A0"_s << u"k"_s << u"v"_s;
        QTest::newRow("vertical tab ending a key") << cp1251 << u"S"_s << u"k\v"_s << u"v"_s;
        // In a UTF-8 file U+FEFF at the start of a name or value is no byte-order mark.
        QTest::newRow("UTF-8 value starting with U+FEFF")
            << utf8 << u"S"_s << u"k"_s << u"\uFEFFv"_s;
        QTest::newRow("UTF-8 section starting with U+FEFF")
            << utf8 << u"\uFEFFS"_s << u"k"_s << u"v"_s;
        QTest::newRow("UTF-8 key starting with U+FEFF") << utf8 << u"S"_s << u"\uFEFFk"_s << u"v"_s;
    }

    void namesTheFileHolds() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QString path = Fresh(u"held.ini"_s, before);
        TIniFile ini(path);
        ini.WriteString(section, key, value);
        const QByteArray once = ReadBytes(path);
        ini.WriteString(section.toUpper(), key.toLower(), value);
        QCOMPARE(ReadBytes(path), once);
        QCOMPARE(ini.ReadString(section, key, u"DEF"_s), value);
        QCOMPARE(ini.ReadString(u"A"_s, u"a"_s, u"DEF"_s), u"1"_s);
    }

    // A batch leaves the file as the same writes one by one do.
    void batchMatchesSingleWrites_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file

        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("garbage lines") << "\x01\x02zzz\r\n===\r\n[\r\n]]\r\n"_ba;
        QTest::newRow("byte-order mark alone") << "\xEF\xBB\xBF"_ba;
        QTest::newRow("last line without break") << "[B]\r\nx=1\r\n[A]\r\na="_ba;
        QTest::newRow("keys present, other case") << "[a]\r\nA=1\r\n\r\n[b]\r\nX= 2 \r\n; c\r\n"_ba;
        QTest::newRow("LF file, section twice") << "[B]\ny=0\n[C]\n[b]\nx=1\n"_ba;
    }

    void batchMatchesSingleWrites() {
        QFETCH(QByteArray, before);
        const QList<TIniValue> values = {
            {u"A"_s, u"a"_s, u"2"_s},   {u"B"_s, u"x"_s, u" y "_s},  {u"C"_s, u"k"_s, u"1"_s},
            {u"a"_s, u"new"_s, u"n"_s}, {u"c"_s, u"K"_s, u"last"_s}, {u"B"_s, u"y"_s, u"z"_s},
            {u"A"_s, u"a"_s, u"2"_s},   {u"D"_s, u"d"_s, u""_s},     {u"b"_s, u"more"_s, u"m"_s},
        };
        const QString batch = Fresh(u"batch.ini"_s, before);
        const QString single = Fresh(u"single.ini"_s, before);
        const TIniFileTraffic start = IniFileTrafficForTests();
        TIniFile(batch).WriteValues(values);
        QCOMPARE(IniFileTrafficForTests().Writes - start.Writes, 1);
        for (const TIniValue& v : values)
            TIniFile(single).WriteString(v.Section, v.Key, v.Value);
        QCOMPARE(ReadBytes(batch), ReadBytes(single));
    }

    // A file as large as a settings file may be, of short lines that each need a look: one read
    // of the file answers every read, and a batch of writes reads and writes it once.
    void largeFileReadOnce() {
        QByteArray filler;
        const QByteArray pattern = "[Filler]\r\n; a comment without an equals sign\r\nx=1\r\n";
        while (filler.size() < 16'000'000)
            filler += pattern;
        const QString path = Fresh(u"large.ini"_s, "[A]\r\na=1\r\n" + filler + "[B]\r\nb=2");
        const TIniFileTraffic start = IniFileTrafficForTests();
        const TIniSnapshot snapshot = TIniFile(path).Load();
        QCOMPARE(snapshot.ReadString(u"a", u"A", u"DEF"_s), u"1"_s);
        QCOMPARE(snapshot.ReadInteger(u"B", u"b", -1), 2);
        QCOMPARE(IniFileTrafficForTests().Reads - start.Reads, 1);

        TIniFile(path).WriteValues({{u"A"_s, u"a"_s, u"10"_s},
                                    {u"B"_s, u"new"_s, u"n"_s},
                                    {u"C"_s, u"c"_s, u"3"_s},
                                    {u"A"_s, u"a2"_s, u"x"_s}});
        const TIniFileTraffic end = IniFileTrafficForTests();
        QCOMPARE(end.Reads - start.Reads, 2);
        QCOMPARE(end.Writes - start.Writes, 1);
        QVERIFY(ReadBytes(path) ==
                "[A]\r\na=10\r\na2=x\r\n" + filler + "[B]\r\nb=2\r\nnew=n\r\n[C]\r\nc=3\r\n");
    }

    // A path that names no regular file reads as missing, without waiting for a writer or
    // reading for ever, and a write is refused in Russian without replacing what is there.
    void notARegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("inMessage"); // null: not written to (a system device)

        QTest::newRow("folder") << u"folder"_s << u"папка"_s;
        QTest::newRow("pipe") << u"pipe"_s << u"не обычный файл"_s;
        QTest::newRow("link to a pipe") << u"link"_s << u"не обычный файл"_s;
        QTest::newRow("endless device") << u"/dev/zero"_s << QString();
    }

    void notARegularFile() {
        QFETCH(QString, kind);
        QFETCH(QString, inMessage);
        QTemporaryDir dir;
        QString path = dir.filePath(u"odd.ini"_s);
        const QString pipe = kind == u"link"_s ? dir.filePath(u"pipe"_s) : path;
        if (kind == u"folder"_s)
            QVERIFY(QDir().mkpath(path));
        else if (kind == u"pipe"_s || kind == u"link"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        else
            path = kind;
        if (kind == u"link"_s)
            QVERIFY(QFile::link(pipe, path));

        TIniFile ini(path);
        QCOMPARE(ini.ReadString(u"S", u"k", u"DEF"_s), u"DEF"_s);
        QVERIFY(!ini.Load().ValueExists(u"S", u"k"));
        if (inMessage.isNull())
            return;
        const QStringList entries =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        const QString message = ErrorOf([&] { ini.WriteString(u"S", u"k", u"v"_s); });
        QVERIFY2(message.contains(inMessage) && !message.contains(u"Invalid"_s),
                 qPrintable(message));
        QVERIFY(!QFileInfo(path).isFile());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System),
                 entries);
    }
};

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_inifile.moc"
