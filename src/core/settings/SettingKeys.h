#pragma once

// One value of settings.ini: its section, its key and the text it reads as
// while the file does not have it.
struct SettingKey
{
    const char* section;
    const char* name;
    const char* fallback;
};

// Every value the program keeps in settings.ini, one line each. Section and
// key names are the file's own and never change (files written by earlier
// versions must keep working); see docs/GLOSSARY.md for the old spellings.
// Window places ([geometry] <window name>) are keyed by the window, so they
// have no line here (SettingsStore::windowGeometry).
namespace SettingKeys {
// clang-format off
inline constexpr SettingKey JournalDir       {"paths",      "journal_dir",  ""};
inline constexpr SettingKey HubUrl           {"KVN",        "url",          ""};
inline constexpr SettingKey HubConsent       {"KVN",        "kvn_consent",  "0"};
inline constexpr SettingKey HubCode          {"KVN",        "code",         ""};
inline constexpr SettingKey DownloadLink     {"links",      "download",     ""};
inline constexpr SettingKey ChatLink         {"links",      "chat",         ""};
inline constexpr SettingKey CommanderName    {"CMDR",       "Name",         ""};
inline constexpr SettingKey CarrierName      {"Carrier",    "Name",         ""};
inline constexpr SettingKey CarrierId        {"Carrier",    "CarrierID",    "0"};
inline constexpr SettingKey PhoneAddress     {"connection", "mobile_ip",    ""};
inline constexpr SettingKey ShowSystemInfo   {"windows",    "ch_bgs",       "0"};
inline constexpr SettingKey ShowCargo        {"windows",    "ch_cargo",     "0"};
inline constexpr SettingKey ShowConstruction {"windows",    "ch_construct", "0"};
inline constexpr SettingKey ShowDataBase     {"windows",    "ch_db",        "0"};
inline constexpr SettingKey ShowMarket       {"windows",    "ch_market",    "0"};
inline constexpr SettingKey ShowKelvane      {"windows",    "ch_kvn",       "0"};
inline constexpr SettingKey LockPanels       {"windows",    "lock_panels",  "1"};
inline constexpr SettingKey Language         {"windows",    "language",     ""};
inline constexpr SettingKey WebShared        {"web",        "share",        "0"};
inline constexpr SettingKey WebLocalOnly     {"web",        "local_only",   "0"};
inline constexpr SettingKey WebPort          {"web",        "port",         "18890"};
inline constexpr SettingKey ColonyNotify     {"colony",     "notify",       "1"};
inline constexpr SettingKey WebToken         {"web",        "token",        ""};
// clang-format on
}  // namespace SettingKeys
