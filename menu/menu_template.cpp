#include "menu/menu_template.h"

namespace sb {

namespace {

class WordReader {
public:
    explicit WordReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::optional<std::uint16_t> Word() {
        if (m_data.size() - m_pos < 2) {
            return std::nullopt;
        }
        const auto word = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return word;
    }

    bool Skip(std::size_t bytes) {
        if (m_data.size() - m_pos < bytes) {
            return false;
        }
        m_pos += bytes;
        return true;
    }

    std::optional<std::u16string> Text() {
        std::u16string text;
        for (;;) {
            const auto unit = Word();
            if (!unit) {
                return std::nullopt;
            }
            if (*unit == 0) {
                return text;
            }
            text.push_back(static_cast<char16_t>(*unit));
        }
    }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

struct OpenLevel {
    // Only the top level grows while it is open, so pointers to the levels below stay valid.
    std::vector<MenuTemplateItem>* items;
    bool endSeen;
};

} // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(std::span<const std::uint8_t> data) {
    WordReader reader(data);
    const auto version = reader.Word();
    const auto headerSize = reader.Word();
    // Version 1 is the extended layout, whose items this reader would misread.
    if (!version || *version != 0 || !headerSize || !reader.Skip(*headerSize)) {
        return std::nullopt;
    }

    std::vector<MenuTemplateItem> top;
    std::vector<OpenLevel> open{{&top, false}};
    while (!open.empty()) {
        const auto flags = reader.Word();
        if (!flags) {
            return std::nullopt;
        }
        MenuTemplateItem item;
        item.flags = static_cast<std::uint16_t>(*flags & ~kMfEnd);
        if (!item.IsPopup()) {
            const auto id = reader.Word();
            if (!id) {
                return std::nullopt;
            }
            item.id = *id;
        }
        auto text = reader.Text();
        if (!text) {
            return std::nullopt;
        }
        item.text = std::move(*text);

        const bool last = (*flags & kMfEnd) != 0;
        std::vector<MenuTemplateItem>& level = *open.back().items;
        level.push_back(std::move(item));
        if (level.back().IsPopup()) {
            // The popup's own items follow; its level closes with their last one.
            open.back().endSeen = last;
            open.push_back({&level.back().items, false});
        } else if (last) {
            open.pop_back();
            while (!open.empty() && open.back().endSeen) {
                open.pop_back();
            }
        }
    }
    return top;
}

} // namespace sb
