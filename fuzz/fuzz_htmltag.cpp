// libFuzzer target for the tag model: any byte string is one 8-bit text. The parse must end with
// exactly one of its two outcome events, an error position must lie inside the normalised text,
// and the attribute lists must keep their invariants.
#include "html/HTMLTag.h"
#include "site/toolfunc.h"

#include <QObject>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    THTMLTag tag;
    int outcomes = 0;
    qint32 position = 0;
    QObject::connect(&tag, &THTMLTag::OnAfterParse, [&](QObject*) { ++outcomes; });
    QObject::connect(&tag, &THTMLTag::OnError, [&](QObject*, qint32 p) {
        ++outcomes;
        position = p;
    });
    tag.Parse(text);
    if (outcomes != 1)
        std::abort();
    if (position != 0 && (position < 1 || position > THTMLTag::NormalizeTagText(text).size()))
        std::abort();

    QStringList names;
    for (int i = 0; i < tag.AttributeCount(); ++i) {
        const THTMLTagProperty p = tag.GetAttributeByIndex(i);
        if (!p.Found || !IsValidTagName(p.AttrName) || p.AttrName == u"innertext"_s ||
            names.contains(p.AttrName))
            std::abort();
        names << p.AttrName;
    }
    tag.setAllowStrictNotation(size % 2 == 0);
    THTMLTag again;
    again.Parse(tag.GetTagText());
    return 0;
}
