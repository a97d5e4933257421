// libFuzzer target for the JPEG size reader: any bytes give a size or a Russian error, never a
// crash, and a size is never negative.
#include "app/jpegimage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TJpegImage image =
        ReadJpegSize(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (image.Error.isEmpty() && (image.Width <= 0 || image.Height <= 0))
        std::abort();
    if (image.Width < 0 || image.Height < 0)
        std::abort();
    return 0;
}
