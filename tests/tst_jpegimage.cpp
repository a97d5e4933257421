#include "app/jpegimage.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

enum class TKind { Rgb, Progressive, Gray, Cmyk };

// The left half of every test picture is red, the right half blue (as RGB; grey pictures use two
// grey levels), so the decoded colours can be checked.
QByteArray MakeJpeg(int width, int height, TKind kind) {
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = kind == TKind::Gray ? 1 : kind == TKind::Cmyk ? 4 : 3;
    info.in_color_space = kind == TKind::Gray   ? JCS_GRAYSCALE
                          : kind == TKind::Cmyk ? JCS_CMYK
                                                : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (kind == TKind::Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    QByteArray row(width * info.input_components, '\0');
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            unsigned char* p =
                reinterpret_cast<unsigned char*>(row.data()) + x * info.input_components;
            switch (kind) {
            case TKind::Gray:
                p[0] = left ? 40 : 200;
                break;
            case TKind::Cmyk: // inks stored inverted, as Adobe writes them
                p[0] = left ? 255 : 0;
                p[1] = 0;
                p[2] = left ? 0 : 255;
                p[3] = 255;
                break;
            default:
                p[0] = left ? 255 : 0;
                p[1] = 0;
                p[2] = left ? 0 : 255;
            }
        }
        JSAMPROW r = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

QByteArray Pixel(const TJpegImage& img, int x, int y) {
    return img.Pixels.mid((qsizetype(y) * img.Width + x) * 3, 3);
}

bool Near(const QByteArray& rgb, int r, int g, int b) {
    auto close = [](int a, int e) { return qAbs(a - e) <= 16; };
    return rgb.size() == 3 && close(uchar(rgb[0]), r) && close(uchar(rgb[1]), g) &&
           close(uchar(rgb[2]), b);
}

// What every result must satisfy, whatever the input: a failure carries no picture, a success a
// complete one.
void CheckConsistent(const TJpegImage& img, bool decoded) {
    if (!img.IsValid()) {
        QCOMPARE(img.Width, 0);
        QCOMPARE(img.Height, 0);
        QVERIFY(img.Pixels.isEmpty());
        return;
    }
    QVERIFY(img.Width > 0 && img.Height > 0);
    QCOMPARE(img.Pixels.size(), decoded ? qsizetype(img.Width) * img.Height * 3 : 0);
}

// Offset of the first marker 0xFF code at or after from, or -1.
qsizetype FindMarker(const QByteArray& jpeg, uchar code, qsizetype from = 0) {
    for (qsizetype i = from; i + 1 < jpeg.size(); ++i)
        if (uchar(jpeg[i]) == 0xFF && uchar(jpeg[i + 1]) == code)
            return i;
    return -1;
}

} // namespace

class TstJpegImage : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void files();
    void damaged_data();
    void damaged();
    void everyTruncation();
    void everyCorruptByte();
    void hugeDimensionsRefused();
    void endlessScansRefused();
};

void TstJpegImage::decode_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QByteArray>("right");

    QTest::newRow("baseline RGB") << int(TKind::Rgb) << "\xff\x00\x00"_ba
                                  << "\x00\x00\xff"_ba;
    QTest::newRow("progressive") << int(TKind::Progressive) << "\xff\x00\x00"_ba
                                 << "\x00\x00\xff"_ba;
    QTest::newRow("greyscale") << int(TKind::Gray) << "\x28\x28\x28"_ba
                               << "\xc8\xc8\xc8"_ba;
    QTest::newRow("CMYK") << int(TKind::Cmyk) << "\xff\x00\x00"_ba
                          << "\x00\x00\xff"_ba;
}

void TstJpegImage::decode() {
    QFETCH(int, kind);
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, right);

    const QByteArray jpeg = MakeJpeg(37, 21, TKind(kind));
    const TJpegImage size = ReadJpegSize(jpeg);
    QVERIFY2(size.IsValid(), qPrintable(size.Error));
    QCOMPARE(size.Width, 37);
    QCOMPARE(size.Height, 21);
    QVERIFY(size.Pixels.isEmpty());

    const TJpegImage img = DecodeJpeg(jpeg);
    QVERIFY2(img.IsValid(), qPrintable(img.Error));
    QVERIFY(img.Warning.isEmpty());
    QCOMPARE(img.Width, 37);
    QCOMPARE(img.Height, 21);
    QCOMPARE(img.Pixels.size(), 37 * 21 * 3);
    for (int y : {0, 10, 20}) {
        QVERIFY(Near(Pixel(img, 3, y), uchar(left[0]), uchar(left[1]), uchar(left[2])));
        QVERIFY(Near(Pixel(img, 33, y), uchar(right[0]), uchar(right[1]), uchar(right[2])));
    }
}

void TstJpegImage::files() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"картинка.jpg"_s);
    testutil::WriteBytes(path, MakeJpeg(64, 48, TKind::Rgb));

    const TJpegImage size = ReadJpegFileSize(path);
    QVERIFY2(size.IsValid(), qPrintable(size.Error));
    QCOMPARE(size.Width, 64);
    QCOMPARE(size.Height, 48);
    const TJpegImage img = DecodeJpegFile(path);
    QVERIFY2(img.IsValid(), qPrintable(img.Error));
    QCOMPARE(img.Pixels.size(), 64 * 48 * 3);

    const QString missing = dir.filePath(u"нет.jpg"_s);
    for (const TJpegImage& r : {ReadJpegFileSize(missing), DecodeJpegFile(missing)}) {
        QVERIFY(!r.IsValid());
        QVERIFY2(r.Error.contains(u"нет.jpg"_s), qPrintable(r.Error));
    }
    const TJpegImage folder = DecodeJpegFile(dir.path());
    QVERIFY(!folder.IsValid());
}

void TstJpegImage::damaged_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decodes"); // with a warning

    const QByteArray good = MakeJpeg(40, 40, TKind::Rgb);
    const qsizetype sof = FindMarker(good, 0xC0);
    const qsizetype sos = FindMarker(good, 0xDA);
    QVERIFY(sof > 0 && sos > sof);

    QByteArray zeroWidth = good;
    zeroWidth[sof + 7] = 0;
    zeroWidth[sof + 8] = 0;
    QByteArray badTables = good;
    for (qsizetype i = FindMarker(good, 0xC4) + 4; i < sos; ++i)
        badTables[i] = char(0xFF);
    QByteArray badScanData = good;
    for (qsizetype i = sos + 20; i < sos + 60; ++i)
        badScanData[i] = char(0xA5);

    QTest::newRow("not a JPEG") << "GIF89a\x01\x00\x01\x00"_ba << false;
    QTest::newRow("cut inside the headers") << good.left(sof + 4) << false;
    QTest::newRow("zero width") << zeroWidth << false;
    QTest::newRow("destroyed Huffman tables") << badTables << false;
    QTest::newRow("cut in the middle of the picture")
        << good.left(sos + (good.size() - sos) / 2) << true;
    QTest::newRow("damaged picture data") << badScanData << true;
}

void TstJpegImage::damaged() {
    QFETCH(QByteArray, data);
    QFETCH(bool, decodes);

    const TJpegImage img = DecodeJpeg(data);
    CheckConsistent(img, true);
    QCOMPARE(img.IsValid(), decodes);
    if (decodes) {
        QVERIFY(!img.Warning.isEmpty());
        QCOMPARE(img.Width, 40);
    } else {
        QVERIFY(img.Error.startsWith(u"Не удалось прочитать изображение JPEG"_s));
    }
}

void TstJpegImage::everyTruncation() {
    const QByteArray good = MakeJpeg(24, 16, TKind::Progressive);
    for (qsizetype n = 0; n < good.size(); ++n) {
        const QByteArray part = good.left(n);
        const TJpegImage size = ReadJpegSize(part);
        CheckConsistent(size, false);
        const TJpegImage img = DecodeJpeg(part);
        CheckConsistent(img, true);
        if (img.IsValid()) {
            QCOMPARE(img.Width, 24);
            QVERIFY2(!img.Warning.isEmpty(), "a cut picture must not pass as clean");
        }
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(u"cut at %1 bytes"_s.arg(n)));
    }
}

void TstJpegImage::everyCorruptByte() {
    const QByteArray good = MakeJpeg(24, 16, TKind::Rgb);
    for (qsizetype i = 0; i < good.size(); ++i) {
        for (char value : {char(0x00), char(0xFF), char(good[i] ^ 0x5A)}) {
            QByteArray bad = good;
            bad[i] = value;
            CheckConsistent(ReadJpegSize(bad), false);
            CheckConsistent(DecodeJpeg(bad), true);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"byte %1 set to %2"_s.arg(i).arg(uchar(value))));
        }
    }
}

void TstJpegImage::hugeDimensionsRefused() {
    QByteArray jpeg = MakeJpeg(16, 16, TKind::Rgb);
    const qsizetype sof = FindMarker(jpeg, 0xC0);
    // Height and width 65000 each: four billion pixels.
    jpeg[sof + 5] = jpeg[sof + 7] = char(0xFD);
    jpeg[sof + 6] = jpeg[sof + 8] = char(0xE8);
    const TJpegImage size = ReadJpegSize(jpeg);
    QVERIFY(size.IsValid());
    QCOMPARE(size.Width, 65000);
    const TJpegImage img = DecodeJpeg(jpeg);
    QVERIFY(!img.IsValid());
    QVERIFY2(img.Error.contains(u"слишком велико"_s), qPrintable(img.Error));
    CheckConsistent(img, true);
}

void TstJpegImage::endlessScansRefused() {
    // A progressive picture whose first scan is repeated hundreds of times: libjpeg accepts the
    // repeats with a warning, so only a limit on scans keeps the decoding short.
    const QByteArray good = MakeJpeg(16, 16, TKind::Progressive);
    const qsizetype first = FindMarker(good, 0xDA);
    QVERIFY(first > 0);
    // The scan's data ends at the next marker that is neither a stuffed 0xFF nor a restart.
    qsizetype next = first + 2 + (uchar(good[first + 2]) << 8 | uchar(good[first + 3]));
    for (; next + 1 < good.size(); ++next) {
        const uchar code = uchar(good[next + 1]);
        if (uchar(good[next]) == 0xFF && code != 0x00 && (code < 0xD0 || code > 0xD7))
            break;
    }
    QVERIFY(next + 1 < good.size());
    const QByteArray scan = good.mid(first, next - first);
    QByteArray many = good.left(next);
    for (int i = 0; i < 600; ++i)
        many += scan;
    many += good.mid(next);

    const TJpegImage img = DecodeJpeg(many);
    QVERIFY(!img.IsValid());
    QVERIFY2(img.Error.contains(u"500"_s), qPrintable(img.Error));
    CheckConsistent(img, true);

    // The same picture with a few repeats still decodes.
    QByteArray few = good.left(next) + scan + scan + good.mid(next);
    QVERIFY(DecodeJpeg(few).IsValid());
}

QTEST_GUILESS_MAIN(TstJpegImage)
#include "tst_jpegimage.moc"
