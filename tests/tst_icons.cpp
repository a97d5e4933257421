// The icons: every command, navigator kind and site-browser entry has one of its own, drawn from
// the Breeze SVG files the program carries, and nothing is ever blank.
#include "app/actiontable.h"
#include "app/icons.h"

#include <QImage>
#include <QPixmap>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QImage Image(const QIcon& icon, int size = 16) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int InkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 64 ? 1 : 0;
    return n;
}

const QStringList NavigatorKeys = {u"a"_s,     u"img"_s,   u"object"_s,
                                   u"embed"_s, u"frame"_s, u"style"_s};
const QStringList SiteKeys = {u"folder"_s, u"page"_s, u"picture"_s, u"file"_s, u"up"_s};

QStringList AllKeys() {
    QStringList keys;
    for (const TActionRow& row : ActionTable())
        keys << QString::fromLatin1(row.Icon);
    keys << NavigatorKeys << SiteKeys;
    keys.removeDuplicates();
    return keys;
}

} // namespace

class TestIcons : public QObject {
    Q_OBJECT

private slots:
    void everyKeyHasAnIcon_data() {
        QTest::addColumn<QString>("key");
        for (const QString& key : AllKeys())
            QTest::newRow(qPrintable(key)) << key;
    }
    void everyKeyHasAnIcon() {
        QFETCH(QString, key);
        QVERIFY2(HasCommandIcon(key), "a key missing from the icon table draws a bare \"?\"");
        const QString breeze = CommandIconBreezeName(key);
        if (!breeze.isEmpty())
            QVERIFY2(HasBreezeIcon(breeze), qPrintable(breeze + u" is not in the resources"_s));
        for (int size : {16, 22, 24, 32})
            QVERIFY2(InkedPixels(Image(CommandIcon(key), size)) >= size,
                     qPrintable(u"blank at %1"_s.arg(size)));
    }

    // Copy and Paste once shared one blank icon; no two keys may look alike.
    void iconsDiffer() {
        QHash<QByteArray, QString> seen; // image bytes -> key
        for (const QString& key : AllKeys()) {
            const QImage image = Image(CommandIcon(key));
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                                   image.sizeInBytes());
            QVERIFY2(!seen.contains(bytes), qPrintable(key + u" looks like "_s + seen[bytes]));
            seen.insert(bytes, key);
        }
    }

    void brokenVariantDiffers_data() {
        QTest::addColumn<QString>("key");
        for (const QString& key : NavigatorKeys)
            QTest::newRow(qPrintable(key)) << key;
    }
    void brokenVariantDiffers() {
        QFETCH(QString, key);
        for (int size : {16, 32}) {
            const QImage broken = Image(BrokenCommandIcon(key), size);
            QVERIFY(broken != Image(CommandIcon(key), size));
            // The badge is a red disc over the lower right corner, between its cross's arms.
            const qreal centre = size - size * 9 / 32.0;
            const QRgb corner = broken.pixel(int(centre), int(centre - size * 0.2));
            QVERIFY2(qRed(corner) > 150 && qGreen(corner) < 120, qPrintable(QColor(corner).name()));
        }
    }

    // An SVG that cannot be read, or a key missing from the table, leaves letters, never an
    // empty square.
    void fallsBackToLetters() {
        QCOMPARE(Image(BreezeIcon(u"no-such-icon"_s, u"td"_s)), Image(LettersIcon(u"td"_s)));
        QVERIFY(InkedPixels(Image(LettersIcon(u"td"_s))) >= 16);
        QVERIFY(Image(LettersIcon(u"td"_s)) != Image(LettersIcon(u"tr"_s)));
        QVERIFY(InkedPixels(Image(CommandIcon(u"no-such-command"_s))) >= 16);
    }

    // Nothing is drawn until a size is asked for, and each size once.
    void drawnOnDemand() {
        QList<int> drawn;
        const QIcon icon = IconDrawnOnDemand([&drawn](int side) {
            drawn << side;
            QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::red);
            return image;
        });
        QVERIFY(!icon.isNull());
        QVERIFY(drawn.isEmpty());
        QCOMPARE(icon.pixmap(16).size(), QSize(16, 16));
        QCOMPARE(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
        QCOMPARE(icon.pixmap(24).size(), QSize(24, 24));
        QCOMPARE(drawn, QList<int>({16, 24}));
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
