// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The application profile: named values in sections, kept in one file in the
// user's configuration directory under the registry key and application name
// (the registry's place on the platform the program was modelled on).
// The file is read once, at the first lookup, and streamed: a line longer
// than kMaxLine bytes (and so any value longer than that) is ignored as if
// absent and never held whole, neither when reading nor when a write copies
// the other lines. A write goes to a new file that takes the profile's name
// only once it is whole on disk.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class Profile {
public:
    // The file for key and application: $XDG_CONFIG_HOME (or ~/.config)/key/application.ini
    static std::string PathFor(const std::string& registryKey, const std::string& application);

    static constexpr std::size_t kMaxLine = 64 * 1024;

    explicit Profile(std::string path) : m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    // A binary value, or nothing when the file, the section or the entry is
    // missing. A value that is not well-formed is reported in *problem and
    // treated as missing.
    std::optional<std::vector<std::uint8_t>> GetBinary(const std::string& section, const std::string& entry,
                                                       std::string* problem = nullptr) const;
    std::optional<std::string> GetString(const std::string& section, const std::string& entry) const;
    // Writes a value, keeping every other line of the file as it was; false
    // with the reason in *error, the file then as it was. A string value
    // cannot hold a line break.
    bool WriteBinary(const std::string& section, const std::string& entry, const std::vector<std::uint8_t>& value,
                     std::string* error = nullptr);
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value,
                     std::string* error = nullptr);

private:
    std::optional<std::string> ReadRaw(const std::string& section, const std::string& entry) const;
    bool WriteRaw(const std::string& section, const std::string& entry, const std::string& raw, std::string* error);
    void Load() const;

    std::string m_path;
    // The file's values, read once.
    mutable std::map<std::pair<std::string, std::string>, std::string> m_values;
    mutable bool m_loaded = false;
};

// The values of profile text: (section, entry) -> value, the first of each.
// A line over Profile::kMaxLine bytes is skipped without being held in memory.
using ProfileValues = std::map<std::pair<std::string, std::string>, std::string>;
void ReadProfileValues(std::istream& in, ProfileValues& values);

// "hex:0a1b..." <-> bytes; nothing for text that is not of that form.
std::optional<std::vector<std::uint8_t>> DecodeBinaryValue(const std::string& raw);
std::string EncodeBinaryValue(const std::vector<std::uint8_t>& value);
