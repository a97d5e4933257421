#include "app/settings.h"

#include "app/inifile.h"
#include "app/textfile.h"

#include <functional>
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

TLoadedSettings LoadSettings(const TIniFile& ini) {
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
                               Shown(fontSize), ini.FileName(), sk::Editor, sk::FontSize,
                               QString::number(TSettings::DefaultFontSize));
    }

    s.IsWordWrap = ini.ReadBool(sk::Interface, sk::IsWordWrap, s.IsWordWrap);
    s.NavVisible = ini.ReadBool(sk::Interface, sk::NavVisible, s.NavVisible);
    return result;
}

void SaveSettings(TIniFile& ini, const TSettings& s) {
    std::optional<EFileError> first;
    auto attempt = [&](const std::function<void()>& write) {
        try {
            write();
        } catch (const EFileError& e) {
            if (!first)
                first = e;
        }
    };
    attempt([&] { ini.WriteString(sk::Shell, sk::OpenFrom, s.OpenFrom); });
    attempt([&] { ini.WriteString(sk::Shell, sk::SaveTo, s.SaveTo); });
    attempt([&] { ini.WriteString(sk::Shell, sk::PicsIn, s.PicsIn); });
    attempt([&] { ini.WriteString(sk::Editor, sk::FontName, s.FontName); });
    attempt([&] { ini.WriteInteger(sk::Editor, sk::FontSize, s.FontSize); });
    attempt([&] { ini.WriteBool(sk::Interface, sk::NavVisible, s.NavVisible); });
    attempt([&] { ini.WriteBool(sk::Interface, sk::IsWordWrap, s.IsWordWrap); });
    if (first)
        throw *first;
}
