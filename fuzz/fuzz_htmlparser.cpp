// libFuzzer target for the page scanner: any byte string is one 8-bit page. The scan must end,
// and every list must keep each text once.
#include "html/HTMLParser.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString page =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    THTMLParser parser;
    parser.setLightMode(size % 2 == 1);
    parser.Parse(page);
    for (const QStringList* list : {&parser.HyperLinks(), &parser.Images(), &parser.AnchorNames(),
                                    &parser.Frames(), &parser.Objects(), &parser.Scripts()}) {
        if (QSet<QString>(list->begin(), list->end()).size() != list->size())
            std::abort();
    }
    return 0;
}
