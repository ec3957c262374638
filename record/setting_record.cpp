#include "record/setting_record.h"

#include <cstdio>

namespace sb {

int ReadDigits(const SettingRecord& record, std::size_t offset, int width) {
    int value = 0;
    for (int i = 0; i < width; ++i) {
        value = value * 10 + (static_cast<int>(record[offset + i]) - '0');
    }
    return value;
}

void WriteDigits(SettingRecord& record, std::size_t offset, int width, int value) {
    if (width == 3) {
        // "%03d", first three characters, as the printer has always been sent it.
        char text[16];
        std::snprintf(text, sizeof text, "%03d", value);
        for (int i = 0; i < 3; ++i) {
            record[offset + i] = static_cast<std::uint8_t>(text[i]);
        }
        return;
    }
    // Narrower fields: one digit per position, so a byte never leaves the digit range.
    for (int i = width - 1; i >= 0; --i) {
        int digit = value % 10;
        if (digit < 0) {
            digit = -digit;
        }
        record[offset + i] = static_cast<std::uint8_t>('0' + digit);
        value /= 10;
    }
}

std::optional<int> ReadSignedPair(const SettingRecord& record, std::size_t offset) {
    const int second = record[offset + 1];
    switch (record[offset]) {
    case '0':
        return second - '0';
    case 'F':
        return second - 71;
    default:
        return std::nullopt;
    }
}

void WriteSignedPair(SettingRecord& record, std::size_t offset, int value) {
    if (value < 0) {
        record[offset] = 'F';
        record[offset + 1] = static_cast<std::uint8_t>(71 + value);
    } else {
        record[offset] = '0';
        record[offset + 1] = static_cast<std::uint8_t>('0' + value);
    }
}

void RepairSignedPair(SettingRecord& record, std::size_t offset, char zeroMax, char fMin) {
    const std::uint8_t second = record[offset + 1];
    if (record[offset] == '0') {
        if (second < '0' || second > static_cast<std::uint8_t>(zeroMax)) {
            record[offset + 1] = '0';
        }
    } else if (record[offset] == 'F') {
        if (second < static_cast<std::uint8_t>(fMin) || second > 'F') {
            record[offset + 1] = 'G';
        }
    }
}

SwitchBits ReadSwitchBits(std::uint8_t byte) {
    return {byte & 1, (byte >> 1) & 1, (byte >> 2) & 1, (byte >> 3) & 1};
}

std::uint8_t MakeSwitchByte(const SwitchBits& bits) {
    return static_cast<std::uint8_t>(
        ((bits[0] & 1) | (bits[1] & 1) << 1 | (bits[2] & 1) << 2 | (bits[3] & 1) << 3));
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

} // namespace sb
