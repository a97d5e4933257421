// The seven values the program carries from one run to the next in its settings file.
#pragma once

#include "app/apphome.h"

#include <QString>
#include <QStringList>

class TIniFile;

// Section and key names of the settings file. The new-document wizard reads Shell/SaveTo too.
namespace settingskeys {
inline constexpr QStringView Shell = u"Shell";
inline constexpr QStringView OpenFrom = u"OpenFrom";
inline constexpr QStringView SaveTo = u"SaveTo";
inline constexpr QStringView PicsIn = u"PicsIn";
inline constexpr QStringView Editor = u"Editor";
inline constexpr QStringView FontName = u"FontName";
inline constexpr QStringView FontSize = u"FontSize";
inline constexpr QStringView Interface = u"Interface";
inline constexpr QStringView IsWordWrap = u"IsWordWrap";
inline constexpr QStringView NavVisible = u"NavVisible";
} // namespace settingskeys

struct TSettings {
    static constexpr int DefaultFontSize = 10;
    // Font sizes outside this range would leave the editor unusable; they count as invalid.
    static constexpr int MinFontSize = 1;
    static constexpr int MaxFontSize = 1000;

    QString OpenFrom = DefaultFolder(); // initial folder of the open dialog
    QString SaveTo = DefaultFolder();   // initial folder of the Save As dialog
    QString PicsIn = DefaultFolder();   // initial folder of the picture dialog
    QString FontName = QStringLiteral("Courier New");
    int FontSize = DefaultFontSize;
    bool IsWordWrap = true;
    bool NavVisible = true;

    friend bool operator==(const TSettings&, const TSettings&) = default;
};

struct TLoadedSettings {
    TSettings Settings;
    // Russian texts of values that could not be used (the default stands in for each); the main
    // window shows them once.
    QStringList Problems;
};

// Reads the settings with one read of the file; whatever is missing or unreadable keeps its
// default.
TLoadedSettings LoadSettings(const TIniFile& file);

// Writes all seven values in place, with one read and one write of the file. Every value is
// attempted even when one fails, so one bad value does not lose the others; the first failure is
// then thrown as EFileError.
void SaveSettings(TIniFile& ini, const TSettings& settings);
