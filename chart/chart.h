#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/blend.h"
#include "calc/blend_viscosity.h"
#include "calc/calibration.h"
#include "form/keys.h"

// The blend chart: the blend line of the two oils on the blending rule's own scale, the targets on
// it, and a handle that answers what any mix gives. Everything that is drawn is worked out here, in
// the painter's pixels; the desktop's QPainter and the page's SVG only draw it.
namespace olvimar::chart {

// Where and how large the chart is drawn: pixels, and the font that its texts are written in.
struct Frame {
    double width = 480, height = 320;
    double font = 12;  // px
};

// Where the handle stands, in hundredths of a percent of oil A: from none to all of it, and an
// even mix until the user moves it.
using olvimar::kAllOfA;
inline constexpr int kEvenMix = kAllOfA / 2;

// What the boxes hold, and where the handle stands; the measured blends at the window's
// temperature, and their factor when the rule is calibrated by them.
struct Input {
    BlendFields fields;
    std::string targets;
    int hundredths = kEvenMix;
    std::vector<MeasuredBlend> measured{};  // those that count
    std::optional<Alpha> alpha{};
};

// What each thing is drawn with; its colour in Paint.
enum class Ink {
    Axis,
    Grid,
    Label,
    Blend,         // the blend line
    Shear,         // the line of the sheared oils, dashed
    Stretch,       // a range of targets along the blend line
    ShearStretch,  // the same along the shear line
    Target,        // a target on the blend line, or beyond its end
    ShearTarget,   // a target on the shear line
    Handle,
    Quiet,     // what the chart still needs
    OilA,      // oil A's viscosity-temperature line
    OilB,      // and oil B's
    Rule,      // the rule's own line, thin, beside the calibrated one
    Measured,  // a measured blend
    Region,    // what a recipe's oils can reach
    IsoBand,   // an ISO VG grade's band at 40 ℃
    SaeBand,   // an SAE J300 grade's band at 100 ℃
    OilC,      // a third oil
    Package,   // an additive package
};

struct Paint {
    const char* colour;  // #rrggbb
    double opacity;
};
Paint PaintOf(Ink ink);

struct Line {
    double x1, y1, x2, y2;
    Ink ink;
    double width;
    bool dashed = false;
};
// A dashed line's dashes and gaps, in widths of the line.
inline constexpr double kDash = 4, kGap = 3;

// A filled shape, its corners in order.
struct Area {
    std::vector<std::pair<double, double>> corners;
    Ink ink;
};

enum class Anchor { Start, Middle, End };

struct Text {
    double x, y;  // the start, middle or end of its baseline
    std::string text;
    Anchor anchor;
    Ink ink;
};

enum class Shape {
    Dot,    // a target on the blend line
    Ring,   // a target on the shear line, or a measured blend
    Left,   // a target no mix reaches, at the left edge, pointing out of the chart
    Right,  // the same at the right edge
};

struct Mark {
    double x, y;    // its middle, or the point of a triangle
    double size;    // the radius of a dot or a ring, half the height of a triangle
    double depth;   // how far a triangle reaches back from its point into the chart
    double stroke;  // the outline of a ring or of a hollow triangle (the shear line's)
    Shape shape;
    Ink ink;
    int hundredths = -1;  // the split it marks, on a line; -1 for a target no mix reaches
};

// A white disc with a dark outline on the blend line, and a smaller one on the shear line.
struct Handle {
    double x, y, radius, stroke;
    std::optional<double> yShear;  // where it meets the shear line
    double shearRadius;
    int hundredths;
};

struct Picture {
    // What the chart still needs, as one quiet line; while it needs anything, nothing else is
    // drawn and the handle has no line to stand on.
    std::string needs;
    double left = 0, top = 0, right = 0, bottom = 0;  // the plot
    std::vector<Area> areas;  // under everything else
    std::vector<Line> lines;
    std::vector<Mark> marks;
    std::vector<Text> texts;
    Handle handle{};
    std::string summary;     // the line and the marks, in words, for a screen reader
    std::string readout;     // what the mix at the handle gives, a line each
    std::string valueText;   // the handle's value, in words
    std::vector<int> stops;  // the targets' splits on the lines, lowest first: where keys stop
    double reach = 0;        // how near to a mark a click or a tap takes the handle to its split
};

Picture Draw(const Input& input, const TempTable& temp, const Frame& frame);

// The handle's place for a click or a tap at (x, y): a target's split where it is within reach of
// its mark, the nearest; otherwise (and for a y that is no number, as a drag gives) the nearest
// hundredth of a percent under x, 0 to kAllOfA.
int HundredthsAt(const Picture& picture, double x, double y);

// Where a key of the key table moves the handle from `hundredths`, the targets' keys to the next
// of the picture's stops; none for a key that does not move it, or no stop that way.
std::optional<int> Moved(keys::Action action, int hundredths, const Picture& picture);

// A percentage of A typed into its box: its hundredths, or none for anything but a number from
// 0 to 100 with at most two decimals; a measured blend's share is read by the same rule.
using olvimar::TypedHundredths;

// The percentage of the handle, as its box shows it.
std::string PercentText(int hundredths);

}  // namespace olvimar::chart
