#include "base/number_messages.h"

namespace sb {

std::string FormatRangeMessage(int lo, int hi) {
    std::string text;
    const std::string_view tmpl = kRangeMessageTemplate;
    for (std::size_t i = 0; i < tmpl.size(); ++i) {
        // One pass, so a bound's digits are never taken for a placeholder.
        if (tmpl[i] == '%' && i + 1 < tmpl.size() && (tmpl[i + 1] == '1' || tmpl[i + 1] == '2')) {
            text += std::to_string(tmpl[i + 1] == '1' ? lo : hi);
            ++i;
        } else {
            text += tmpl[i];
        }
    }
    return text;
}

} // namespace sb
