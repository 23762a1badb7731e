#include "model/SettingsStore.h"

#include "model/FileAccess.h"
#include "model/ProgramFolder.h"

namespace lumitag {
namespace {

constexpr std::string_view kSetting = "Setting";
constexpr std::string_view kLedData = "LEDData";

}  // namespace

std::filesystem::path SettingsFilePath() { return ProgramFolder() / "WorkData" / "System.set"; }

SettingsStore::SettingsStore() : SettingsStore(SettingsFilePath()) {}

SettingsStore::SettingsStore(std::filesystem::path path) : file_(std::move(path)) {}

int SettingsStore::ReadInt(std::string_view section, std::string_view key)
{
    return file_.Load() ? file_.GetInt(section, key) : 0;
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view key)
{
    return file_.Load() ? file_.GetString(section, key) : std::string();
}

bool SettingsStore::WriteInt(std::string_view section, std::string_view key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

bool SettingsStore::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    // Read-modify-write under the folder's lock: a setting another process
    // changed since the last read here is merged in and kept.
    FolderLock lock(file_.Path().parent_path());
    file_.Load();
    file_.PutString(section, key, value, true);
    return file_.Save();
}

int SettingsStore::GetLanguage() { return ReadInt(kSetting, "Language"); }
bool SettingsStore::SetLanguage(int language) { return WriteInt(kSetting, "Language", language); }

std::string SettingsStore::GetLedType() { return ReadString(kSetting, "LedType"); }
bool SettingsStore::SetLedType(std::string_view model) { return WriteString(kSetting, "LedType", model); }

int SettingsStore::GetMode485() { return ReadInt(kSetting, "Mode485"); }
bool SettingsStore::SetMode485(int mode) { return WriteInt(kSetting, "Mode485", mode); }

int SettingsStore::GetNowSelID() { return ReadInt(kLedData, "NowSelID"); }
bool SettingsStore::SetNowSelID(int id) { return WriteInt(kLedData, "NowSelID", id); }

bool SettingsStore::GetPlayPreviews() { return ReadInt(kSetting, "PlayPreviews") == 1; }
bool SettingsStore::SetPlayPreviews(bool on) { return WriteInt(kSetting, "PlayPreviews", on ? 1 : 0); }

int SettingsStore::GetLegacyIdCount() { return ReadInt(kLedData, "LEDID_Num"); }
std::string SettingsStore::GetLegacyIdList() { return ReadString(kLedData, "LEDID_Str"); }
std::string SettingsStore::GetLegacyIdName(int id)
{
    return ReadString(kLedData, "LEDID" + std::to_string(id));
}

}  // namespace lumitag
