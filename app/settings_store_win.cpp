// The settings store: loading and saving the page setup in the registry.
#include "app/settings_store.h"

#include "app/app_globals.h"
#include "app/decimal_text.h"
#include "app/registry_key.h"
#include "app/settings_values.h"
#include "print/text_helpers.h"

namespace {
float ReadMargin(const RegistryKey& key, const char* name, float preset) {
    char text[kMarginTextSize];
    return key.ReadString(name, text, sizeof text, "") ? MarginFromText(text) : preset;
}

void WriteMargin(const RegistryKey& key, const char* name, float margin) {
    char text[kFloatDecimalTextSize];
    key.WriteString(name, FormatOneDecimal(text, sizeof text, SaneMargin(margin)));
}

// A field that might have lost its terminator is written cut to the field.
template <std::size_t N>
void WriteField(const RegistryKey& key, const char* name, const char (&field)[N]) {
    char text[N];
    CopyBounded(text, sizeof text, field);
    key.WriteString(name, text);
}
}  // namespace

int AskWithMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

void LoadSettings(PrintSettings& settings, const char* printerFace) {
    ApplyPresets(settings, printerFace);
    CopyBounded(settings.Path, sizeof settings.Path, kPresetPath);
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, kSettingsKeyPath)) {
        return;  // the first run: the presets stand
    }
    char face[PrintSettings::kFaceSize];
    if (key.ReadString(kFontValue, face, sizeof face, "") && face[0] != '\0') {
        CopyBounded(settings.font, sizeof settings.font, face);
    }
    DWORD number = 0;
    if (key.ReadDword(kPitchValue, &number, 0)) {
        settings.Pitch = PitchFromStored(static_cast<std::int32_t>(number));
    }
    settings.LeftMargin = ReadMargin(key, kLeftMarginValue, settings.LeftMargin);
    settings.RightMargin = ReadMargin(key, kRightMarginValue, settings.RightMargin);
    settings.TopMargin = ReadMargin(key, kTopMarginValue, settings.TopMargin);
    settings.BottomMargin = ReadMargin(key, kBottomMarginValue, settings.BottomMargin);
    if (key.ReadDword(kTabSizeValue, &number, 0)) {
        settings.TabSize = static_cast<std::int32_t>(number);
    }
    key.ReadFlag(kSingleSheetsValue, &settings.SingleSheets, settings.SingleSheets);
    key.ReadFlag(kPageNumbersValue, &settings.PageNumbers, settings.PageNumbers);
    key.ReadFlag(kLineNumbersValue, &settings.LineNumbers, settings.LineNumbers);
    key.ReadFlag(kFormFeedValue, &settings.FormFeed, settings.FormFeed);
    char path[PrintSettings::kPathSize];
    if (key.ReadString(kPathValue, path, sizeof path, "") && IsUsablePathPattern(path)) {
        CopyBounded(settings.Path, sizeof settings.Path, path);
    }
}

int SaveSettings(const PrintSettings& settings, bool directoryChanged, bool settingsChanged,
                 QuestionFunction ask) {
    if (directoryChanged) {
        RegistryKey key;
        if (key.Create(HKEY_CURRENT_USER, kSettingsKeyPath)) {
            WriteField(key, kPathValue, settings.Path);
        }
    }
    if (!settingsChanged) {
        return 0;
    }
    int answer =
        ask(MainWindowHandle, "Save settings?", "Quillmar", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES) {
        return answer;
    }
    RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, kSettingsKeyPath)) {
        return IDYES;
    }
    WriteField(key, kFontValue, settings.font);
    key.WriteDword(kPitchValue, static_cast<DWORD>(settings.Pitch));
    WriteMargin(key, kLeftMarginValue, settings.LeftMargin);
    WriteMargin(key, kRightMarginValue, settings.RightMargin);
    WriteMargin(key, kTopMarginValue, settings.TopMargin);
    WriteMargin(key, kBottomMarginValue, settings.BottomMargin);
    key.WriteDword(kTabSizeValue, static_cast<DWORD>(settings.TabSize));
    key.WriteByte(kSingleSheetsValue, settings.SingleSheets ? 1 : 0);
    key.WriteByte(kPageNumbersValue, settings.PageNumbers ? 1 : 0);
    key.WriteByte(kLineNumbersValue, settings.LineNumbers ? 1 : 0);
    key.WriteByte(kFormFeedValue, settings.FormFeed ? 1 : 0);
    return IDYES;
}
