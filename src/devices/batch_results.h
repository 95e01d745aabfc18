// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What became of each device of a batch of new addresses, as the list at the
// end of the batch shows it and the clipboard takes it: sent and confirmed by
// the search after the batch, sent without an answer, or not sent and why.
#pragma once

#include <string>
#include <vector>

#include "devices/batch_plan.h"

namespace device {

enum class BatchOutcome {
    kCancelled, // not sent: the batch was stopped before its turn
    kGone,      // not sent: no longer listed when its turn came
    kNotSent,   // not sent: the socket could not be opened
    kUnchanged, // nothing to send: it has these values already
    kSent,      // sent, not yet judged
    kConfirmed, // sent, and the search after the batch found it with its new values
    kNoAnswer,  // sent, and the search after the batch did not find it so
};

struct BatchResult {
    BatchStep step;
    BatchOutcome outcome = BatchOutcome::kCancelled;
};

// "confirmed", "no answer", "not sent (cancelled)", ...
std::string OutcomeText(BatchOutcome outcome);

// "20 devices: 18 confirmed, 2 no answer".
std::string ResultsSummary(const std::vector<BatchResult>& results);

// The summary, then one line per device in aligned columns: MAC, name, old
// address, new address, result.
std::string ResultsText(const std::vector<BatchResult>& results);

// For the clipboard, as the list's own copy makes rows: a header line, then
// one line per device, the cells separated by tabs.
std::string ResultsClipboardText(const std::vector<BatchResult>& results, const Ipv4& mask, const Ipv4& gateway);

} // namespace device
