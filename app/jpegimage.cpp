#include "app/jpegimage.h"

#include "app/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

// A progressive picture can be made of any number of scans, each costing a pass over the whole
// picture; damaged or hostile files use that to take minutes.
constexpr int kMaxScans = 500;
// Memory libjpeg may take for a picture's coefficients (progressive pictures keep them all).
constexpr long kMaxLibraryMemory = 1024L * 1024 * 1024;
// Larger files are not pictures anyone puts on a page.
constexpr qint64 kMaxFileSize = 256 * 1024 * 1024;

enum class TFailure { None, Library, TooManyScans, TooLarge, OutOfMemory };

struct TErrorManager {
    jpeg_error_mgr Pub; // first member: libjpeg hands back a pointer to it
    std::jmp_buf Jump;
    TFailure Failure = TFailure::None;
    char Message[JMSG_LENGTH_MAX] = {};
    char Warning[JMSG_LENGTH_MAX] = {};
};

TErrorManager* ErrorsOf(j_common_ptr info) {
    return reinterpret_cast<TErrorManager*>(info->err);
}

// libjpeg's own handler ends the process; this one returns to the setjmp in Guarded().
[[noreturn]] void ErrorExit(j_common_ptr info) {
    TErrorManager* err = ErrorsOf(info);
    (*info->err->format_message)(info, err->Message);
    if (err->Failure == TFailure::None)
        err->Failure = TFailure::Library;
    std::longjmp(err->Jump, 1);
}

// Warnings (damaged data that can still be decoded) are kept, the first one as text; trace
// messages are dropped. Nothing is ever printed.
void EmitMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return;
    TErrorManager* err = ErrorsOf(info);
    if (err->Warning[0] == '\0')
        (*info->err->format_message)(info, err->Warning);
    ++info->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

void Progress(j_common_ptr info) {
    if (!info->is_decompressor)
        return;
    auto* d = reinterpret_cast<j_decompress_ptr>(info);
    if (d->progressive_mode && d->input_scan_number > kMaxScans) {
        TErrorManager* err = ErrorsOf(info);
        err->Failure = TFailure::TooManyScans;
        std::longjmp(err->Jump, 1);
    }
}

struct TJob {
    jpeg_decompress_struct* Info;
    jpeg_progress_mgr* ProgressMgr;
    const unsigned char* Data;
    unsigned long Size;
    bool Decode;
    TJpegImage* Out;
};

// Adobe's CMYK pictures store the inks inverted, so a full value means no ink.
void CmykToRgb(const JSAMPLE* in, unsigned char* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const int k = in[3];
        out[0] = static_cast<unsigned char>(in[0] * k / 255);
        out[1] = static_cast<unsigned char>(in[1] * k / 255);
        out[2] = static_cast<unsigned char>(in[2] * k / 255);
    }
}

// Runs under the jump buffer: libjpeg may leave this function by longjmp at any call, so nothing
// here may own a resource; the picture's memory belongs to the caller's TJpegImage and libjpeg's
// own memory to its pools, freed by jpeg_destroy_decompress.
void Work(TJob* job) {
    j_decompress_ptr info = job->Info;
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxLibraryMemory;
    info->progress = job->ProgressMgr;
    jpeg_mem_src(info, job->Data, job->Size);
    jpeg_read_header(info, TRUE);
    job->Out->Width = int(info->image_width);
    job->Out->Height = int(info->image_height);
    if (!job->Decode)
        return;
    if (qint64(info->image_width) * info->image_height > MaxJpegPixels) {
        ErrorsOf(reinterpret_cast<j_common_ptr>(info))->Failure = TFailure::TooLarge;
        return;
    }
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(info);
    const JDIMENSION width = info->output_width;
    const qsizetype stride = qsizetype(width) * 3;
    job->Out->Width = int(width);
    job->Out->Height = int(info->output_height);
    job->Out->Pixels.resize(stride * qsizetype(info->output_height));
    JSAMPARRAY cmykRow = cmyk ? (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info),
                                                           JPOOL_IMAGE, width * 4, 1)
                              : nullptr;
    unsigned char* pixels = reinterpret_cast<unsigned char*>(job->Out->Pixels.data());
    while (info->output_scanline < info->output_height) {
        unsigned char* dest = pixels + stride * qsizetype(info->output_scanline);
        if (cmyk) {
            if (jpeg_read_scanlines(info, cmykRow, 1) == 1)
                CmykToRgb(cmykRow[0], dest, width);
        } else {
            JSAMPROW row = dest;
            jpeg_read_scanlines(info, &row, 1);
        }
    }
    jpeg_finish_decompress(info);
}

bool Guarded(TJob* job, TErrorManager* err) {
    if (setjmp(err->Jump) != 0)
        return false;
    Work(job);
    return err->Failure == TFailure::None;
}

QString Failed(const QString& detail) {
    return u"Не удалось прочитать изображение JPEG: %1."_s.arg(detail);
}

TJpegImage Run(QByteArrayView data, bool decode) {
    TJpegImage image;
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    TErrorManager err;
    info.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.emit_message = EmitMessage;
    err.Pub.output_message = OutputMessage;
    jpeg_progress_mgr progress;
    std::memset(&progress, 0, sizeof progress);
    progress.progress_monitor = Progress;
    TJob job{&info,
             &progress,
             reinterpret_cast<const unsigned char*>(data.data()),
             static_cast<unsigned long>(data.size()),
             decode,
             &image};
    bool ok = false;
    try {
        ok = Guarded(&job, &err);
    } catch (const std::bad_alloc&) {
        err.Failure = TFailure::OutOfMemory;
    }
    jpeg_destroy_decompress(&info);
    if (err.Warning[0] != '\0')
        image.Warning = QString::fromLatin1(err.Warning);
    if (ok)
        return image;

    switch (err.Failure) {
    case TFailure::TooManyScans:
        image.Error = Failed(
            u"слишком много проходов прогрессивного изображения (больше %1)"_s.arg(kMaxScans));
        break;
    case TFailure::TooLarge:
        image.Error = Failed(
            u"изображение слишком велико (%1 × %2 точек)"_s.arg(image.Width).arg(image.Height));
        break;
    case TFailure::OutOfMemory:
        image.Error = Failed(u"недостаточно памяти"_s);
        break;
    default:
        image.Error = Failed(u"файл повреждён или не является изображением JPEG (%1)"_s.arg(
            QString::fromLatin1(err.Message)));
        break;
    }
    image.Pixels.clear();
    image.Width = image.Height = 0;
    return image;
}

TJpegImage RunFile(const QString& path, bool decode) {
    TJpegImage image;
    const QFileInfo fi(path);
    if (fi.exists() && !fi.isFile()) { // a folder, or a device or pipe that could block
        image.Error = u"Не удалось прочитать файл «%1»: %2."_s.arg(
            QDir::toNativeSeparators(path), SystemErrorText(fi.isDir() ? EISDIR : EINVAL));
        return image;
    }
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        image.Error = u"Не удалось прочитать файл «%1»: %2."_s.arg(
            QDir::toNativeSeparators(path), SystemErrorText(errno ? errno : ENOENT));
        return image;
    }
    errno = 0;
    const QByteArray bytes = f.read(kMaxFileSize + 1);
    if (f.error() != QFileDevice::NoError) {
        image.Error = u"Не удалось прочитать файл «%1»: %2."_s.arg(
            QDir::toNativeSeparators(path), SystemErrorText(errno ? errno : EIO));
        return image;
    }
    if (bytes.size() > kMaxFileSize) {
        image.Error = u"Не удалось прочитать файл «%1»: %2."_s.arg(QDir::toNativeSeparators(path),
                                                                   SystemErrorText(EFBIG));
        return image;
    }
    return Run(bytes, decode);
}

} // namespace

TJpegImage ReadJpegSize(QByteArrayView data) {
    return Run(data, false);
}

TJpegImage ReadJpegFileSize(const QString& path) {
    return RunFile(path, false);
}

TJpegImage DecodeJpeg(QByteArrayView data) {
    return Run(data, true);
}

TJpegImage DecodeJpegFile(const QString& path) {
    return RunFile(path, true);
}
