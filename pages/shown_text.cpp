#include "pages/shown_text.h"

namespace sb {

std::string ShownText(std::string_view templateText) {
    std::string shown;
    for (std::size_t i = 0; i < templateText.size(); ++i) {
        const char c = templateText[i];
        if (c == '\n') {
            continue;
        }
        if (c == '&' && i + 1 < templateText.size()) {
            shown += templateText[++i];
            continue;
        }
        shown += c;
    }
    return shown;
}

std::string WithoutMnemonic(std::string_view shown) {
    if (shown.size() >= 3 && shown.back() == ')' && shown[shown.size() - 3] == '(') {
        shown.remove_suffix(3);
        while (!shown.empty() && shown.back() == ' ') {
            shown.remove_suffix(1);
        }
    }
    return std::string(shown);
}

std::string QuotedText(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::size_t cut = text.size();
    if (cut > kLongest) {
        // Before a character, never inside one.
        cut = kLongest;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
    }
    std::string quoted = "\"";
    quoted += text.substr(0, cut);
    if (cut == text.size()) {
        quoted += '"';
    } else {
        quoted += "…\" (";
        quoted += std::to_string(text.size());
        quoted += " bytes)";
    }
    return quoted;
}

} // namespace sb
