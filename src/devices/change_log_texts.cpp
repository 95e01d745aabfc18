// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/change_log_texts.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "devices/device_export.h"
#include "res/text/resource_ids.h"
#include "res/text/strings.h"
#include "system/win_messages.h"

namespace device {

namespace {

// The text of id with %1, %2, %3 filled, from the last back, so that a value
// holding "%2" is never read as a placeholder.
std::string Filled(UINT id, const std::vector<std::string>& values)
{
    std::string text = res::LoadText(id);
    for (std::size_t i = values.size(); i-- > 0;)
        if (const auto at = text.find("%" + std::to_string(i + 1)); at != std::string::npos)
            text.replace(at, 2, values[i]);
    return text;
}

std::string LocalTime(std::time_t when)
{
    std::tm tm{};
    char text[32] = {};
    if (::localtime_r(&when, &tm) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm) == 0)
        return {};
    return text;
}

std::string FieldsText(const ChangeEntry& entry)
{
    const auto find = [](const std::vector<std::pair<std::string, std::string>>& fields, const std::string& name) {
        return std::find_if(fields.begin(), fields.end(), [&name](const auto& field) { return field.first == name; });
    };
    std::string text;
    const auto add = [&text](const std::string& name, const std::string& was, const std::string& now) {
        text += (text.empty() ? "" : "; ") + name + " " + was + " \xE2\x86\x92 " + now;
    };
    for (const auto& [name, now] : entry.after) {
        const auto was = find(entry.before, name);
        add(name, was == entry.before.end() ? std::string() : was->second, now);
    }
    // A field named before only.
    for (const auto& [name, was] : entry.before)
        if (find(entry.after, name) == entry.after.end())
            add(name, was, "");
    return text;
}

std::string ReasonText(const FileError& error)
{
    switch (error.problem) {
    case FileProblem::kFolder:
        return res::LoadText(AFX_IDS_DOC_IS_FOLDER);
    case FileProblem::kNotRegular:
        return res::LoadText(AFX_IDS_DOC_NOT_REGULAR);
    case FileProblem::kTooLarge:
        return Filled(AFX_IDS_DOC_TOO_LARGE, {std::to_string(kMaxChangeLogFileBytes >> 20)});
    case FileProblem::kSystem:
    case FileProblem::kNone:
        break;
    }
    return std::strerror(error.error);
}

// What one file adds to the note: why it was not read, or its bad lines. The
// note has named the folder: the file's own name is enough.
std::string FileNote(const ChangeLogFile& file)
{
    if (!file.present)
        return {};
    const std::string name = file.path.substr(file.path.rfind('/') + 1);
    if (file.error.problem != FileProblem::kNone)
        return " " + Filled(IDS_CHANGE_LOG_UNREAD, {name, ReasonText(file.error)});
    if (file.badLines == 0)
        return {};
    return " " + Filled(file.badLines == 1 ? IDS_CHANGE_LOG_BAD_LINE : IDS_CHANGE_LOG_BAD_LINES,
                        {std::to_string(file.badLines), name, std::to_string(file.firstBadLine)});
}

} // namespace

ChangeRow ChangeHeadings()
{
    ChangeRow row;
    for (int i = 0; i < kChangeColumnCount; ++i)
        row[static_cast<std::size_t>(i)] = res::LoadText(IDS_CHANGE_COLUMN_TIME + static_cast<UINT>(i));
    return row;
}

ChangeRow ChangeRowOf(const ChangeEntry& entry)
{
    ChangeRow row;
    row[kChangeTime] = LocalTime(entry.time);
    row[kChangeProgram] = entry.program;
    row[kChangeInterface] = entry.interfaceName;
    row[kChangeMac] = entry.mac;
    row[kChangeCommand] = entry.command;
    row[kChangeFields] = FieldsText(entry);
    row[kChangeConfirmed] = res::LoadText(!entry.confirmed   ? IDS_CHANGE_NOT_CHECKED
                                          : *entry.confirmed ? IDS_CHANGE_CONFIRMED
                                                             : IDS_CHANGE_NOT_CONFIRMED);
    return row;
}

std::string ChangeHistoryNote(const ChangeHistory& history)
{
    if (history.current.path.empty())
        return res::LoadText(IDS_CHANGE_LOG_NO_FOLDER);
    if (!history.current.present && !history.older.present)
        return Filled(IDS_CHANGE_LOG_NONE, {history.current.path});
    const std::size_t count = history.entries.size();
    std::string note =
        Filled(count == 1 ? IDS_CHANGE_LOG_ONE : IDS_CHANGE_LOG_COUNT, {std::to_string(count), history.current.path});
    return note + FileNote(history.current) + FileNote(history.older);
}

std::string ChangeLogCsv(const std::vector<ChangeEntry>& entries)
{
    const auto line = [](const ChangeRow& row) {
        std::string out;
        for (std::size_t i = 0; i < row.size(); ++i)
            out += (i ? "," : "") + CsvField(row[i]);
        return out + "\r\n";
    };
    std::string csv = line(ChangeHeadings());
    for (const ChangeEntry& entry : entries)
        csv += line(ChangeRowOf(entry));
    return csv;
}

} // namespace device
