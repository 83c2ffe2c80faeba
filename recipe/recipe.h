#pragma once

// The recipe "配方": oils A, B and an optional C, an optional additive package at a share fixed
// in advance, the targets at 100 ℃ and/or 40 ℃ (or a viscosity index), and the total in litres
// or kilograms; worked out into each component's share, litres, kilograms and cost, the blend's
// own data, and what the map of what these oils can reach draws. Both front ends show it as it
// is given here.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/blend.h"
#include "chart/sheet.h"

namespace olvimar::recipe {

// The boxes, in reading order: each oil's viscosities, density (kg/m³ at 20 ℃) and price, the
// package's with its share, the targets and the total.
enum Box : std::size_t {
    kA40,
    kA100,
    kADensity,
    kAPrice,
    kB40,
    kB100,
    kBDensity,
    kBPrice,
    kC40,
    kC100,
    kCDensity,
    kCPrice,
    kP40,
    kP100,
    kPShare,
    kPDensity,
    kPPrice,
    kT100,
    kT40,
    kTIndex,
    kTotal,
    kBoxes
};
// The total's unit, which the prices are per.
enum Unit { kLitres, kKilograms };

// The components, in the table's order.
enum Component : std::size_t { kA, kB, kC, kPackage, kComponents };

struct Boxes {
    std::array<std::string, kBoxes> texts{};
    int unit = kLitres;
};

// The boxes as the kept state holds them, each box's text and then the unit ("0" or "1"), and
// back: none for what no recipe kept.
std::vector<std::string> Kept(const Boxes& boxes);
std::optional<Boxes> BoxesOf(const std::vector<std::string>& kept);

// What A's and B's viscosity boxes show while they are empty, and stand for: the window's boxes
// at the window's temperature, the data sheet's at its other data temperature.
std::array<std::string, kBoxes> FromWindow(const BlendFields& fields,
                                           const std::array<std::string, sheet::kBoxes>& sheet);

// A point of the map: a component's, or a blend's, W at 40 ℃ and at 100 ℃.
struct Point {
    double w40 = 0, w100 = 0;
};

// What the map draws, worked out with the recipe.
struct MapFigures {
    std::string needs;  // what it still needs; nothing else is drawn then
    std::vector<std::pair<std::string, Point>> points;  // the components, labelled
    std::vector<Point> region;            // the corners of what the free oils can reach
    std::optional<double> t40, t100;      // the targets' W, where given
    std::vector<Point> recipes;           // the blends of the recipes shown
    bool reachable = false;               // the target, or the line's target, can be made
    std::optional<std::size_t> cheapest;  // of the recipes, where prices chose one
    std::array<double, 4> ranges{};       // what they reach: 40 ℃ least, most; 100 ℃ too, cSt
};

// The table of one recipe: its name, its columns, and a row for each component in use and the
// total, a head and a cell for each column; and under it the blend's own data and grades.
struct Table {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::string> heads;
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> below;
};

struct Outcome {
    std::vector<std::string> quiet;  // what does not count or is missing, a line each
    std::vector<Table> tables;       // none, one recipe, or the two ends of a line of recipes
    std::vector<std::string> lines;  // above the tables: what a target stands for, and the like
    MapFigures map;
};

// The recipe of the boxes, each box's own text or, where it is empty, what `shown` has for it.
// `calibrating`: the window's switch "按实测校准" is on, which the recipe does not follow.
Outcome Work(const Boxes& boxes, const std::array<std::string, kBoxes>& shown, bool calibrating);

}  // namespace olvimar::recipe
