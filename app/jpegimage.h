// JPEG pictures through libjpeg: the pixel size of a picture file and the decoded pixels of the
// pictures the windows show. Damaged data is reported, never fatal.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct TJpegImage {
    int Width = 0;
    int Height = 0;
    // RGB888: Width * 3 bytes per row, rows from the top, no padding. Empty for size reads.
    QByteArray Pixels;
    // Why the data could not be read (Russian, with the library's detail); empty on success.
    QString Error;
    // The first complaint about damaged data that could still be decoded (for example a truncated
    // file, whose missing part comes out grey); empty when the data was clean.
    QString Warning;

    bool IsValid() const { return Error.isEmpty(); }
};

// Pictures larger than this many pixels are refused rather than decoded.
inline constexpr qint64 MaxJpegPixels = 64 * 1024 * 1024;

// Reads only the headers: Width and Height.
TJpegImage ReadJpegSize(QByteArrayView data);
TJpegImage ReadJpegFileSize(const QString& path);

// Decodes the whole picture into Pixels. Greyscale and CMYK pictures come out as RGB as well.
TJpegImage DecodeJpeg(QByteArrayView data);
TJpegImage DecodeJpegFile(const QString& path);
