#include "markup/ColorTemplates.h"

#include "app/textfile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
constexpr QChar kFieldEnd = QChar(27);
constexpr int kFieldCount = 6;

// The file holds one name per line between ESC marks, in Windows-1251: a name that breaks a
// line, holds an ESC or has no code there would not come back as it went out. Nor would one that
// starts with the Windows-1251 reading of a UTF-8 byte-order mark ("п»ї"): written first, it
// would make the file read as UTF-8.
bool FileCanKeep(const QString& name) {
    for (const QChar c : name)
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    return CanEncodeCp1251(name) && !name.startsWith(u"\u043F\u00BB\u0457");
}
} // namespace

TColorTemplate DefaultColorTemplate() {
    return BuiltInColorTemplates().constFirst();
}

QList<TColorTemplate> BuiltInColorTemplates() {
    const auto scheme = [](const QString& name, const QString& bg, const QString& text,
                           const QString& link, const QString& alink, const QString& vlink) {
        return TColorTemplate{name,
                              HtmlToColor(bg),
                              HtmlToColor(text),
                              HtmlToColor(link),
                              HtmlToColor(alink),
                              HtmlToColor(vlink)};
    };
    return {
        scheme(u"Default"_s, u"#ffffff"_s, u"#000000"_s, u"#0000ff"_s, u"#ff0000"_s, u"#800080"_s),
        scheme(u"Elegant"_s, u"#ffffff"_s, u"#000000"_s, u"#808080"_s, u"#c0c0c0"_s, u"#000000"_s),
        scheme(u"Orange"_s, u"#ffffff"_s, u"#000000"_s, u"#ff8000"_s, u"#000000"_s, u"#804000"_s),
    };
}

TColorTemplates::TColorTemplates(QObject* parent) : QObject(parent) {}

void TColorTemplates::LoadFromFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    QString text = ReadTextFile(path);
    // Saved by another editor in UTF-8 with a byte-order mark: the names are read as UTF-8 (the
    // Windows-1251 reading is reversible, so the bytes are had back exactly).
    const QString utf8Bom = DecodeCp1251("\xEF\xBB\xBF");
    if (text.startsWith(utf8Bom))
        text = NormalizeLineBreaks(
            QString::fromUtf8(EncodeCp1251(QStringView(text).mid(utf8Bom.size()))));
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (CountChar(line.toString(), kFieldEnd) != kFieldCount)
            continue;
        const QList<QStringView> f = line.split(kFieldEnd);
        AddTemplate({f[0].toString(), HtmlToColor(f[1].toString()), HtmlToColor(f[2].toString()),
                     HtmlToColor(f[3].toString()), HtmlToColor(f[4].toString()),
                     HtmlToColor(f[5].toString())});
    }
}

QString TColorTemplates::FileText() const {
    QString text;
    for (const TColorTemplate& t : FTemplates) {
        for (const QString& field :
             {t.Name, ColorToHtml(t.BgColor), ColorToHtml(t.TextColor), ColorToHtml(t.LinkColor),
              ColorToHtml(t.ALinkColor), ColorToHtml(t.VLinkColor)})
            text += field + kFieldEnd;
        text += u'\n';
    }
    return text;
}

void TColorTemplates::SaveToFile(const QString& path) const {
    WriteTextFile(path, FileText());
}

void TColorTemplates::AddBuiltInsIfEmpty() {
    if (!FTemplates.isEmpty())
        return;
    for (const TColorTemplate& t : BuiltInColorTemplates())
        AddTemplate(t);
}

int TColorTemplates::IndexOf(const QString& name) const {
    for (int i = 0; i < FTemplates.size(); ++i)
        if (FTemplates.at(i).Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList TColorTemplates::Names() const {
    QStringList names;
    for (const TColorTemplate& t : FTemplates)
        names << t.Name;
    return names;
}

bool TColorTemplates::AddTemplate(const TColorTemplate& record) {
    TColorTemplate t = record;
    t.Name = t.Name.trimmed();
    if (t.Name.isEmpty() || IndexOf(t.Name) >= 0 || !FileCanKeep(t.Name))
        return false;
    FTemplates.append(t);
    emit OnAddTemplate(t.Name);
    return true;
}

bool TColorTemplates::ChangeTemplate(const QString& name, const TColorTemplate& record) {
    const int i = IndexOf(name);
    if (i < 0)
        return false;
    TColorTemplate& t = FTemplates[i];
    const QString kept = t.Name;
    t = record;
    t.Name = kept;
    emit OnChangeTemplate(kept);
    return true;
}

bool TColorTemplates::DeleteTemplate(const QString& name) {
    const int i = IndexOf(name);
    if (i < 0 || FTemplates.size() <= 1)
        return false;
    const QString removed = FTemplates.takeAt(i).Name;
    emit OnDeleteTemplate(removed);
    return true;
}

TColorTemplate TColorTemplates::GetTemplate(const QString& name) const {
    return GetTemplateAt(IndexOf(name));
}

TColorTemplate TColorTemplates::GetTemplateAt(int index) const {
    if (index < 0 || index >= FTemplates.size())
        return DefaultColorTemplate();
    return FTemplates.at(index);
}
