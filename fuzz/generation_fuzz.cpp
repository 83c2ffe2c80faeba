// Feeds the generation run whatever a person could type, and checks that it neither crashes nor
// hangs, and that the record only ever grows by whole entries; and the blend chart, the data
// sheet and the viscosity-temperature chart of the same boxes (the sheet's own boxes taken from
// the litres, the losses and the targets), whose drawings must stand inside their frames, every
// place of them a number.
//
// The input is a temperature byte followed by "<A>|<B>|<litres>|<loss A>|<loss B>|<targets>". The
// byte picks the temperature row as byte % 4 - 1: '0' none chosen, '1' 100 ℃, '2' 40 ℃, '3' -5 ℃.
// The targets take the rest of the input, bars and all.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calc/failure.h"
#include "calc/generation.h"
#include "calc/targets.h"
#include "chart/chart.h"
#include "chart/sheet.h"
#include "chart/temperature_chart.h"

namespace {

using namespace olvimar;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "generation_fuzz: %s\n", what);
    std::abort();
}

std::vector<std::string_view> Fields(std::string_view input) {
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        std::size_t bar = fields.size() < 5 ? input.find('|', from) : std::string_view::npos;
        fields.push_back(
            input.substr(from, bar == std::string_view::npos ? input.npos : bar - from));
        if (bar == std::string_view::npos) break;
        from = bar + 1;
    }
    fields.resize(6);
    return fields;
}

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}
bool EndsWith(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

// Takes one CR LF line off the front of `text`.
std::string_view Line(std::string_view& text) {
    std::size_t end = text.find("\r\n");
    if (end == text.npos) Fail("a line without its CR LF");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 2);
    return line;
}

// Checks that `added` is exactly `entries` whole entries: "OUT <litres>L, <target> cSt", then
// "A ...L, B ...L", then "A ...L, B ...L MAX" when both losses are filled.
void CheckEntries(std::string_view added, std::size_t entries, const BlendFields& f) {
    const bool shear = !f.lossA.empty() && !f.lossB.empty();
    const std::string head = "OUT " + f.litres + "L, ";
    for (std::size_t i = 0; i < entries; ++i) {
        std::string_view first = Line(added);
        if (!StartsWith(first, head) || !EndsWith(first, " cSt")) Fail("a bad first line");
        std::string_view split = Line(added);
        if (!StartsWith(split, "A ") || !EndsWith(split, "L") ||
            split.find("L, B ") == split.npos || EndsWith(split, " MAX"))
            Fail("a bad split line");
        if (shear) {
            std::string_view sheared = Line(added);
            if (!StartsWith(sheared, "A ") || !EndsWith(sheared, "L MAX")) Fail("a bad MAX line");
        }
    }
    if (!added.empty()) Fail("more than whole entries");
}

// The chart of the same boxes, its handle where the input's length puts it: everything it draws
// stands inside its frame, and it either says what it still needs or reads out a split.
void CheckPicture(const chart::Picture& p, const chart::Frame& frame) {
    const auto inside = [&](double x, double y) {
        return x >= 0 && x <= frame.width && y >= 0 && y <= frame.height;  // false for NaN
    };
    for (const chart::Line& l : p.lines)
        if (!inside(l.x1, l.y1) || !inside(l.x2, l.y2)) Fail("a chart line outside its frame");
    for (const chart::Mark& m : p.marks)
        if (!inside(m.x, m.y)) Fail("a chart mark outside its frame");
    for (const chart::Text& t : p.texts)
        if (!inside(t.x, t.y)) Fail("a chart text outside its frame");
}

void CheckChart(const BlendFields& fields, std::string_view expression, std::size_t size) {
    const chart::Frame frame{480, 300, 16};
    const int hundredths = static_cast<int>(size * 97 % 10001);
    const chart::Picture p =
        chart::Draw({fields, std::string(expression), hundredths}, BlendConstants(), frame);
    CheckPicture(p, frame);
    const auto inside = [&](double x, double y) {
        return x >= 0 && x <= frame.width && y >= 0 && y <= frame.height;  // false for NaN
    };
    if (p.needs.empty() && (!inside(p.handle.x, p.handle.y) || !StartsWith(p.readout, "A ")))
        Fail("a chart handle outside its frame, or no readout");
    const sheet::Figures f = sheet::Work(
        {fields,
         {fields.litres, fields.lossA, fields.lossB, fields.litres, std::string(expression)},
         hundredths},
        BlendConstants());
    const sheet::Table t = sheet::TableOf(f);
    for (const auto& row : t.cells)
        for (const sheet::Cell& c : row)
            if (c.text.empty()) Fail("a data sheet's cell with nothing in it");
    CheckPicture(chart::DrawTemperatures(f, frame), frame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<std::string_view> text = Fields(input);
    const BlendFields fields{static_cast<std::int16_t>(data[0] % 4 - 1),
                             std::string(text[0]),
                             std::string(text[1]),
                             std::string(text[2]),
                             std::string(text[3]),
                             std::string(text[4])};
    const std::string_view expression = text[5];

    const std::string before = "OUT 4L, 1.000 cSt\r\nA 1% 1L, B 99% 3L\r\n";
    Value record = Value::Text(before);
    const auto start = std::chrono::steady_clock::now();
    const RunResult result = RunGeneration(expression, fields, BlendConstants(), record);
    // The largest range takes about half a second here, under the sanitizers, and up to three
    // times that while the machine's other core is busy; a release build is ten times quicker.
    // Longer than that, with room to spare, is a hang.
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(4)) Fail("a slow run");

    const std::string_view after = record.text();
    if (!StartsWith(after, before)) Fail("the record before the run was changed");

    // The entries expected: one for each value of length above zero calculated before the end.
    std::size_t entries = 0;
    if (result.ok() || result.failure->input != Input::Expression) {
        std::size_t seen = 0;
        Targets(expression).forEach([&](const Value& v) {
            if (seen++ < result.values && !(v.isText() && v.text().empty())) ++entries;
        });
    } else if (result.values != 0) {
        Fail("a refused expression calculated values");
    }
    CheckEntries(after.substr(before.size()), entries, fields);
    CheckChart(fields, expression, size);
    return 0;
}
