// libFuzzer target for the scan that reads only what changed: a page, then edits to it, each
// followed by a scan of the changed stretches that must give what a scan of the whole text
// gives. Input: the number of edits (one byte), four bytes an edit (position, characters
// removed, text inserted), then the page as 8-bit text.
#include "html/HTMLParser.h"
#include "tests/support/scanfields.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

class TStringSource : public TScanSource {
public:
    QString Page;
    qsizetype Length() const override { return Page.size(); }
    QString Text(qsizetype from, qsizetype to) const override { return Page.mid(from, to - from); }
};

const char* const kInserts[] = {"<",
                                ">",
                                "<a href=\"",
                                "\"",
                                "<title>",
                                "</title>",
                                "<style>.",
                                "\n",
                                " ",
                                "<img src=x>",
                                "<body>",
                                "<script>",
                                "<a name=n>",
                                "<meta name=author content=a>",
                                "<link href=s.css>",
                                ""};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const size_t edits = data[0] % 16;
    if (size < 1 + 4 * edits)
        return 0;
    const uint8_t* edit = data + 1;
    const uint8_t* pageBytes = edit + 4 * edits;
    TStringSource source;
    source.Page = QString::fromLatin1(reinterpret_cast<const char*>(pageBytes),
                                      qsizetype(data + size - pageBytes));
    auto chunks = std::make_shared<TScanChunks>();
    // Tiny stretches and pieces: a short input holds many of them.
    chunks->StretchChars = 8;
    chunks->PieceChars = 32;
    THTMLParser incremental, whole;
    const auto check = [&] {
        incremental.ParseSource(chunks, source);
        whole.Parse(source.Page);
        if (ScanFields(incremental) != ScanFields(whole))
            std::abort();
    };
    check();
    for (size_t i = 0; i < edits; ++i, edit += 4) {
        const qsizetype length = source.Page.size();
        const qsizetype pos = (edit[0] | edit[1] << 8) % (length + 1);
        const qsizetype removed = qMin<qsizetype>(edit[2] % 24, length - pos);
        const QString inserted = QString::fromLatin1(kInserts[edit[3] % std::size(kInserts)]);
        source.Page.replace(pos, removed, inserted);
        chunks->Change(pos, removed, inserted.size());
        check();
    }
    return 0;
}
