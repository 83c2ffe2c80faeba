// The window as a reloaded web page brings it back. The fields are kept as
//   "olvimar 1", the temperature row, wide (0 or 1), then each box as its byte count and its text,
// every item followed by a line feed, so that any text, line feeds included, comes back as typed.
#include <array>
#include <charconv>
#include <optional>

#include "calc/value_ops.h"
#include "form/form.h"

namespace olvimar {

namespace {

constexpr std::string_view kHeading = "olvimar 1\n";

struct Fields {
    std::array<std::string, 6> boxes;
    int temperature = -1;
    bool wide = false;
};

// Reads a number and its line feed from the front of `text`.
std::optional<long long> Number(std::string_view& text) {
    long long n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end == text.data() + text.size() || *end != '\n')
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
    return n;
}

std::optional<Fields> ReadFields(std::string_view text) {
    if (!text.starts_with(kHeading)) return std::nullopt;
    text.remove_prefix(kHeading.size());
    Fields f;
    const auto temperature = Number(text);
    const auto wide = Number(text);
    if (!temperature || *temperature < -1 || *temperature > 2 || !wide || *wide < 0 || *wide > 1)
        return std::nullopt;
    f.temperature = static_cast<int>(*temperature);
    f.wide = *wide == 1;
    for (std::string& box : f.boxes) {
        const auto size = Number(text);
        if (!size || *size < 0 || static_cast<std::size_t>(*size) >= text.size() ||
            text[static_cast<std::size_t>(*size)] != '\n')
            return std::nullopt;
        box = text.substr(0, static_cast<std::size_t>(*size));
        text.remove_prefix(box.size() + 1);
    }
    if (!text.empty()) return std::nullopt;
    return f;
}

}  // namespace

std::string Form::KeptFields() const {
    std::string text(kHeading);
    text += std::to_string(view_.Combo1Index()) + '\n' + (IsTrue(wide) ? "1\n" : "0\n");
    for (int i = 0; i < 6; ++i) {
        const std::string box = view_.Text1(i);
        text += std::to_string(box.size()) + '\n' + box + '\n';
    }
    return text;
}

bool Form::Restore(std::string_view fields, std::string_view keptRecord) {
    const std::optional<Fields> f = ReadFields(fields);
    if (!f) return false;
    for (int i = 0; i < 6; ++i) view_.SetText1(i, f->boxes[static_cast<std::size_t>(i)]);
    view_.SetCombo1Index(f->temperature);
    if (f->wide != IsTrue(wide)) Command3_Click();
    if (!keptRecord.empty()) {
        record = Value::Text(std::string(keptRecord));
        view_.ShowRecord(RecordText(), RecordText().size());  // the end: where the work stood
    }
    return true;
}

}  // namespace olvimar
