// What the printer end checks before it believes a job: the frame of a raw 270-byte job.
// Every fault comes with a short reason. (A settings file's header is the loader's own check,
// files/settings_file.h.)
#pragma once

#include "record/setting_record.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sb {

enum class FrameFault { None, Short, Long, BadStart, BadEnd };

struct FrameCheck {
    FrameFault fault = FrameFault::None;
    std::string reason; // empty for a good frame
};

// Exactly 270 bytes, opened by 1C 'o' '0' ',' and closed by '.' at 263 and six zero bytes.
FrameCheck CheckFrame(std::span<const std::uint8_t> job);
// "ok", "short", "long", "bad start", "bad end".
std::string_view FrameFaultName(FrameFault fault);
// "frame: ok", or "malformed job: <name> (<reason>)".
std::string FrameLine(const FrameCheck& check);

} // namespace sb
