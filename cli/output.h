// What switchboard-cli writes for its results, as text for a person and as JSON for a script:
// the settings of a file, the differences of two, the queues, a send's line for each printer,
// and an error as an object.
#pragma once

#include "cli/printer_access.h"
#include "record/setting_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace sb::cli {

// A JSON string literal, quotes included. Text that is not UTF-8 (a file name can be any
// bytes) has each stray byte replaced by U+FFFD, so the document stays valid.
std::string JsonString(std::string_view text);

// A text from outside (a file name, a queue's name, a value) as it may go to a terminal:
// control characters and bytes that are not UTF-8 shown escaped ("\x1b"), so that no such
// text can move the cursor, change colours or retitle the window.
std::string TerminalText(std::string_view text);
// A path as a message names it: cut after 60 bytes, as values are, and escaped.
std::string ShownPath(std::string_view path);

// Every field of the record, page by page, and the repairs loading it makes. `source` is the
// name the record was read by.
std::string ShowText(const std::string& source, const SettingRecord& record);
std::string ShowJson(const std::string& source, const SettingRecord& record);

// The fields and the bytes in which two records differ; empty text when they are the same.
struct Differences {
    std::string text;
    std::string json;
    bool any = false;
};
Differences DiffOutput(const std::string& nameA, const SettingRecord& a, const std::string& nameB,
                       const SettingRecord& b);

// A line a queue: its name and its connection.
std::string QueuesText(const std::vector<Queue>& queues);

// A printer as send names it: a device by its URI, a queue by its name and connection.
std::string TargetText(const Queue& queue, bool device);
// send's line for one printer, and the same as a JSON object on a line of its own.
std::string SendLine(const Queue& queue, bool device, const SendResult& result);
std::string SendJson(const Queue& queue, bool device, const SendResult& result);

// An error as a script reads it under --json.
std::string ErrorJson(std::string_view message, int code);

} // namespace sb::cli
