#pragma once

// The scenarios of window.txt as the C++ tests read them: the Form's, and the desktop window's.
#include <fstream>
#include <string>
#include <vector>

namespace olvimar::testing {

struct Step {
    std::string word, arg, text;  // "type", "2", "10,12"
    int line = 0;
};
struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

inline std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The recipe's tables as a check names them: "name: head cell cell | head … || name: …"; and what
// it says around them: its quiet lines, its lines, each table's lines under it, apart by " | ".
template <typename Outcome>
std::string RecipeTables(const Outcome& out) {
    std::string s;
    for (const auto& t : out.tables) {
        s += (s.empty() ? "" : " || ") + t.name + ":";
        for (std::size_t r = 0; r < t.heads.size(); ++r) {
            s += (r == 0 ? " " : " | ") + t.heads[r];
            for (const std::string& c : t.cells[r]) s += " " + c;
        }
    }
    return s;
}
template <typename Outcome>
std::string RecipeSays(const Outcome& out) {
    std::vector<std::string> lines = out.quiet;
    lines.insert(lines.end(), out.lines.begin(), out.lines.end());
    for (const auto& t : out.tables) lines.insert(lines.end(), t.below.begin(), t.below.end());
    std::string s;
    for (const std::string& l : lines) s += (s.empty() ? "" : " | ") + l;
    return s;
}

inline std::vector<Scenario> ReadScenarios(const char* path) {
    std::ifstream file(path);
    std::vector<Scenario> scenarios;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t space = line.find(' ');
        Step step{line.substr(0, space), "", "", number};
        std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (step.word == "scenario") {
            scenarios.push_back({rest, {}});
            continue;
        }
        step.arg = rest;  // a number, or the text of a check
        if (step.word == "type" || step.word == "box" || step.word == "sheet" ||
            step.word == "measure" || step.word == "recipe") {
            const std::size_t gap = rest.find(' ');
            step.arg = rest.substr(0, gap);
            rest = gap == std::string::npos ? "" : rest.substr(gap + 1);
        }
        step.text = Unescape(rest);
        scenarios.back().steps.push_back(step);
    }
    return scenarios;
}

}  // namespace olvimar::testing
