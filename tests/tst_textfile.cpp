#include "app/textfile.h"
#include <QtTest>
class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void placeholder() { QCOMPARE(DecodeCp1251("a"), QStringLiteral("a")); }
};
QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
