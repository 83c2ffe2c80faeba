#include "text_ops.h"

#include "number_rules.h"

namespace olvimar {

namespace {

// UTF-8 continuation bytes do not start a character.
bool StartsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

std::int32_t CharacterCount(std::string_view text) {
    std::int32_t n = 0;
    for (char c : text) n += StartsCharacter(c) ? 1 : 0;
    return n;
}

}  // namespace

Value Concat(const Value& a, const Value& b) {
    std::string out = NumberText(a);
    AppendNumberText(out, b);
    return Value::Text(std::move(out));
}

Value Len(const Value& value) {
    if (value.isText()) return Value::Long(CharacterCount(value.text()));
    return Value::Long(CharacterCount(NumberText(value)));
}

std::int32_t InStr(std::string_view text, std::string_view separator) {
    std::size_t at = text.find(separator);
    if (at == std::string_view::npos) return 0;
    return CharacterCount(text.substr(0, at)) + 1;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos;
         from = at + separator.size())
        pieces.emplace_back(text.substr(from, at - from));
    pieces.emplace_back(text.substr(from));
    return pieces;
}

}  // namespace olvimar
