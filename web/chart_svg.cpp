#include "web/chart_svg.h"

#include <cstdio>

#include "web/escaped.h"

namespace olvimar {

namespace {

// A length or a place, to a hundredth of a pixel.
std::string N(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Fill(chart::Ink ink) {
    const chart::Paint paint = chart::PaintOf(ink);
    std::string s = std::string(" fill=\"") + paint.colour + "\"";
    if (paint.opacity < 1) s += " fill-opacity=\"" + N(paint.opacity) + "\"";
    return s;
}

std::string Stroke(chart::Ink ink, double width) {
    const chart::Paint paint = chart::PaintOf(ink);
    std::string s =
        std::string(" stroke=\"") + paint.colour + "\" stroke-width=\"" + N(width) + "\"";
    if (paint.opacity < 1) s += " stroke-opacity=\"" + N(paint.opacity) + "\"";
    return s;
}

std::string Line(const chart::Line& l) {
    std::string s = "<line x1=\"" + N(l.x1) + "\" y1=\"" + N(l.y1) + "\" x2=\"" + N(l.x2) +
                    "\" y2=\"" + N(l.y2) + "\"" + Stroke(l.ink, l.width);
    if (l.dashed)
        s += " stroke-dasharray=\"" + N(chart::kDash * l.width) + " " + N(chart::kGap * l.width) +
             "\"";
    return s + "/>";
}

std::string Mark(const chart::Mark& m) {
    switch (m.shape) {
        case chart::Shape::Dot:
            return "<circle cx=\"" + N(m.x) + "\" cy=\"" + N(m.y) + "\" r=\"" + N(m.size) + "\"" +
                   Fill(m.ink) + "/>";
        case chart::Shape::Ring:
            return "<circle cx=\"" + N(m.x) + "\" cy=\"" + N(m.y) + "\" r=\"" + N(m.size) +
                   "\" fill=\"#fff\"" + Stroke(m.ink, m.stroke) + "/>";
        case chart::Shape::Left:
        case chart::Shape::Right: {
            // A triangle pointing out of the chart, its point on the edge.
            const double back = m.shape == chart::Shape::Left ? m.depth : -m.depth;
            const std::string path = "M" + N(m.x) + " " + N(m.y) + "L" + N(m.x + back) + " " +
                                     N(m.y - m.size) + "L" + N(m.x + back) + " " + N(m.y + m.size) +
                                     "Z";
            const bool hollow = m.ink == chart::Ink::ShearTarget;
            return "<path d=\"" + path + "\"" +
                   (hollow ? " fill=\"#fff\"" + Stroke(m.ink, m.stroke) : Fill(m.ink)) + "/>";
        }
    }
    return {};
}

std::string Text(const chart::Text& t) {
    const char* anchor = t.anchor == chart::Anchor::Start    ? "start"
                         : t.anchor == chart::Anchor::Middle ? "middle"
                                                             : "end";
    return "<text x=\"" + N(t.x) + "\" y=\"" + N(t.y) + "\" text-anchor=\"" + anchor + "\"" +
           Fill(t.ink) + ">" + Escaped(t.text) + "</text>";
}

std::string Handle(const chart::Picture& p) {
    const chart::Handle& h = p.handle;
    std::string s;
    if (h.yShear)
        s += "<circle cx=\"" + N(h.x) + "\" cy=\"" + N(*h.yShear) + "\" r=\"" + N(h.shearRadius) +
             "\" fill=\"#fff\"" + Stroke(chart::Ink::Shear, h.stroke) + "/>";
    return s + "<circle cx=\"" + N(h.x) + "\" cy=\"" + N(h.y) + "\" r=\"" + N(h.radius) +
           "\" fill=\"#fff\"" + Stroke(chart::Ink::Handle, h.stroke) + "/>";
}

std::string Area(const chart::Area& a) {
    std::string points;
    for (const auto& [x, y] : a.corners) points += (points.empty() ? "" : " ") + N(x) + "," + N(y);
    return "<polygon points=\"" + points + "\"" + Fill(a.ink) + "/>";
}

}  // namespace

std::string ChartSvg(const chart::Picture& picture) {
    std::string svg;
    svg.reserve(8192);
    for (const chart::Area& a : picture.areas) svg += Area(a);
    for (const chart::Line& l : picture.lines) svg += Line(l);
    for (const chart::Mark& m : picture.marks) svg += Mark(m);
    for (const chart::Text& t : picture.texts) svg += Text(t);
    if (picture.needs.empty() && picture.handle.radius > 0) svg += Handle(picture);
    return svg;
}

}  // namespace olvimar
