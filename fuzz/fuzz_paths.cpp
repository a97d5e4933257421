// libFuzzer target for link resolution and page-relative paths: the input is split at the first
// NUL into two paths, tried in the Linux form and the backslash-and-drive form.
#include "markup/elementlogic.h"
#include "site/toolfunc.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = bytes.indexOf('\0');
    const QString first = QString::fromLatin1(cut < 0 ? bytes : bytes.first(cut));
    const QString second = cut < 0 ? QString() : QString::fromLatin1(bytes.sliced(cut + 1));
    ResolveLink(first, second, u'/');
    ResolveLink(first, second, u'\\');
    for (const TPathRules& rules : {NativePathRules(), DrivePathRules()}) {
        const QString relative = PageRelativePath(first, second, rules);
        // The file's own name always ends the path written into the page.
        const QString name = ExtractFileName(first, rules.Separator);
        if (!name.isEmpty() &&
            !relative.endsWith(rules.Separator == u'\\' ? ReplaceChar(name, u'\\', u'/', true)
                                                        : name))
            std::abort();
    }
    return 0;
}
