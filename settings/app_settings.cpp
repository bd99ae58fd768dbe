#include "settings/app_settings.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <utility>

#include "config/file_lock.h"
#include "settings/ini_file.h"
#include "settings/settings_path.h"

namespace zurcfg {

namespace {

constexpr char kServices[] = "SERVICES";
constexpr char kInterrupts[] = "INTERRUPTS";
constexpr char kBanks[] = "BANKS";
constexpr char kTypes[] = "TYPES";
constexpr char kAdditional[] = "ADDITIONAL";
constexpr char kPaths[] = "PATHS";
constexpr char kSetup[] = "SETUP";

// The default Configuration of a file without keys: one task and no platform selected.
Configuration FirstStartConfiguration() {
    Configuration configuration;
    configuration.OS_TASKS = 1;
    configuration.PLATFORM = -1;
    return configuration;
}

template <typename Record, typename FieldTable, typename Visit>
void VisitFields(Record& record, const char* section, const FieldTable& fields, Visit& visit) {
    for (const auto& field : fields) {
        visit(section, field.name, record.*field.member);
    }
}

// Visits each stored field of the default Configuration with its section and key, in the order
// in which the file stores them. PROJECT_NAME is not stored.
template <typename Record, typename Visit>
void VisitStoredFields(Record& configuration, Visit&& visit) {
    VisitFields(configuration, kServices, kCountFields, visit);
    VisitFields(configuration, kServices, kServiceSwitchFields, visit);
    VisitFields(configuration, kInterrupts, kInterruptSwitchFields, visit);
    VisitFields(configuration, kBanks, kBankFields, visit);
    VisitFields(configuration, kTypes, kSizeFields, visit);
    VisitFields(configuration, kTypes, kMessageTypeFields, visit);
    visit(kAdditional, "PLATFORM", configuration.PLATFORM);
}

template <typename Settings, typename Visit>
void VisitSetupValues(Settings& settings, Visit&& visit) {
    visit(kSetup, "ZURVERSION", settings.ZURVERSION);
    visit(kSetup, "ZURVERSIONTIP", settings.ZURVERSIONTIP);
}

std::string PathKey(std::size_t index) {
    return "path" + std::to_string(index);
}

// Replaces each visited value by the file's, keeping it where the file has no key. Switches
// read as on for any value other than 0.
class ValueReader {
public:
    explicit ValueReader(const IniFile& file) : file_(file) {}

    template <typename Value>
    void operator()(const char* section, const char* key, Value& value) const {
        if constexpr (std::is_same_v<Value, std::string>) {
            value = file_.ReadText(section, key, value);
        } else if constexpr (std::is_same_v<Value, uint8_t>) {
            value = file_.ReadInt(section, key, value) != 0 ? 1 : 0;
        } else {
            value = file_.ReadInt(section, key, value);
        }
    }

private:
    const IniFile& file_;
};

// Writes each visited value: numbers in decimal, switches as 0 or 1, texts unchanged.
class ValueWriter {
public:
    explicit ValueWriter(IniFile& file) : file_(file) {}

    template <typename Value>
    void operator()(const char* section, const char* key, const Value& value) const {
        if constexpr (std::is_same_v<Value, std::string>) {
            file_.WriteText(section, key, value);
        } else if constexpr (std::is_same_v<Value, uint8_t>) {
            file_.WriteText(section, key, value != 0 ? "1" : "0");
        } else {
            file_.WriteText(section, key, std::to_string(value));
        }
    }

private:
    IniFile& file_;
};

// The list ends at the first absent or empty key; keys behind that gap are ignored.
RecentPaths ReadRecentPaths(const IniFile& file) {
    RecentPaths paths;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        paths[i] = file.ReadText(kPaths, PathKey(i), "");
        if (paths[i].empty()) {
            break;
        }
    }
    return paths;
}

// This window's list on top, then the paths that others stored meanwhile, each once.
RecentPaths MergedRecentPaths(const RecentPaths& own, const RecentPaths& stored) {
    RecentPaths merged;
    std::size_t count = 0;
    for (const RecentPaths* list : {&own, &stored}) {
        for (const std::string& path : *list) {
            if (path.empty() || count == merged.size()) {
                break;
            }
            if (std::find(merged.begin(), merged.begin() + count, path) == merged.begin() + count) {
                merged[count++] = path;
            }
        }
    }
    return merged;
}

}  // namespace

AppSettings::AppSettings(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {
    LoadSettings();
}

// Read under the settings' lock, so that a save by another window is never met halfway: Windows
// cannot open a file while it is being replaced. A lock held too long still lets the file be read.
void AppSettings::LoadSettings() {
    const IniFile file = [this] {
        const FileLock lock(settingsPath_);
        return IniFile::Load(settingsPath_);
    }();
    const ValueReader read(file);

    defaultConfiguration = FirstStartConfiguration();
    VisitStoredFields(defaultConfiguration, read);

    recentPaths = ReadRecentPaths(file);

    ZURVERSION = 0;
    ZURVERSIONTIP = 1;
    VisitSetupValues(*this, read);
}

bool AppSettings::SaveSettings() {
    // Another window may save the file meanwhile; the lock keeps its paths from being lost
    // between this read and this write.
    const FileLock lock(settingsPath_);
    if (!lock.Held()) {
        return false;
    }
    // What the file holds beside the members is kept, so a file that cannot be read is not
    // written: its stored defaults and recent paths would be lost.
    std::optional<IniFile> read = IniFile::Read(settingsPath_);
    if (!read) {
        return false;
    }
    IniFile& file = *read;
    const ValueWriter write(file);

    VisitStoredFields(std::as_const(defaultConfiguration), write);
    // Keys of higher numbers, left from an earlier and longer list, stay in the file.
    const RecentPaths paths = MergedRecentPaths(recentPaths, ReadRecentPaths(file));
    for (std::size_t i = 0; i < paths.size() && !paths[i].empty(); ++i) {
        file.WriteText(kPaths, PathKey(i), paths[i]);
    }
    VisitSetupValues(std::as_const(*this), write);

    return file.Save(settingsPath_);
}

std::string AppSettings::DefaultSettingsPath() {
    return SettingsPathForProgram(RunningProgramPath(), PlatformIniFolder());
}

}  // namespace zurcfg
