// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Writing a file so that it is either all there or untouched: the text goes
// to a new file beside it, which takes the file's name only once it is all
// written and on disk. A failure leaves any earlier file of that name as it was.
#pragma once

#include <string>
#include <string_view>

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    // Removes the new file unless it was committed.
    ~AtomicFileWriter();

    // Starts the new file beside path; false with the reason.
    bool Open(const std::string& path, std::string* error);
    // Appends text; a failure is kept and reported by Commit.
    void Write(std::string_view text);
    // Puts the new file in the place of path; false with the reason (then
    // nothing changed at path).
    bool Commit(std::string* error);

private:
    void Discard();

    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    int m_error = 0;
};
