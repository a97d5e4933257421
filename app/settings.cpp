#include "app/settings.h"

#include "app/inifile.h"

#include <optional>

using namespace Qt::StringLiterals;
namespace sk = settingskeys;

namespace {

// A bad value in the message is cut short: the file may hold anything.
QString Shown(const QString& value) {
    constexpr qsizetype kMax = 40;
    return value.size() > kMax ? value.left(kMax) + u'…' : value;
}

} // namespace

TLoadedSettings LoadSettings(const TIniFile& file) {
    // One read of the file for all seven values.
    const TIniSnapshot ini = file.Load();
    TLoadedSettings result;
    TSettings& s = result.Settings;
    s.OpenFrom = ini.ReadString(sk::Shell, sk::OpenFrom, s.OpenFrom);
    s.SaveTo = ini.ReadString(sk::Shell, sk::SaveTo, s.SaveTo);
    s.PicsIn = ini.ReadString(sk::Shell, sk::PicsIn, s.PicsIn);

    const QString fontName = ini.ReadString(sk::Editor, sk::FontName, s.FontName);
    if (!fontName.isEmpty())
        s.FontName = fontName;

    const QString fontSize =
        ini.ReadString(sk::Editor, sk::FontSize, QString::number(TSettings::DefaultFontSize));
    const std::optional<int> size = ParseWholeNumber(fontSize);
    if (size && *size >= TSettings::MinFontSize && *size <= TSettings::MaxFontSize) {
        s.FontSize = *size;
    } else {
        result.Problems << u"Недопустимый размер шрифта «%1» в файле настроек «%2» (раздел %3, "
                           u"параметр %4). Используется размер %5."_s.arg(
                               Shown(fontSize), file.FileName(), sk::Editor, sk::FontSize,
                               QString::number(TSettings::DefaultFontSize));
    }

    s.IsWordWrap = ini.ReadBool(sk::Interface, sk::IsWordWrap, s.IsWordWrap);
    s.NavVisible = ini.ReadBool(sk::Interface, sk::NavVisible, s.NavVisible);
    return result;
}

void SaveSettings(TIniFile& ini, const TSettings& s) {
    const auto number = [](int value) { return QString::number(value); };
    ini.WriteValues({
        {sk::Shell.toString(), sk::OpenFrom.toString(), s.OpenFrom},
        {sk::Shell.toString(), sk::SaveTo.toString(), s.SaveTo},
        {sk::Shell.toString(), sk::PicsIn.toString(), s.PicsIn},
        {sk::Editor.toString(), sk::FontName.toString(), s.FontName},
        {sk::Editor.toString(), sk::FontSize.toString(), number(s.FontSize)},
        {sk::Interface.toString(), sk::NavVisible.toString(), number(s.NavVisible ? 1 : 0)},
        {sk::Interface.toString(), sk::IsWordWrap.toString(), number(s.IsWordWrap ? 1 : 0)},
    });
}
