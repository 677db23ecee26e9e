// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ncp/settings_router.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace quorvex {

class SettingsStore;

// Every value the program keeps between runs lives in section "Options" of the
// settings store, as text. This file is the one place that names the keys,
// their types and defaults, and the rules that turn the text into a value and
// back.
//
// Reading: a missing key gives the default. A key whose text does not convert
// leaves the field as it was (at start-up 0, False or empty); the default is
// deliberately not used then, so a value the user emptied stays empty.
enum class SettingType
{
    Byte,
    Boolean,
    Single,
    String
};

struct SettingKey
{
    const char* name;
    SettingType type;
    const char* defaultText;

    QString key() const { return QString::fromLatin1(name); }
    QString defaultValue() const { return QString::fromLatin1(defaultText); }
};

namespace keys {
inline constexpr SettingKey Height{"Height", SettingType::Single, "6285"};
inline constexpr SettingKey Width{"Width", SettingType::Single, "8775"};
inline constexpr SettingKey Path{"Path", SettingType::String, "\\"};
inline constexpr SettingKey HidFiles{"HidFiles", SettingType::Byte, "0"};
inline constexpr SettingKey Pattern{"Pattern", SettingType::String, "*.*"};
inline constexpr SettingKey Seconds{"Seconds", SettingType::Byte, "10"};
inline constexpr SettingKey ConnNo{"ConnNo", SettingType::Byte, "1"};
inline constexpr SettingKey TaskNo{"TaskNo", SettingType::Byte, "1"};
inline constexpr SettingKey Opened{"Opened", SettingType::Byte, "1"};
inline constexpr SettingKey FileRights{"FileRights", SettingType::Byte, "1"};
inline constexpr SettingKey DirRights{"DirRights", SettingType::Byte, "1"};
inline constexpr SettingKey Locked{"Locked", SettingType::Byte, "1"};
inline constexpr SettingKey Login{"Login", SettingType::Byte, "1"};
inline constexpr SettingKey Address{"Address", SettingType::Byte, "1"};
inline constexpr SettingKey FileYes{"FileYes", SettingType::Boolean, "False"};
inline constexpr SettingKey FileNo{"FileNo", SettingType::Boolean, "False"};
inline constexpr SettingKey ViaBeep{"ViaBeep", SettingType::Byte, "1"};
inline constexpr SettingKey ViaMsg{"ViaMsg", SettingType::Byte, "1"};
inline constexpr SettingKey LogFile{"LogFile", SettingType::Byte, "0"};
inline constexpr SettingKey Overwrite{"Overwrite", SettingType::Byte, "0"};
inline constexpr SettingKey FDrive{"FDrive", SettingType::String, "c:"};
inline constexpr SettingKey FDir{"FDir", SettingType::String, "\\"};
inline constexpr SettingKey FFile{"FFile", SettingType::String, ""};

// History keys: prefix + index 0..24, default "".
inline constexpr const char* PathHistoryPrefix = "Path_";
inline constexpr const char* PatternHistoryPrefix = "Pattern_";
inline constexpr int HistoryKeyCount = 25;
} // namespace keys

inline const QString kOptionsSection = QStringLiteral("Options");
using nw::kServersSection;

// Conversions from the stored text; nullopt when the text does not convert.
// Byte: a whole decimal number 0 to 255 (blanks around it allowed).
std::optional<std::uint8_t> toByte(const QString& text);
// Boolean: "True"/"False" in any case, or a number (0 = False, other = True).
std::optional<bool> toBoolean(const QString& text);
// Single: a finite decimal number that fits a single-precision value.
std::optional<float> toSingle(const QString& text);

// The text stored for a value.
QString fromByte(std::uint8_t value);
QString fromBoolean(bool value);
QString fromSingle(float value);

// Reads one key: the stored text, or the key's default when it is missing.
QString readText(const SettingsStore& store, const SettingKey& key);

// Reads one key into field; the field keeps its value when the text does not
// convert. Returns whether the field was set.
bool readInto(const SettingsStore& store, const SettingKey& key, std::uint8_t& field);
bool readInto(const SettingsStore& store, const SettingKey& key, bool& field);
bool readInto(const SettingsStore& store, const SettingKey& key, float& field);
bool readInto(const SettingsStore& store, const SettingKey& key, QString& field);

void write(SettingsStore& store, const SettingKey& key, std::uint8_t value);
void write(SettingsStore& store, const SettingKey& key, bool value);
void write(SettingsStore& store, const SettingKey& key, float value);
void write(SettingsStore& store, const SettingKey& key, const QString& value);

// A history list: prefix + 0, 1, ... until the first empty (or missing) entry,
// at most 25 entries.
QStringList readHistory(const SettingsStore& store, const char* prefix);

// Writes the list newest first (its last entry to prefix + 0), at most 25 keys,
// but only when the list's last index differs from lastIndexAtStart; keys with
// higher indexes from earlier runs are left alone. Returns whether it wrote.
bool writeHistory(SettingsStore& store, const char* prefix, const QStringList& entries,
                  int lastIndexAtStart);

} // namespace quorvex
