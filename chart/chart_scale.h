#pragma once

// The chart's inner parts, shared by its files: the oils it draws and the scale it draws them on.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"

namespace olvimar::chart {

// The two oils as the chart reads them from the boxes, and the sheared ones when both losses are
// filled and leave a viscosity the chart can draw.
struct Oils {
    double c = 0;  // the blending rule's constant at the chosen temperature
    double a = 0, b = 0;
    std::optional<double> shearedA, shearedB;
};

// The oils, or what the chart still needs, in words.
struct Reading {
    std::optional<Oils> oils;
    std::string needs;
};
Reading ReadOils(const BlendFields& fields, const TempTable& temp);

// A viscosity axis mapped onto the plot: the blending rule's ln ln(V + c), on which a blend line
// is straight, or the viscosity-temperature chart's log10 log10 Z, on which an oil's line is.
class Scale {
  public:
    Scale(double c, double low, double high, double top, double bottom);
    static Scale Walther(double low, double high, double top, double bottom);
    double Y(double viscosity) const;
    double Viscosity(double y) const;  // back, near enough to find the ticks' decades
    double Pixel(double y) const;      // a Y on the plot, top to bottom
    double PixelOf(double viscosity) const { return Pixel(Y(viscosity)); }
    double low() const { return low_; }    // the Y at the plot's foot
    double high() const { return high_; }  // and at its head

  private:
    bool walther_ = false;
    double c_, low_, high_, top_, bottom_;
};

// Lengths in the design's pixels, a twelfth of the font.
struct Units {
    double font;
    double operator()(double designPixels) const { return designPixels * font / 12; }
};

inline double Lerp(double from, double to, double fraction) {
    return from + (to - from) * fraction;
}

// About how wide a text is in the frame's font: a Chinese character a font wide, others 0.6.
double TextWidth(std::string_view text, double font);

// What a chart still needs, written across the middle of its frame in as many lines as its width
// takes: the picture's `needs`, its summary and its one text.
void SayNeeds(Picture& p, const std::string& needs, const Frame& f);

// Where the plot stands in the frame: room for the viscosity labels on the left (up to
// `labelChars` characters), the axis titles below and `topRows` rows of title and legend above.
void PlaceThePlot(Picture& p, const Frame& f, std::size_t labelChars, int topRows = 1);

// The legend, right-aligned at the top of the frame: on the title's row where it fits after
// `titleWidth`, on the rows below otherwise, as many as a narrow frame needs. The rows the top
// then takes, the title's among them.
struct LegendEntry {
    std::string text;
    Ink ink;
    double width;  // of its sample line
    bool dashed = false;
};
int Legend(Picture& p, const std::vector<LegendEntry>& entries, const Frame& f, double titleWidth);

// The round viscosities that the axis marks, each a label (`gap` pixels) from the one below it,
// by the coarsest step that gives four or more: 1, 10, 100 …, then 1, 2, 5, 10 …, then 1, 1.5,
// 2, 3, 5, 7 …, and so on to every value of four digits; or by the step that gives most.
std::vector<double> ViscosityTicks(const Scale& scale, double gap);

}  // namespace olvimar::chart
