#pragma once
// The application settings in "WorkData/System.set": language, device model,
// RS-485 mode, current sign ID, and the older ID list the group dialog still
// reads. The file is never held open: every getter reads it again and every
// setter writes it at once, so each change reaches the disk immediately.

#include <filesystem>
#include <string>
#include <string_view>

#include "model/IniFile.h"

namespace lumitag {

class Reporter;

class SettingsStore {
public:
    // Bound to "WorkData/System.set" in the current program folder.
    SettingsStore();
    explicit SettingsStore(std::filesystem::path path);

    // Where a failed write is shown ("Open failed"); must outlive the store.
    void SetReporter(Reporter* reporter) { file_.SetReporter(reporter); }
    const std::filesystem::path& Path() const { return file_.Path(); }

    // Getters give the default (0 or "") when the file cannot be read, and 0
    // or "" for a missing key. Setters return whether the file was written;
    // a failed write keeps the value in memory until the next read.
    int GetLanguage();  // LanguageIndex 1..14; 0: detect from the system
    bool SetLanguage(int language);
    std::string GetLedType();  // the model name; "" for none
    bool SetLedType(std::string_view model);
    int GetMode485();
    bool SetMode485(int mode);
    int GetNowSelID();  // the current sign ID; may lie outside 1..255
    bool SetNowSelID(int id);
    // Whether the rows' previews play their effects ("PlayPreviews"); off
    // unless set, so the window starts with still previews.
    bool GetPlayPreviews();
    bool SetPlayPreviews(bool on);

    // The older ID list, never written by this program.
    int GetLegacyIdCount();           // "LEDID_Num"
    std::string GetLegacyIdList();    // "LEDID_Str": 4-digit IDs back to back
    std::string GetLegacyIdName(int id);  // "LEDID%d"

private:
    int ReadInt(std::string_view section, std::string_view key);
    std::string ReadString(std::string_view section, std::string_view key);
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    CIniFile file_;
};

// "WorkData/System.set" under the current program folder.
std::filesystem::path SettingsFilePath();

}  // namespace lumitag
