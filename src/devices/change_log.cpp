// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/change_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "devices/device_export.h"
#include "devices/device_texts.h"
#include "devices/utc_time.h"

namespace device {

namespace {

std::string Fields(const std::vector<std::pair<std::string, std::string>>& fields)
{
    std::string out = "{";
    for (std::size_t i = 0; i < fields.size(); ++i)
        out += (i ? ", " : "") + JsonString(fields[i].first) + ": " + JsonString(fields[i].second);
    return out + "}";
}

// Makes each missing folder of path's parent, private to the user.
bool MakeParents(const std::string& path, std::string& error)
{
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string folder = path.substr(0, at);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot make the folder " + folder + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

} // namespace

std::string ChangeLine(const ChangeRecord& record, std::chrono::system_clock::time_point when)
{
    std::string line = "{\"time\": \"" + UtcText(when) + "\"";
    line += ", \"program\": " + JsonString(record.program);
    line +=
        ", \"interface\": " + (record.interfaceName.empty() ? std::string("null") : JsonString(record.interfaceName));
    line += ", \"mac\": \"" + FormatMac(record.mac) + "\"";
    line += ", \"command\": " + JsonString(record.command);
    line += ", \"before\": " + Fields(record.before);
    line += ", \"after\": " + Fields(record.after);
    line += ", \"confirmed\": ";
    line += record.confirmed ? (*record.confirmed ? "true" : "false") : "null";
    return line + "}\n";
}

ChangeLog::ChangeLog(std::string path) : m_path(std::move(path)) {}

std::string ChangeLog::DefaultPath()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/varnex/commands.log";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.local/state/varnex/commands.log";
    return {};
}

std::optional<std::string> ChangeLog::Append(const ChangeRecord& record)
{
    return Append(record, std::chrono::system_clock::now());
}

std::optional<std::string> ChangeLog::Append(const ChangeRecord& record, std::chrono::system_clock::time_point when)
{
    std::optional<std::string> failure = Write(ChangeLine(record, when));
    return failure ? Told(std::move(*failure)) : std::nullopt;
}

int ChangeLog::OpenForAppending(std::optional<std::string>& failure)
{
    std::string error;
    const int fd = Open(0, error);
    failure = fd < 0 ? Told(std::move(error)) : std::nullopt;
    return fd;
}

std::optional<std::string> ChangeLog::Told(std::string failure)
{
    if (m_failureTold)
        return std::nullopt;
    m_failureTold = true;
    return "the log of changes " + (m_path.empty() ? std::string("(no folder for it)") : m_path) +
           " cannot be written: " + failure;
}

int ChangeLog::Open(std::size_t adding, std::string& error)
{
    if (m_path.empty()) {
        error = "neither XDG_STATE_HOME nor HOME names a folder";
        return -1;
    }
    if (!MakeParents(m_path, error))
        return -1;
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0 && static_cast<std::size_t>(st.st_size) + adding > kRotateAt) {
        // Two programs may both rotate; the later rename only drops a near-empty file.
        const std::string old = m_path + ".1";
        if (::rename(m_path.c_str(), old.c_str()) != 0 && errno != ENOENT) {
            error = std::string("cannot rotate it: ") + std::strerror(errno);
            return -1;
        }
    }
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        error = std::strerror(errno);
    return fd;
}

std::optional<std::string> ChangeLog::Write(const std::string& line)
{
    std::string error;
    const int fd = Open(line.size(), error);
    if (fd < 0)
        return error;
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (written < 0)
        return std::strerror(writeErrno);
    if (static_cast<std::size_t>(written) != line.size())
        return "the disk is full";
    if (!closed)
        return std::strerror(errno);
    return std::nullopt;
}

} // namespace device
