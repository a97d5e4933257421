// libFuzzer target for the project file reader and writer. The input is the bytes of a project
// file ("<title>.qsf"). Reading gives a project (its main page always a valid page name) and never
// fails; the project written back into the file it came from reads back the same, and writing it
// once more changes no byte. Written to a new file it reads back the same too, but for a value
// Windows-1251 cannot hold (from a UTF-8 project file): that one is refused with a message.
#include "app/textfile.h"
#include "site/WebSite.h"
#include "site/toolfunc.h"

#include "fuzz/fuzzfiles.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QTemporaryDir& Folder() {
    return fuzzfiles::Folder("site");
}

using fuzzfiles::Get;
using fuzzfiles::Put;

struct TProject {
    QString Title;
    QString MainPage;
    QString RootDir;
    bool operator==(const TProject&) const = default;
};

TProject Load(const QString& path) {
    TWebSite site;
    site.LoadFromFile(path);
    // A missing file (a save that refused every value) leaves the project as it was made.
    if (site.Active() != QFile::exists(path))
        std::abort();
    return {site.Title(), site.MainPage(), site.RootDir()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = Folder().filePath(u"site.qsf"_s);
    const QString fresh = Folder().filePath(u"fresh.qsf"_s);
    Put(path, bytes);

    TWebSite site;
    site.LoadFromFile(path);
    if (!site.Active() || !IsHtmlFile(site.MainPage()) || !IsValidFileName(site.MainPage()))
        std::abort();
    const TProject read{site.Title(), site.MainPage(), site.RootDir()};

    // Written back into its own file: the values came from it, so its encoding holds them.
    try {
        site.SaveToFile(path);
    } catch (const EFileError&) {
        std::abort();
    }
    const QByteArray saved = Get(path);
    if (Load(path) != read)
        std::abort();
    try {
        site.SaveToFile(path);
    } catch (const EFileError&) {
        std::abort();
    }
    if (Get(path) != saved)
        std::abort();

    // Written to a new file, a Windows-1251 one. A value that encoding lacks is refused with a
    // message; the others are still written, as the INI writer does.
    QFile::remove(fresh);
    bool refused = false;
    try {
        site.SaveToFile(fresh);
    } catch (const EFileError& e) {
        refused = true;
        if (e.Message().isEmpty())
            std::abort();
    }
    const TProject back = Load(fresh);
    const auto same = [](const QString& value, const QString& readBack) {
        return CanEncodeCp1251(value) ? readBack == value : readBack != value;
    };
    if (refused == CanEncodeCp1251(read.Title + read.MainPage + read.RootDir) ||
        !same(read.Title, back.Title) || !same(read.MainPage, back.MainPage) ||
        !same(read.RootDir, back.RootDir))
        std::abort();
    return 0;
}
