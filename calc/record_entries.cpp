#include "record_entries.h"

#include <string>

#include "calibration.h"

namespace olvimar {

namespace {

// Takes `piece` off the front of `text`, if it stands there.
bool Take(std::string_view& text, std::string_view piece) noexcept {
    if (!text.starts_with(piece)) return false;
    text.remove_prefix(piece.size());
    return true;
}

bool TakeDigits(std::string_view& text) noexcept {
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
    text.remove_prefix(n);
    return n > 0;
}

// A number as the record writes it: [-]digits[.digits], and for absurd magnitudes an exponent
// ("1.5E+15", "1E-11"). Taken off the front of `text`.
bool TakeNumber(std::string_view& text) noexcept {
    Take(text, "-");
    if (!TakeDigits(text)) return false;
    if (Take(text, ".") && !TakeDigits(text)) return false;
    if (Take(text, "E") && !((Take(text, "+") || Take(text, "-")) && TakeDigits(text)))
        return false;
    return true;
}

// A target in three decimals, with no digit before the point when the whole part is zero:
// [-][digits].ddd, the whole of `text`.
bool ThreeDecimalsText(std::string_view text) noexcept {
    Take(text, "-");
    TakeDigits(text);
    if (!Take(text, ".") || text.size() != 3) return false;
    return TakeDigits(text) && text.empty();
}

// "A <pct>% <litres>L, B <pct>% <litres>" and then `end`: the whole of `line`.
bool SplitLine(std::string_view line, std::string_view end) noexcept {
    return Take(line, "A ") && TakeNumber(line) && Take(line, "% ") && TakeNumber(line) &&
           Take(line, "L, B ") && TakeNumber(line) && Take(line, "% ") && TakeNumber(line) &&
           line == end;
}

// A calibration factor as an entry names it, the whole of `text`: exactly as it writes one, four
// significant digits with the point among them, or zeros after them, or "0." and zeros before.
bool AlphaText(std::string_view text) noexcept {
    std::string_view digits = text;
    if (Take(digits, "0.")) {
        while (Take(digits, "0")) {
        }
        return digits.size() == 4 &&
               digits.find_first_not_of("0123456789") == std::string_view::npos && digits[0] != '0';
    }
    const std::size_t point = text.find('.');
    if (text.empty() || text[0] < '1' || text[0] > '9') return false;
    if (point == std::string_view::npos)  // four digits and the zeros of a larger factor
        return text.size() >= 4 && text.find_first_not_of("0123456789") == std::string_view::npos &&
               text.find_first_not_of('0', 4) == std::string_view::npos;
    return text.size() == 5 && point < 4 &&
           (std::string(text.substr(0, point)) + std::string(text.substr(point + 1)))
                   .find_first_not_of("0123456789") == std::string::npos;
}

// "OUT <litres as typed>L, <target, three decimals> cSt", and " 校准系数 <α>" where calibrated
// measured blends made the entry (`calibrated`). The litres are any text that reads as a number
// (a line feed among its blanks, never a CR), so the target is read from the line's end.
bool FirstLine(std::string_view line, bool& calibrated) noexcept {
    const std::size_t mark = line.rfind(kAlphaInEntry);
    calibrated = mark != std::string_view::npos &&
                 AlphaText(line.substr(mark + std::string_view(kAlphaInEntry).size()));
    if (calibrated) line = line.substr(0, mark);
    if (!Take(line, "OUT ") || !line.ends_with(" cSt")) return false;
    line.remove_suffix(4);
    const std::size_t at = line.rfind("L, ");
    if (at == std::string_view::npos) return false;
    return ThreeDecimalsText(line.substr(at + 3));
}

}  // namespace

std::size_t WholeEntries(std::string_view record) noexcept {
    const std::size_t size = record.size();
    std::size_t whole = 0;
    // Takes one CR LF line off the front of `record`; false when no whole line is left.
    const auto line = [&record](std::string_view& out) {
        const std::size_t end = record.find("\r\n");
        if (end == std::string_view::npos) return false;
        out = record.substr(0, end);
        record.remove_prefix(end + 2);
        return true;
    };
    std::string_view first, split;
    bool calibrated = false;
    // A calibrated entry may say that its oils cannot make the target, in place of a split.
    const auto splitLine = [&calibrated](std::string_view text, std::string_view end,
                                         std::string_view cannot) {
        return SplitLine(text, end) || (calibrated && text == cannot);
    };
    while (line(first) && FirstLine(first, calibrated) && line(split) &&
           splitLine(split, "L", kCannotMake)) {
        whole = size - record.size();
        std::string_view rest = record, sheared;
        if (line(sheared) && splitLine(sheared, "L MAX", kCannotMakeSheared))
            whole = size - record.size();
        else
            record = rest;
    }
    return whole;
}

}  // namespace olvimar
