// libFuzzer target for the colour template file. The input is the bytes of a template file.
// Any file loads; every template loaded has a trimmed name the file can keep, and no two names
// are the same letter case aside. The set saved and loaded again is the same set, in the same
// order, and saving that one gives the same bytes.
#include "app/textfile.h"
#include "markup/ColorTemplates.h"

#include "fuzz/fuzzfiles.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QTemporaryDir& Folder() {
    return fuzzfiles::Folder("colors");
}

using fuzzfiles::Get;
using fuzzfiles::Put;

QList<TColorTemplate> All(const TColorTemplates& set) {
    QList<TColorTemplate> list;
    for (int i = 0; i < set.TemplateCount(); ++i)
        list << set.GetTemplateAt(i);
    return list;
}

void CheckNames(const TColorTemplates& set) {
    const QStringList names = set.Names();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (name.isEmpty() || name.trimmed() != name || !CanEncodeCp1251(name))
            std::abort();
        for (const QChar c : name)
            if (c.unicode() < 32 || c.unicode() == 127)
                std::abort();
        if (set.IndexOf(name) != i)
            std::abort();
    }
}

void Save(const TColorTemplates& set, const QString& path) {
    try {
        set.SaveToFile(path);
    } catch (const EFileError&) {
        std::abort(); // every name loaded is one the file can keep
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = Folder().filePath(u"colors.tpl"_s);
    const QString copy = Folder().filePath(u"copy.tpl"_s);
    Put(path, bytes);

    TColorTemplates loaded;
    try {
        loaded.LoadFromFile(path);
    } catch (const EFileError&) {
        std::abort(); // a small regular file is always readable
    }
    CheckNames(loaded);
    const QList<TColorTemplate> set = All(loaded);

    Save(loaded, copy);
    const QByteArray saved = Get(copy);
    TColorTemplates again;
    again.LoadFromFile(copy);
    if (All(again) != set)
        std::abort();
    Save(again, copy);
    if (Get(copy) != saved)
        std::abort();
    return 0;
}
