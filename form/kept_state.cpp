// The window as a reloaded web page brings it back. The fields are kept as
//   "olvimar N", then the items of version N, every item followed by a line feed:
//   version 1: the temperature row, wide (0 or 1), then each box as its byte count and its text,
//              so that any text, line feeds included, comes back as typed;
//   version 2: the same, then where the chart's handle stands, in hundredths of a percent;
//   version 3: the same, then the number of the data sheet's boxes and each as a box above;
//   version 4: the same, then the number of measured blends, each as its temperature row and its
//              two boxes, and the switch "按实测校准" (0 or 1);
//   version 5: the same, then the number of the recipe's boxes and each as a box above.
// Every build reads every version that an earlier release wrote, and writes the last. The record
// is kept apart and comes back on its own, whatever becomes of the fields.
#include <array>
#include <charconv>
#include <optional>

#include "calc/blend_viscosity.h"
#include "calc/record_entries.h"
#include "calc/value_ops.h"
#include "form/form.h"

namespace olvimar {

namespace {

constexpr std::string_view kHeading = "olvimar ";
constexpr int kMostSheetBoxes = 16;   // more than any sheet has
constexpr int kMostRecipeBoxes = 32;  // and any recipe
constexpr int kVersion = 5;

struct Fields {
    std::array<std::string, 6> boxes;
    int temperature = -1;
    bool wide = false;
    std::optional<int> handle;
    std::vector<std::string> sheet;
    std::vector<MeasuredBlend> measured;
    bool calibrate = false;
    std::vector<std::string> recipe;
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

// A number from `least` to `most` and its line feed.
std::optional<int> Within(std::string_view& text, long long least, long long most) {
    const std::optional<long long> n = Number(text);
    if (!n || *n < least || *n > most) return std::nullopt;
    return static_cast<int>(*n);
}

// Whether `text` is UTF-8 through and through: what a box can hold is text, not bytes.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t more = c < 0x80         ? 0
                                 : (c >> 5) == 6  ? 1
                                 : (c >> 4) == 14 ? 2
                                 : (c >> 3) == 30 ? 3
                                                  : 4;
        if (more == 4 || i + more >= text.size()) return false;
        unsigned long point = more == 0 ? c : c & (0x3Fu >> more);
        for (std::size_t k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next >> 6) != 2) return false;
            point = point << 6 | (next & 0x3Fu);
        }
        // The shortest form only, and no surrogate halves or points beyond Unicode's last.
        constexpr unsigned long kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (point < kLeast[more] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
            return false;
        i += more + 1;
    }
    return true;
}

// A box's text as its byte count and its text, each followed by a line feed, from the front of
// `text`; none for anything else, or for bytes no box can hold.
std::optional<std::string> Box(std::string_view& text) {
    const std::optional<long long> size = Number(text);
    if (!size || *size < 0 || static_cast<std::size_t>(*size) >= text.size() ||
        text[static_cast<std::size_t>(*size)] != '\n')
        return std::nullopt;
    std::string box(text.substr(0, static_cast<std::size_t>(*size)));
    if (!IsUtf8(box)) return std::nullopt;
    text.remove_prefix(box.size() + 1);
    return box;
}

std::optional<Fields> ReadFields(std::string_view text, std::size_t temperatures) {
    if (!text.starts_with(kHeading)) return std::nullopt;
    text.remove_prefix(kHeading.size());
    const std::optional<int> version = Within(text, 1, kVersion);
    Fields f;
    const std::optional<int> temperature =
        Within(text, -1, static_cast<long long>(temperatures) - 1);  // -1: none chosen
    const std::optional<int> wide = Within(text, 0, 1);
    if (!version || !temperature || !wide) return std::nullopt;
    f.temperature = *temperature;
    f.wide = *wide == 1;
    for (std::string& box : f.boxes) {
        const std::optional<std::string> b = Box(text);
        if (!b) return std::nullopt;
        box = *b;
    }
    if (*version >= 2) {
        f.handle = Within(text, 0, kAllOfA);
        if (!f.handle) return std::nullopt;
    }
    // A count, then as many boxes.
    const auto boxes = [&text](int most, std::vector<std::string>& into) {
        const std::optional<int> count = Within(text, 0, most);
        for (int i = 0; count && i < *count; ++i) {
            const std::optional<std::string> b = Box(text);
            if (!b) return false;
            into.push_back(*b);
        }
        return count.has_value();
    };
    if (*version >= 3 && !boxes(kMostSheetBoxes, f.sheet)) return std::nullopt;
    if (*version >= 4) {
        const std::optional<int> count = Within(text, 0, static_cast<long long>(kMostMeasured));
        if (!count) return std::nullopt;
        for (int i = 0; i < *count; ++i) {
            const std::optional<int> row =
                Within(text, 0, static_cast<long long>(temperatures) - 1);
            if (!row) return std::nullopt;
            const std::optional<std::string> percent = Box(text);
            if (!percent) return std::nullopt;
            const std::optional<std::string> viscosity = Box(text);
            if (!viscosity) return std::nullopt;
            f.measured.push_back({*percent, *viscosity, *row});
        }
        const std::optional<int> on = Within(text, 0, 1);
        if (!on) return std::nullopt;
        f.calibrate = *on == 1;
    }
    if (*version >= 5 && !boxes(kMostRecipeBoxes, f.recipe)) return std::nullopt;
    if (!text.empty()) return std::nullopt;
    return f;
}

}  // namespace

std::string Form::KeptFields(int handle, const std::vector<std::string>& sheet,
                             const std::vector<std::string>& recipe) const {
    std::string text(kHeading);
    text += std::to_string(kVersion) + '\n';
    text += std::to_string(view_.Combo1Index()) + '\n' + (IsTrue(wide) ? "1\n" : "0\n");
    // A box's text as its byte count and its text, each followed by a line feed.
    const auto box = [&text](const std::string& b) {
        text += std::to_string(b.size()) + '\n' + b + '\n';
    };
    for (int i = 0; i < 6; ++i) box(view_.Text1(i));
    text += std::to_string(handle) + '\n' + std::to_string(sheet.size()) + '\n';
    for (const std::string& b : sheet) box(b);
    text += std::to_string(measured.size()) + '\n';
    for (const MeasuredBlend& m : measured) {
        text += std::to_string(m.row) + '\n';
        box(m.percent);
        box(m.viscosity);
    }
    text += calibrate ? "1\n" : "0\n";
    text += std::to_string(recipe.size()) + '\n';
    for (const std::string& b : recipe) box(b);
    return text;
}

Form::Restored Form::Restore(std::string_view fields, std::string_view keptRecord) {
    Restored restored;
    if (const std::optional<Fields> f = ReadFields(fields, temp.size())) {
        for (int i = 0; i < 6; ++i) view_.SetText1(i, f->boxes[static_cast<std::size_t>(i)]);
        view_.SetCombo1Index(f->temperature);
        if (f->wide != IsTrue(wide)) Command3_Click();
        restored.fields = true;
        restored.handle = f->handle;
        restored.sheet = f->sheet;
        restored.recipe = f->recipe;
        measured = f->measured;
        calibrate = f->calibrate;
    }
    // Only whole entries: a record cut short or spoiled comes back as far as it is whole.
    if (const std::size_t whole = WholeEntries(keptRecord); whole > 0) {
        record = Value::Text(std::string(keptRecord.substr(0, whole)));
        view_.ShowRecord(RecordText(), RecordText().size());  // the end: where the work stood
        restored.record = true;
    }
    return restored;
}

}  // namespace olvimar
