#include "app/jpegimage.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

enum class TKind { Rgb, Progressive, Gray, Cmyk };

// The left and right half's colour in the picture's own components: red and blue, or two greys
// (CMYK inverted, as Adobe writes it).
QByteArray Half(TKind kind, bool left) {
    if (kind == TKind::Gray)
        return left ? "\x28"_ba : "\xc8"_ba;
    if (kind == TKind::Cmyk)
        return left ? "\xff\0\0\xff"_ba : "\0\0\xff\xff"_ba;
    return left ? "\xff\0\0"_ba : "\0\0\xff"_ba;
}

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
    info.input_components = int(Half(kind, true).size());
    info.in_color_space = kind == TKind::Gray   ? JCS_GRAYSCALE
                          : kind == TKind::Cmyk ? JCS_CMYK
                                                : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (kind == TKind::Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    QByteArray row;
    for (int x = 0; x < width; ++x)
        row += Half(kind, x < width / 2);
    auto* r = reinterpret_cast<JSAMPROW>(row.data());
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, &r, 1);
    jpeg_finish_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// Whether the pixel at (x, y) is within a JPEG's error of the colour rgb.
bool Near(const TJpegImage& img, int x, int y, const QByteArray& rgb) {
    const QByteArray px = img.Pixels.mid((qsizetype(y) * img.Width + x) * 3, 3);
    for (int i = 0; i < 3; ++i)
        if (px.size() != 3 || qAbs(uchar(px[i]) - uchar(rgb[i])) > 16)
            return false;
    return true;
}

// Whatever the input, a failure carries no picture and a success a complete one.
void CheckConsistent(const TJpegImage& img, bool decoded) {
    if (!img.IsValid()) {
        QVERIFY(img.Width == 0 && img.Height == 0 && img.Pixels.isEmpty());
        return;
    }
    QVERIFY(img.Width > 0 && img.Height > 0);
    QCOMPARE(img.Pixels.size(), decoded ? qsizetype(img.Width) * img.Height * 3 : 0);
}

// Offset of the first marker 0xFF code, or -1.
qsizetype FindMarker(const QByteArray& jpeg, uchar code) {
    for (qsizetype i = 0; i + 1 < jpeg.size(); ++i)
        if (uchar(jpeg[i]) == 0xFF && uchar(jpeg[i + 1]) == code)
            return i;
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(TKind)

class TstJpegImage : public QObject {
    Q_OBJECT

private slots:
    void decode_data() {
        QTest::addColumn<TKind>("kind");
        QTest::newRow("baseline RGB") << TKind::Rgb;
        QTest::newRow("progressive") << TKind::Progressive;
        QTest::newRow("greyscale") << TKind::Gray;
        QTest::newRow("CMYK") << TKind::Cmyk;
    }

    void decode() {
        QFETCH(TKind, kind);
        // As RGB: grey levels come out as three equal components, CMYK as red and blue.
        auto rgb = [kind](bool left) {
            const QByteArray half = Half(kind, left);
            return kind == TKind::Gray ? half.repeated(3) : half.left(3);
        };
        const QByteArray jpeg = MakeJpeg(37, 21, kind);
        const TJpegImage size = ReadJpegSize(jpeg);
        QCOMPARE(QSize(size.Width, size.Height), QSize(37, 21));

        const TJpegImage img = DecodeJpeg(jpeg);
        QVERIFY2(img.IsValid() && img.Warning.isEmpty(), qPrintable(img.Error + img.Warning));
        QCOMPARE(QSize(img.Width, img.Height), QSize(37, 21));
        QCOMPARE(img.Pixels.size(), 37 * 21 * 3);
        for (int y : {0, 10, 20})
            QVERIFY(Near(img, 3, y, rgb(true)) && Near(img, 33, y, rgb(false)));
    }

    void files() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"картинка.jpg"_s);
        testutil::WriteBytes(path, MakeJpeg(64, 48, TKind::Rgb));
        QCOMPARE(ReadJpegFileSize(path).Height, 48);
        QCOMPARE(DecodeJpegFile(path).Pixels.size(), 64 * 48 * 3);
        const QString missing = dir.filePath(u"нет.jpg"_s);
        for (const TJpegImage& r : {ReadJpegFileSize(missing), DecodeJpegFile(missing)})
            QVERIFY2(!r.IsValid() && r.Error.contains(u"нет.jpg"_s), qPrintable(r.Error));
        QVERIFY(!DecodeJpegFile(dir.path()).IsValid());
    }

    // Not a JPEG: a clear message. Damaged picture data: a picture all the same, with a warning.
    void damaged() {
        const TJpegImage gif = DecodeJpeg("GIF89a\x01\x00\x01\x00"_ba);
        QVERIFY2(!gif.IsValid() && gif.Error.startsWith(u"Не удалось прочитать изображение JPEG"_s),
                 qPrintable(gif.Error));

        QByteArray jpeg = MakeJpeg(40, 40, TKind::Rgb);
        const qsizetype sos = FindMarker(jpeg, 0xDA);
        QVERIFY(sos > 0);
        for (qsizetype i = sos + 20; i < sos + 60; ++i)
            jpeg[i] = char(0xA5);
        const TJpegImage img = DecodeJpeg(jpeg);
        QVERIFY(img.IsValid() && img.Width == 40 && !img.Warning.isEmpty());
    }

    // Any cut or damaged byte: no crash, no half-made picture, no cut picture passed as clean.
    void everyCutAndCorruptByte() {
        const QByteArray good = MakeJpeg(24, 16, TKind::Progressive);
        for (qsizetype i = 0; i < good.size(); ++i) {
            CheckConsistent(ReadJpegSize(good.left(i)), false);
            const TJpegImage cut = DecodeJpeg(good.left(i));
            CheckConsistent(cut, true);
            if (cut.IsValid())
                QVERIFY2(cut.Width == 24 && !cut.Warning.isEmpty(),
                         "a cut picture passed as clean");
            for (char value : {char(0x00), char(0xFF), char(good[i] ^ 0x5A)}) {
                QByteArray bad = good;
                bad[i] = value;
                CheckConsistent(ReadJpegSize(bad), false);
                CheckConsistent(DecodeJpeg(bad), true);
            }
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"cut or damaged at byte %1"_s.arg(i)));
        }
    }

    void hugeDimensionsRefused() {
        QByteArray jpeg = MakeJpeg(16, 16, TKind::Rgb);
        const qsizetype sof = FindMarker(jpeg, 0xC0);
        // Height and width 65000 each: four billion pixels.
        jpeg[sof + 5] = jpeg[sof + 7] = char(0xFD);
        jpeg[sof + 6] = jpeg[sof + 8] = char(0xE8);
        const TJpegImage size = ReadJpegSize(jpeg);
        QVERIFY(size.IsValid() && size.Width == 65000);
        const TJpegImage img = DecodeJpeg(jpeg);
        QVERIFY2(!img.IsValid() && img.Error.contains(u"слишком велико"_s), qPrintable(img.Error));
        CheckConsistent(img, true);
    }

    // A first scan repeated hundreds of times: libjpeg only warns, so a limit on scans is needed.
    void endlessScansRefused() {
        const QByteArray good = MakeJpeg(16, 16, TKind::Progressive);
        const qsizetype first = FindMarker(good, 0xDA);
        QVERIFY(first > 0);
        // The scan ends at the next marker: an 0xFF not followed by 00 (no restart markers here).
        qsizetype next = first + 2 + (uchar(good[first + 2]) << 8 | uchar(good[first + 3]));
        while (next + 1 < good.size() && !(uchar(good[next]) == 0xFF && good[next + 1] != 0))
            ++next;
        QVERIFY(next + 1 < good.size());
        const QByteArray scan = good.mid(first, next - first);
        const QByteArray many = good.left(next) + scan.repeated(600) + good.mid(next);
        const TJpegImage img = DecodeJpeg(many);
        QVERIFY2(!img.IsValid() && img.Error.contains(u"500"_s), qPrintable(img.Error));
        CheckConsistent(img, true);
        // A few repeats still decode.
        QVERIFY(DecodeJpeg(good.left(next) + scan + scan + good.mid(next)).IsValid());
    }
};

QTEST_GUILESS_MAIN(TstJpegImage)
#include "tst_jpegimage.moc"
