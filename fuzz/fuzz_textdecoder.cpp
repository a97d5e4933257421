// libFuzzer target for the text-file decoder: any bytes decode, a NUL byte is always reported,
// and no CR survives as a line break of its own.
#include "app/textfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TReadInfo info;
    const QString text = TextFromFileBytes(bytes, &info);
    if (info.HasNul != bytes.contains('\0'))
        std::abort();
    if (text.size() > 2 * bytes.size() + 1)
        std::abort();
    return 0;
}
