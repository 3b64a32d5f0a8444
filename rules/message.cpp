#include "rules/message.h"

namespace zarvo {

std::string Message::text(Translator translate) const {
    const std::string format = translate ? translate(format_) : format_;
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        // "{N}" with N from 1 stands for the N-th argument; anything else is copied.
        const std::size_t close = format[i] == '{' ? format.find('}', i) : std::string::npos;
        if (close != std::string::npos && close > i + 1 &&
            format.find_first_not_of("0123456789", i + 1) == close) {
            const std::size_t n = std::stoul(format.substr(i + 1, close - i - 1));
            if (n >= 1 && n <= arguments_.size()) {
                const auto& argument = arguments_[n - 1];
                out += std::holds_alternative<std::string>(argument)
                           ? std::get<std::string>(argument)
                           : std::get<Message>(argument).text(translate);
                i = close;
                continue;
            }
        }
        out.push_back(format[i]);
    }
    return out;
}

}  // namespace zarvo
