#pragma once

// The chart's inner parts, shared by its files: the oils it draws and the scale it draws them on.
#include <optional>
#include <string>
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

// The viscosity axis: ln ln(V + c), on which a blend line is straight, mapped onto the plot.
class Scale {
  public:
    Scale(double c, double low, double high, double top, double bottom);
    double Y(double viscosity) const;  // ln ln(viscosity + c)
    double Pixel(double y) const;      // a Y on the plot, top to bottom
    double PixelOf(double viscosity) const { return Pixel(Y(viscosity)); }
    double low() const { return low_; }    // the Y at the plot's foot
    double high() const { return high_; }  // and at its head
    double c() const { return c_; }

  private:
    double c_, low_, high_, top_, bottom_;
};

// The round viscosities that the axis marks, each a label (`gap` pixels) from the one below it,
// by the coarsest step that gives four or more: 1, 10, 100 …, then 1, 2, 5, 10 …, then 1, 1.5,
// 2, 3, 5, 7 …, and so on to every value of four digits; or by the step that gives most.
std::vector<double> ViscosityTicks(const Scale& scale, double gap);

}  // namespace olvimar::chart
