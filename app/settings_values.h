// The page setup as stored values: the key that holds them, their names, presets and the
// rules that turn what was read into settings that can be used.
#pragma once

#include <cstddef>
#include <cstdint>

// Under HKEY_CURRENT_USER.
inline constexpr char kSettingsKeyPath[] = "Software\\Vornhald Freeware\\Quillmar\\Settings";

inline constexpr char kFontValue[] = "font";
inline constexpr char kPitchValue[] = "Pitch";
inline constexpr char kLeftMarginValue[] = "LeftMargin";
inline constexpr char kRightMarginValue[] = "RightMargin";
inline constexpr char kTopMarginValue[] = "TopMargin";
inline constexpr char kBottomMarginValue[] = "BottomMargin";
inline constexpr char kTabSizeValue[] = "TabSize";
inline constexpr char kSingleSheetsValue[] = "SingleSheets";
inline constexpr char kPageNumbersValue[] = "PageNumbers";
inline constexpr char kLineNumbersValue[] = "LineNumbers";
inline constexpr char kFormFeedValue[] = "FormFeed";
inline constexpr char kPathValue[] = "Path";

inline constexpr char kPresetPath[] = "C:\\*.*";
inline constexpr std::int32_t kPresetPitch = 12;

// A stored margin text: 29 characters and the terminator.
inline constexpr std::size_t kMarginTextSize = 30;

// The margin a stored text gives: the number it starts with (see ParseDecimal); 0 when it
// starts with none, and when that number is negative, not finite or beyond a float's range.
float MarginFromText(const char* text);

// A margin as it may be kept and saved: 0 in place of a negative, infinite or NaN one.
float SaneMargin(float margin);

// A stored point size: as stored from 1 to 999, otherwise the preset 12.
std::int32_t PitchFromStored(std::int32_t pitch);

// True when `pattern` can start the file browser: it has a directory part (a drive colon, or a
// backslash or slash after the first character; see DirectoryPartLength) and ends in "\*.*".
// Other patterns read as kPresetPath: a cut one such as "C:\dir\*." would list only names
// without a dot.
bool IsUsablePathPattern(const char* pattern);

// True when the file list's `pattern` fits the Path setting whole (259 characters). One that
// does not is not saved: the Path stored before stays.
bool FitsPathSetting(const char* pattern);
