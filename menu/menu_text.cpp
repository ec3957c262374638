#include "menu/menu_text.h"

#include "menu/menu_template.h"

#include <algorithm>

namespace sb {

namespace {

constexpr std::uint32_t kMncExecute = 2;

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

ItemTextParts SplitItemText(std::u16string_view text) {
    const auto first = text.find(u'\t');
    if (first == std::u16string_view::npos) {
        return {text, {}, false};
    }
    const auto last = text.rfind(u'\t');
    return {text.substr(0, first), text.substr(last + 1), true};
}

std::vector<std::u16string> AlignShortcuts(const std::vector<std::u16string>& texts,
                                           const std::function<int(std::u16string_view)>& width) {
    int widest = 0;
    for (const auto& text : texts) {
        std::u16string label(SplitItemText(text).left);
        label.push_back(u' ');
        widest = std::max(widest, width(label));
    }

    std::vector<std::u16string> aligned;
    aligned.reserve(texts.size());
    for (const auto& text : texts) {
        const auto tab = text.find(u'\t');
        if (tab == std::u16string::npos) {
            aligned.push_back(text);
            continue;
        }
        std::u16string label = text.substr(0, tab);
        int labelWidth = width(label);
        while (labelWidth < widest) {
            label.push_back(u' ');
            const int padded = width(label);
            // A font that gives spaces no width would never get there.
            if (padded <= labelWidth) {
                break;
            }
            labelWidth = padded;
        }
        aligned.push_back(label + text.substr(tab));
    }
    return aligned;
}

char16_t Mnemonic(std::u16string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') {
            continue;
        }
        if (text[i + 1] != u'&') {
            return text[i + 1];
        }
        ++i;
    }
    return 0;
}

std::uint32_t MenuCharResult(char16_t key, unsigned menuFlags,
                             const std::vector<std::u16string>& texts) {
    if ((menuFlags & kMfPopup) == 0 || key == 0) {
        return 0;
    }
    for (std::size_t position = 0; position < texts.size(); ++position) {
        if (FoldAscii(Mnemonic(texts[position])) == FoldAscii(key)) {
            return static_cast<std::uint32_t>(position) | (kMncExecute << 16);
        }
    }
    return 0;
}

} // namespace sb
