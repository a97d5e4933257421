#include "app/inifile.h"
#include "app/textfile.h"
#include "support/testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TstIniFile : public QObject {
    Q_OBJECT

private slots:
    void writeInPlace_data();
    void writeInPlace();
    void read_data();
    void read();
    void longValueIsCut();
    void numbers_data();
    void numbers();
    void refusedWrites_data();
    void refusedWrites();
    void unchangedValueNeedsNoWrite();
    void symlinkAndPermissionsKept();
    void pipeIsNeitherReadNorReplaced();

private:
    QTemporaryDir FDir;
};

namespace {

const QByteArray kCp1251Comment = testutil::Cp1251(u"; настройки программы"_s);

} // namespace

void TstIniFile::writeInPlace_data() {
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray tail = "  ; trailing note\r\n\r\n[Other]\r\nx=1\r\n\x01garbage\x02\r\n";
    QTest::newRow("value replaced, comments and foreign keys kept")
        << kCp1251Comment + "\r\n[Shell]\r\nForeign=keep me\r\nOpenFrom=/old\r\n" + tail
        << u"Shell"_s << u"OpenFrom"_s << u"/new/place"_s
        << kCp1251Comment + "\r\n[Shell]\r\nForeign=keep me\r\nOpenFrom=/new/place\r\n" + tail;
    QTest::newRow("names match without case, stored spelling kept")
        << "[shell]\r\nOPENFROM=a\r\n"_ba << u"Shell"_s << u"OpenFrom"_s << u"b"_s
        << "[shell]\r\nOPENFROM=b\r\n"_ba;
    QTest::newRow("blanks around the value stay")
        << "[S]\r\nk = old  \r\n"_ba << u"S"_s << u"k"_s << u"new"_s << "[S]\r\nk = new  \r\n"_ba;
    QTest::newRow("value containing '=' replaced whole")
        << "[S]\r\nk=a=b\r\n"_ba << u"S"_s << u"k"_s << u"c"_s << "[S]\r\nk=c\r\n"_ba;
    QTest::newRow("key appended after the section's last key")
        << "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n"_ba << u"A"_s << u"c"_s << u"3"_s
        << "[A]\r\na=1\r\nc=3\r\n\r\n[B]\r\nb=2\r\n"_ba;
    QTest::newRow("key appended to a section without keys")
        << "[A]\r\n[B]\r\nb=2\r\n"_ba << u"A"_s << u"k"_s << u"v"_s
        << "[A]\r\nk=v\r\n[B]\r\nb=2\r\n"_ba;
    QTest::newRow("section appended")
        << "[A]\r\na=1\r\n"_ba << u"B"_s << u"k"_s << u"v"_s << "[A]\r\na=1\r\n[B]\r\nk=v\r\n"_ba;
    QTest::newRow("key after a last line without line break")
        << "[A]\r\na=1"_ba << u"A"_s << u"b"_s << u"2"_s << "[A]\r\na=1\r\nb=2\r\n"_ba;
    QTest::newRow("LF file gets LF lines")
        << "[A]\na=1\n"_ba << u"B"_s << u"k"_s << u"v"_s << "[A]\na=1\n[B]\nk=v\n"_ba;
    QTest::newRow("missing file created")
        << QByteArray() << u"S"_s << u"k"_s << u"v"_s << "[S]\r\nk=v\r\n"_ba;
    QTest::newRow("first of two same-named sections")
        << "[A]\r\n[a]\r\nk=old\r\n"_ba << u"A"_s << u"k"_s << u"new"_s
        << "[A]\r\nk=new\r\n[a]\r\nk=old\r\n"_ba;
    QTest::newRow("header without ']' ends the section before it")
        << "[A]\r\n[B\r\nk=x\r\n"_ba << u"A"_s << u"k"_s << u"v"_s
        << "[A]\r\nk=v\r\n[B\r\nk=x\r\n"_ba;
    QTest::newRow("lines before any section are not a section")
        << "junk\r\nk=top\r\n"_ba << u"S"_s << u"k"_s << u"v"_s
        << "junk\r\nk=top\r\n[S]\r\nk=v\r\n"_ba;
    QTest::newRow("header with blanks and a comment")
        << "  [ S ] ; c\r\nk=1\r\n"_ba << u"S"_s << u"k"_s << u"2"_s << "  [ S ] ; c\r\nk=2\r\n"_ba;
    QTest::newRow("Cyrillic value in Windows-1251")
        << "[S]\r\nk=1\r\n"_ba << u"S"_s << u"k"_s << u"/home/Мои документы"_s
        << "[S]\r\nk="_ba + testutil::Cp1251(u"/home/Мои документы"_s) + "\r\n";
    QTest::newRow("UTF-8 file with byte-order mark stays UTF-8")
        << "\xEF\xBB\xBF[S]\r\nk=a\r\n"_ba << u"S"_s << u"k"_s << u"Папка"_s
        << "\xEF\xBB\xBF[S]\r\nk="_ba + u"Папка"_s.toUtf8() + "\r\n";
    QTest::newRow("byte-order mark alone")
        << "\xEF\xBB\xBF"_ba << u"S"_s << u"k"_s << u"v"_s << "\xEF\xBB\xBF[S]\r\nk=v\r\n"_ba;
}

void TstIniFile::writeInPlace() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    const QString path = FDir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".ini"_s);
    QFile::remove(path);
    if (!before.isNull())
        testutil::WriteBytes(path, before);

    TIniFile ini(path);
    ini.WriteString(section, key, value);
    QCOMPARE(testutil::ReadBytes(path), after);
    QCOMPARE(ini.ReadString(section, key, u"<none>"_s), value);
    // A second object on the same file sees the value at once.
    QCOMPARE(TIniFile(path).ReadString(section.toLower(), key.toUpper(), u"<none>"_s), value);
}

void TstIniFile::read_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray file = "top=0\r\n"
                            "[Shell]\r\n"
                            "  OpenFrom  =  /a b  \r\n"
                            "Empty=\r\n"
                            "Eq=x=y\r\n"
                            "=nokey\r\n"
                            "garbage line\r\n"
                            "[Broken\r\n"
                            "hidden=1\r\n"
                            "[ Editor ]\r\n"
                            "FontName=Courier New\r\n"
                            "FontName=second\r\n"_ba +
                            testutil::Cp1251(u"Имя=Значение"_s) + "\r\n";
    QTest::newRow("blanks trimmed") << file << u"Shell"_s << u"OpenFrom"_s << u"/a b"_s;
    QTest::newRow("empty value is empty") << file << u"Shell"_s << u"Empty"_s << u""_s;
    QTest::newRow("value holding '='") << file << u"Shell"_s << u"Eq"_s << u"x=y"_s;
    QTest::newRow("missing key") << file << u"Shell"_s << u"SaveTo"_s << u"DEF"_s;
    QTest::newRow("missing section") << file << u"Interface"_s << u"top"_s << u"DEF"_s;
    QTest::newRow("key under a broken header") << file << u"Shell"_s << u"hidden"_s << u"DEF"_s;
    QTest::newRow("header with inner blanks")
        << file << u"Editor"_s << u"FontName"_s << u"Courier New"_s;
    QTest::newRow("Windows-1251 names and values")
        << file << u"editor"_s << u"имя"_s << u"Значение"_s;
    QTest::newRow("no sections at all")
        << "OpenFrom=/x\r\nrubbish\r\n"_ba << u"Shell"_s << u"OpenFrom"_s << u"DEF"_s;
    QTest::newRow("binary junk") << "\x00\xff\x01[\r\n=\r\n\xfe"_ba << u"Shell"_s << u"k"_s
                                 << u"DEF"_s;
    QTest::newRow("UTF-8 byte-order mark")
        << "\xEF\xBB\xBF[Shell]\nOpenFrom="_ba + u"/дом"_s.toUtf8() + "\n"
        << u"Shell"_s << u"OpenFrom"_s << u"/дом"_s;
    QTest::newRow("missing file") << QByteArray() << u"Shell"_s << u"OpenFrom"_s << u"DEF"_s;
}

void TstIniFile::read() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QString path = FDir.filePath(u"read.ini"_s);
    QFile::remove(path);
    if (!content.isNull())
        testutil::WriteBytes(path, content);
    const TIniFile ini(path);
    QCOMPARE(ini.ReadString(section, key, u"DEF"_s), expected);
    QCOMPARE(ini.ValueExists(section, key), expected != u"DEF"_s);
}

void TstIniFile::longValueIsCut() {
    const QString path = FDir.filePath(u"long.ini"_s);
    const QByteArray exact(TIniFile::MaxValueLength, 'e');
    testutil::WriteBytes(path, "[S]\r\nexact=" + exact + "\r\nlong=" + QByteArray(100000, 'l') +
                                   "\r\nnext=ok\r\n");
    const TIniFile ini(path);
    QCOMPARE(ini.ReadString(u"S", u"exact", {}), QString::fromLatin1(exact));
    QCOMPARE(ini.ReadString(u"S", u"long", {}), QString(TIniFile::MaxValueLength, u'l'));
    QCOMPARE(ini.ReadString(u"S", u"next", {}), u"ok"_s);
}

void TstIniFile::numbers_data() {
    QTest::addColumn<QByteArray>("value"); // null: no key
    QTest::addColumn<int>("integer");      // read with default -7
    QTest::addColumn<bool>("isNumber");    // otherwise booleans take their default

    QTest::newRow("one") << "1"_ba << 1 << true;
    QTest::newRow("zero") << "0"_ba << 0 << true;
    QTest::newRow("two is true") << "2"_ba << 2 << true;
    QTest::newRow("minus one") << "-1"_ba << -1 << true;
    QTest::newRow("plus sign") << "+5"_ba << 5 << true;
    QTest::newRow("blanks around") << "  12\t"_ba << 12 << true;
    QTest::newRow("int minimum") << "-2147483648"_ba << std::numeric_limits<int>::min() << true;
    QTest::newRow("letter") << "x"_ba << -7 << false;
    QTest::newRow("empty") << ""_ba << -7 << false;
    QTest::newRow("fraction") << "1.5"_ba << -7 << false;
    QTest::newRow("hexadecimal") << "0x10"_ba << -7 << false;
    QTest::newRow("digits then text") << "10pt"_ba << -7 << false;
    QTest::newRow("beyond int") << "2147483648"_ba << -7 << false;
    QTest::newRow("missing key") << QByteArray() << -7 << false;
}

void TstIniFile::numbers() {
    QFETCH(QByteArray, value);
    QFETCH(int, integer);
    QFETCH(bool, isNumber);

    const QString path = FDir.filePath(u"numbers.ini"_s);
    testutil::WriteBytes(path, value.isNull() ? "[N]\r\n"_ba : "[N]\r\nv=" + value + "\r\n");
    const TIniFile ini(path);
    QCOMPARE(ini.ReadInteger(u"N", u"v", -7), integer);
    if (isNumber) {
        QCOMPARE(ini.ReadBool(u"N", u"v", false), integer != 0);
        QCOMPARE(ini.ReadBool(u"N", u"v", true), integer != 0);
    } else {
        QCOMPARE(ini.ReadBool(u"N", u"v", false), false);
        QCOMPARE(ini.ReadBool(u"N", u"v", true), true);
    }
}

void TstIniFile::refusedWrites_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("inMessage");

    QTest::newRow("folder missing") << u"nofolder"_s << u"v"_s << u"nofolder"_s;
    QTest::newRow("read-only file") << u"readonly"_s << u"v"_s << u"отказано в доступе"_s;
    QTest::newRow("path is a folder") << u"folder"_s << u"v"_s << u"папка"_s;
    QTest::newRow("file too large to keep") << u"huge"_s << u"v"_s << u"слишком велик"_s;
    QTest::newRow("character outside Windows-1251") << u"plain"_s << u"/home/日本"_s << u"日"_s;
    QTest::newRow("line break in value")
        << u"plain"_s << u"a\n[Evil]\nk=1"_s << u"перевод строки"_s;
}

void TstIniFile::refusedWrites() {
    QFETCH(QString, setup);
    QFETCH(QString, value);
    QFETCH(QString, inMessage);

    QTemporaryDir dir;
    QString path = dir.filePath(u"settings.ini"_s);
    const QByteArray original = "; keep\r\n[S]\r\nk=old\r\n";
    if (setup == u"nofolder"_s) {
        path = dir.filePath(u"nofolder/settings.ini"_s);
    } else if (setup == u"folder"_s) {
        QVERIFY(QDir().mkpath(path));
    } else if (setup == u"huge"_s) {
        testutil::WriteBytes(path, original + QByteArray(16 * 1024 * 1024, ';'));
    } else {
        testutil::WriteBytes(path, original);
        if (setup == u"readonly"_s)
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    const QByteArray before = testutil::ReadBytes(path);

    TIniFile ini(path);
    bool thrown = false;
    try {
        ini.WriteString(u"S", u"k", value);
    } catch (const EFileError& e) {
        thrown = true;
        QVERIFY2(e.Message().contains(inMessage), qPrintable(e.Message()));
    }
    QVERIFY(thrown);
    QCOMPARE(testutil::ReadBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
             setup == u"nofolder"_s || setup == u"folder"_s ? 0 : 1);
}

void TstIniFile::unchangedValueNeedsNoWrite() {
    // A read-only settings file that already holds the values is no failure.
    const QString path = FDir.filePath(u"same.ini"_s);
    testutil::WriteBytes(path, "[S]\r\nk=1\r\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    TIniFile ini(path);
    ini.WriteBool(u"S", u"k", true);
    QVERIFY_THROWS_EXCEPTION(EFileError, ini.WriteBool(u"S", u"k", false));
    QCOMPARE(testutil::ReadBytes(path), "[S]\r\nk=1\r\n"_ba);
}

void TstIniFile::symlinkAndPermissionsKept() {
    const QString target = FDir.filePath(u"target.ini"_s);
    const QString link = FDir.filePath(u"link.ini"_s);
    testutil::WriteBytes(target, "[S]\r\nk=1\r\n");
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(QFile::link(target, link));

    TIniFile(link).WriteInteger(u"S", u"k", -42);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(testutil::ReadBytes(target), "[S]\r\nk=-42\r\n"_ba);
    QCOMPARE(QFileInfo(target).permissions() & 0x7077,
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TstIniFile::pipeIsNeitherReadNorReplaced() {
    const QString path = FDir.filePath(u"pipe.ini"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    TIniFile ini(path);
    QCOMPARE(ini.ReadString(u"S", u"k", u"DEF"_s), u"DEF"_s); // must not wait for a writer
    QVERIFY_THROWS_EXCEPTION(EFileError, ini.WriteString(u"S", u"k", u"v"_s));
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_inifile.moc"
