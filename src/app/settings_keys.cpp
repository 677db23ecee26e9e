// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_keys.h"

#include "platform/settings_store.h"

#include <cmath>
#include <limits>

namespace quorvex {

std::optional<std::uint8_t> toByte(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < 0 || value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

std::optional<bool> toBoolean(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number != 0.0;
}

std::optional<float> toSingle(const QString& text)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(number);
}

QString fromByte(std::uint8_t value)
{
    return QString::number(value);
}

QString fromBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString fromSingle(float value)
{
    // Seven significant digits is what a single-precision value holds; whole
    // numbers come out without a decimal point ("6285").
    return QString::number(static_cast<double>(value), 'g', 7);
}

QString readText(const SettingsStore& store, const SettingKey& key)
{
    return store.value(kOptionsSection, key.key(), key.defaultValue());
}

namespace {

template <typename T, typename Convert>
bool readConverted(const SettingsStore& store, const SettingKey& key, T& field, Convert convert)
{
    const std::optional<T> value = convert(readText(store, key));
    if (!value)
        return false;
    field = *value;
    return true;
}

} // namespace

bool readInto(const SettingsStore& store, const SettingKey& key, std::uint8_t& field)
{
    return readConverted(store, key, field, toByte);
}

bool readInto(const SettingsStore& store, const SettingKey& key, bool& field)
{
    return readConverted(store, key, field, toBoolean);
}

bool readInto(const SettingsStore& store, const SettingKey& key, float& field)
{
    return readConverted(store, key, field, toSingle);
}

bool readInto(const SettingsStore& store, const SettingKey& key, QString& field)
{
    field = readText(store, key);
    return true;
}

void write(SettingsStore& store, const SettingKey& key, std::uint8_t value)
{
    store.setValue(kOptionsSection, key.key(), fromByte(value));
}

void write(SettingsStore& store, const SettingKey& key, bool value)
{
    store.setValue(kOptionsSection, key.key(), fromBoolean(value));
}

void write(SettingsStore& store, const SettingKey& key, float value)
{
    store.setValue(kOptionsSection, key.key(), fromSingle(value));
}

void write(SettingsStore& store, const SettingKey& key, const QString& value)
{
    store.setValue(kOptionsSection, key.key(), value);
}

QStringList readHistory(const SettingsStore& store, const char* prefix)
{
    QStringList entries;
    for (int n = 0; n < keys::HistoryKeyCount; ++n) {
        const QString text =
            store.value(kOptionsSection, QString::fromLatin1(prefix) + QString::number(n));
        if (text.isEmpty())
            break;
        entries.append(text);
    }
    return entries;
}

bool writeHistory(SettingsStore& store, const char* prefix, const QStringList& entries,
                  int lastIndexAtStart)
{
    if (entries.size() - 1 == lastIndexAtStart)
        return false;
    int n = 0;
    for (qsizetype i = entries.size() - 1; i >= 0 && n < keys::HistoryKeyCount; --i, ++n)
        store.setValue(kOptionsSection, QString::fromLatin1(prefix) + QString::number(n),
                       entries.at(i));
    return true;
}

} // namespace quorvex
