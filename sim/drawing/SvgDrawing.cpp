#include "sim/drawing/SvgDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <vector>

#include "host/VectorMath.h"
#include "sim/drawing/DrawingScene.h"
#include "sim/drawing/XmlText.h"
#include "sim/world/SimVessel.h"

namespace sim {

using namespace vector_math;
namespace {

// Page layout, pixels.
constexpr double kDrawWidth = 1600.0;  // the main views' z range at most
constexpr double kRightPad = 200.0;    // room past the main views for labels
constexpr double kMinPageWidth = 1200.0;
constexpr double kDetailPanel = 460.0;  // the airlock close-ups, square
constexpr double kDetailGap = 60.0;
// The airlock close-ups show this many times the box's largest half-extent around its centre.
constexpr double kDetailReach = 2.2;
constexpr double kLegendKeyColumn = 700.0;
constexpr double kMargin = 30.0;
constexpr double kTitleHeight = 70.0;
constexpr double kViewHeadingHeight = 22.0;
constexpr double kViewPad = 40.0;  // room around a view's content for labels
constexpr double kViewGap = 16.0;
constexpr double kScaleBarHeight = 50.0;
constexpr double kLegendRow = 17.0;
constexpr double kMaxScale = 40.0;  // pixels per metre, for small vessels
constexpr double kMinViewHeight = 60.0;

// Symbols, pixels. Not to scale, so that they stay readable on a vessel of any size.
constexpr double kEngineArrow = 44.0;
constexpr double kAttitudeArrow = 26.0;
constexpr double kPortArrow = 22.0;
constexpr double kPortDot = 4.0;
constexpr double kActiveRing = 9.0;
constexpr double kLabelledBox = 120.0;  // a narrower airlock box is left to its tooltip
constexpr double kMarkerSize = 6.0;
constexpr double kEndOnRadius = 4.5;
// An end-on thruster symbol sits this far beside its point, towards the viewer's left when the
// thrust comes out of the page and to the right when it goes in, so that a pair stays readable.
constexpr double kEndOnOffset = 5.0;
// A direction whose share of its length in the page plane is below this is drawn end-on.
constexpr double kEndOnShare = 0.2;
constexpr double kArrowHead = 3.5;  // half the arrow head's width
constexpr double kStroke = 1.2;     // half a symbol line's width, with room
// Labels: font sizes, the room a character and a line take in font sizes, the distances from
// its point that a label tries in turn, and how far off a label gets a leader line to its point.
constexpr double kLabelFont = 11.0;
constexpr double kThrusterLabelFont = 9.0;
constexpr double kLabelAdvance = 0.62;
constexpr double kLabelAscent = 0.8;
constexpr double kLabelDescent = 0.25;
constexpr double kLabelGap = 1.0;
constexpr double kLabelSteps[] = {0, 5, 10, 16, 24, 34, 46, 60, 76, 96, 120};
constexpr double kLeaderFrom = 9.0;

constexpr const char* kGroupNames[kThrusterGroupTypes] = {
    "main",       "retro", "hover", "pitch up", "pitch down", "yaw left", "yaw right", "bank left",
    "bank right", "right", "left",  "up",       "down",       "forward",  "back"};

constexpr char kStyle[] =
    "text{font-family:sans-serif;font-size:11px;fill:#222}"
    ".title{font-size:20px;font-weight:bold}.subtitle{font-size:12px;fill:#444}"
    ".heading{font-size:13px;font-weight:bold;fill:#333}"
    ".axis{stroke:#bbb;stroke-width:1;stroke-dasharray:6 4}"
    ".hull{fill:#eef2f6;stroke:#5a6b7d;stroke-width:1.5;stroke-linejoin:round}"
    ".airlock rect{stroke-width:1.5}"
    ".airlock.open rect{fill:#ff7f0e;fill-opacity:0.15;stroke:#e06a00}"
    ".airlock.closed rect{fill:#999;fill-opacity:0.08;stroke:#777;stroke-dasharray:5 3}"
    ".airlock text{fill:#b35400}.airlock.closed text{fill:#666}"
    ".port line{stroke:#2ca02c;stroke-width:1.6}.port circle{fill:#2ca02c;stroke:#2ca02c}"
    ".port .ring{fill:none;stroke:#d62728;stroke-width:2}"
    ".port.maybe .ring{stroke-dasharray:3 2}.port text{fill:#1b6e1b}"
    ".thruster.engine line,.thruster.engine circle{stroke:#d62728;stroke-width:2.4}"
    ".thruster.attitude line,.thruster.attitude circle{stroke:#1f77b4;stroke-width:1.3}"
    ".thruster.ungrouped line,.thruster.ungrouped circle{stroke:#888;stroke-width:1.3}"
    ".thruster circle{fill:#fff}.thruster .dot{fill:currentColor;stroke:none}"
    ".thruster.engine{color:#d62728}.thruster.attitude{color:#1f77b4}"
    ".thruster.ungrouped{color:#888}"
    ".thruster-label{font-size:9px;fill:#1f4f7a}"
    ".vessel-marker.crew polygon{fill:#9467bd;stroke:#5e3d87}"
    ".vessel-marker.docked rect{fill:#8c564b;stroke:#5c372f}"
    ".vessel-marker text{fill:#5e3d87}.vessel-marker.docked text{fill:#5c372f}"
    ".scale line{stroke:#222;stroke-width:1.5}"
    ".leader{stroke:#999;stroke-width:0.6}";

// Arrow heads: marker id and colour.
constexpr const char* kArrowHeads[][2] = {{"head-engine", "#d62728"},
                                          {"head-attitude", "#1f77b4"},
                                          {"head-ungrouped", "#888"},
                                          {"head-port", "#2ca02c"}};

// Appends formatted numbers and fixed words; text from outside never goes through the format.
[[gnu::format(printf, 2, 3)]] void Emit(std::string& out, const char* format, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length > 0)
        out.append(buffer, std::min(static_cast<std::size_t>(length), sizeof buffer - 1));
}

// A number for a tooltip: up to six significant digits.
std::string Short(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string VectorText(const VECTOR3& v) {
    return "(" + Short(v.x) + ", " + Short(v.y) + ", " + Short(v.z) + ")";
}

// A view of the vessel's frame: z runs to the right of the page in both; which axis runs down
// the page and which comes towards the viewer picks the view. Page positions follow from the
// view's place on the page and the common scale.
struct View {
    const char* id;
    const char* heading;
    Plane plane;

    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;  // pixels
    bool clipped = false;  // a close-up: content outside the frame is cut off
    double zMin = 0.0, downMin = 0.0, scale = 1.0;

    double Down(const VECTOR3& v) const { return kPlaneAxes[plane].Down(v); }
    double Towards(const VECTOR3& v) const { return kPlaneAxes[plane].Towards(v); }
    double X(const VECTOR3& p) const { return left + (p.z - zMin) * scale; }
    double Y(const VECTOR3& p) const { return top + (Down(p) - downMin) * scale; }
};

// A rectangle on the page, pixels.
struct Box {
    double left, top, right, bottom;

    bool Overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool Within(const Box& o) const {
        return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom;
    }
};

Box Around(double x, double y, double half) { return {x - half, y - half, x + half, y + half}; }

// A text's box on the page: each character kLabelAdvance font sizes wide (sans-serif text runs
// narrower), from kLabelAscent above the baseline to kLabelDescent below it.
Box TextBox(double x, double baseline, const char* anchor, std::string_view text, double size) {
    double characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const double width = characters * kLabelAdvance * size;
    const double left = anchor[0] == 's' ? x : (anchor[0] == 'm' ? x - width / 2 : x - width);
    return {left, baseline - kLabelAscent * size, left + width, baseline + kLabelDescent * size};
}

// The labels of one view and the symbols they must keep clear of. Labels are asked for while the
// symbols are drawn, and placed, and written where they were asked for, once the view's symbols
// are all known.
struct ViewMarks {
    struct Label {
        std::size_t at;  // where in the output its text goes
        const char* cssClass;
        double size;          // font size, pixels
        double x, y;          // the point it names
        double awayX, awayY;  // which side of the point it prefers
        std::string text;
    };
    std::vector<Box> symbols;
    std::vector<Label> labels;

    void Symbol(double x, double y, double half) { symbols.push_back(Around(x, y, half)); }
    void Line(double x1, double y1, double x2, double y2, double half) {
        symbols.push_back({std::min(x1, x2) - half, std::min(y1, y2) - half,
                           std::max(x1, x2) + half, std::max(y1, y2) + half});
    }
};

constexpr const char* kKindNames[] = {"engine", "attitude", "ungrouped"};

std::string GroupNames(const std::vector<int>& types) {
    std::string names;
    for (const int type : types) {
        if (!names.empty()) names += ", ";
        names += kGroupNames[type];
    }
    return names.empty() ? "none" : names;
}

// "0-7" for a run of indices, "1, 6, 10, 15" otherwise.
std::string IndexList(const std::vector<std::size_t>& indices) {
    std::string text;
    for (std::size_t i = 0; i < indices.size();) {
        std::size_t j = i;
        while (j + 1 < indices.size() && indices[j + 1] == indices[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(indices[i]);
        if (j >= i + 2) {
            text += "-" + std::to_string(indices[j]);
        } else if (j == i + 1) {
            text += ", " + std::to_string(indices[j]);
        }
        i = j + 1;
    }
    return text;
}

// An arrow of `length` pixels from `from` along `direction`, or, when the direction points
// mostly into or out of the page, a circle with a dot (out of the page) or a cross (into it).
// Gives the page position of the tip (or of the symbol).
struct Tip {
    double x, y;
};

Tip AddDirection(std::string& out, ViewMarks& marks, const View& view, const VECTOR3& from,
                 const VECTOR3& direction, double length, const char* head) {
    const double x = view.X(from), y = view.Y(from);
    const double norm = Length(direction);
    if (!(norm > 0.0) || !std::isfinite(norm)) {
        Emit(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>", x, y, kEndOnRadius);
        marks.Symbol(x, y, kEndOnRadius + kStroke);
        return {x, y};
    }
    const double right = direction.z / norm, down = view.Down(direction) / norm;
    const double inPlane = std::sqrt(right * right + down * down);
    if (inPlane < kEndOnShare) {
        const bool outOfPage = view.Towards(direction) > 0;
        const double cx = x + (outOfPage ? -kEndOnOffset : kEndOnOffset);
        Emit(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>", cx, y, kEndOnRadius);
        marks.Symbol(cx, y, kEndOnRadius + kStroke);
        if (outOfPage) {
            Emit(out, "<circle class=\"dot\" cx=\"%.1f\" cy=\"%.1f\" r=\"1.5\"/>", cx, y);
        } else {
            const double d = kEndOnRadius * 0.7;
            Emit(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>", cx - d, y - d,
                 cx + d, y + d);
            Emit(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>", cx - d, y + d,
                 cx + d, y - d);
        }
        return {cx, y};
    }
    // Foreshortened: a direction partly out of the page draws shorter.
    const double tx = x + right * length, ty = y + down * length;
    marks.Line(x, y, tx, ty, kStroke);
    marks.Symbol(tx, ty, kArrowHead);
    Emit(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" marker-end=\"url(#%s)\"/>", x,
         y, tx, ty, head);
    return {tx, ty};
}

void AddTitle(std::string& out, std::string_view text) {
    out += "<title>";
    AppendXmlText(out, text);
    out += "</title>";
}

// Asks for a label beside a page point, preferably on the side away from where its arrow came
// from; it is written here once placed.
void AddLabel(const std::string& out, ViewMarks& marks, const char* cssClass, double size, double x,
              double y, double awayX, double awayY, std::string_view text) {
    marks.labels.push_back({out.size(), cssClass, size, x, y, awayX, awayY, std::string(text)});
}

// Where a label goes when it sits on the given side of a point: its anchor and baseline.
struct Placement {
    double x, y;
    const char* anchor;
};
Placement Beside(double x, double y, double awayX, double awayY) {
    const char* anchor = awayX > 0.3 ? "start" : (awayX < -0.3 ? "end" : "middle");
    const double dx = awayX > 0.3 ? 3.0 : (awayX < -0.3 ? -3.0 : 0.0);
    const double dy = awayY > 0.3 ? 11.0 : (awayY < -0.3 ? -4.0 : 4.0);
    return {x + dx, y + dy, anchor};
}

// Places the view's labels in the order asked for, each on the first spot near its point, on its
// preferred side first and then round it, farther out step by step, whose box stays within
// `bounds` and clear of every symbol and of the labels placed before; a label set off from its
// point gets a leader line to it. Then writes them where they were asked for.
void PlaceLabels(std::string& out, const ViewMarks& marks, const Box& bounds) {
    constexpr double kSides[][2] = {{1, 0},  {1, -1}, {0, -1}, {-1, -1},
                                    {-1, 0}, {-1, 1}, {0, 1},  {1, 1}};
    std::vector<Box> taken;
    std::vector<std::string> texts;
    for (const ViewMarks::Label& label : marks.labels) {
        const auto boxAt = [&](const Placement& p) {
            const Box box = TextBox(p.x, p.y, p.anchor, label.text, label.size);
            return Box{box.left - kLabelGap, box.top - kLabelGap, box.right + kLabelGap,
                       box.bottom + kLabelGap};
        };
        const auto free = [&](const Box& box) {
            if (!box.Within(bounds)) return false;
            for (const Box& symbol : marks.symbols) {
                if (box.Overlaps(symbol)) return false;
            }
            for (const Box& other : taken) {
                if (box.Overlaps(other)) return false;
            }
            return true;
        };
        Placement chosen = Beside(label.x, label.y, label.awayX, label.awayY);
        double off = 0.0;
        // A point outside the bounds (cut off a close-up) keeps its label, unseen, where it is.
        bool found = !Around(label.x, label.y, 0.0).Within(bounds);
        for (const double step : kLabelSteps) {
            for (int side = -1; side < 8 && !found; ++side) {
                const double ax = side < 0 ? label.awayX : kSides[side][0];
                const double ay = side < 0 ? label.awayY : kSides[side][1];
                const double norm = std::max(std::hypot(ax, ay), 1e-9);
                const Placement p =
                    Beside(label.x + ax / norm * step, label.y + ay / norm * step, ax, ay);
                if (free(boxAt(p))) {
                    chosen = p;
                    off = step;
                    found = true;
                }
            }
            if (found) break;
        }
        const Box box = boxAt(chosen);
        if (box.Overlaps(bounds)) taken.push_back(box);
        std::string text;
        if (off >= kLeaderFrom) {
            const double lx = std::clamp(label.x, box.left, box.right);
            const double ly = std::clamp(label.y, box.top, box.bottom);
            Emit(text, "<line class=\"leader\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>",
                 label.x, label.y, lx, ly);
        }
        text += "<text";
        if (label.cssClass != nullptr) Emit(text, " class=\"%s\"", label.cssClass);
        Emit(text, " x=\"%.1f\" y=\"%.1f\" text-anchor=\"%s\">", chosen.x, chosen.y, chosen.anchor);
        AppendXmlText(text, label.text);
        text += "</text>";
        texts.push_back(std::move(text));
    }
    // From the last, so that the places asked for earlier stay where they were.
    for (std::size_t i = marks.labels.size(); i-- > 0;) out.insert(marks.labels[i].at, texts[i]);
}

void AddHull(std::string& out, const DrawingScene& scene, const View& view) {
    const std::vector<VECTOR3>& hull = scene.hullOutlines[view.plane];
    if (hull.empty()) {
        const double r =
            std::isfinite(scene.size) && scene.size > 0 ? scene.size * view.scale : view.scale;
        Emit(out, "<circle class=\"hull\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\">", view.X({0, 0, 0}),
             view.Y({0, 0, 0}), r);
        AddTitle(out, "hull (the vessel's size)");
        out += "</circle>";
        return;
    }
    out += "<path class=\"hull\" d=\"";
    for (std::size_t i = 0; i < hull.size(); ++i) {
        Emit(out, "%s%.1f %.1f", i == 0 ? "M" : " L", view.X(hull[i]), view.Y(hull[i]));
    }
    out += " Z\">";
    AddTitle(out, "hull outline: around the ports, thrusters and exhausts");
    out += "</path>";
}

void AddAirlock(std::string& out, ViewMarks& marks, const DrawingScene& scene, const View& view) {
    const SceneAirlock& a = scene.airlock;
    if (!a.present) return;
    // The box's corners in this view: its z range across, the view's down axis along.
    const double x0 = view.X(a.low), x1 = view.X(a.high);
    const double y0 = view.Y(a.low), y1 = view.Y(a.high);
    // The seats as published: a number the module chose, not necessarily a whole one.
    const double seats = a.freeSeats;
    Emit(out, "<g class=\"airlock %s\" data-door=\"%s\" data-free-seats=\"%g\">",
         a.open ? "open" : "closed", a.open ? "open" : "closed", seats);
    AddTitle(out, "crew airlock, door " + std::string(a.open ? "open" : "closed") + ": x " +
                      Short(a.low.x) + " to " + Short(a.high.x) + ", y " + Short(a.low.y) + " to " +
                      Short(a.high.y) + ", z " + Short(a.low.z) + " to " + Short(a.high.z) +
                      " m; " + Short(seats) + " seats free");
    Emit(out, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"/>", std::min(x0, x1),
         std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0));
    // Below the box (the ports' labels sit beside it and inside it), where it has room.
    if (std::fabs(x1 - x0) >= kLabelledBox) {
        char text[64];
        std::snprintf(text, sizeof text, "airlock %s, %g free", a.open ? "open" : "closed", seats);
        AddLabel(out, marks, nullptr, kLabelFont, std::min(x0, x1), std::max(y0, y1), 1.0, 1.0,
                 text);
    }
    out += "</g>";
}

void AddPorts(std::string& out, ViewMarks& marks, const DrawingScene& scene, const View& view) {
    const bool ambiguous = scene.activePorts.size() > 1;
    for (const ScenePort& port : scene.ports) {
        if (!IsFinite(port.pos)) continue;
        const bool active = port.active;
        const char* activity = active ? (ambiguous ? "maybe" : "yes") : "no";
        Emit(out, "<g class=\"port%s\" data-port=\"%d\" data-active=\"%s\"",
             active ? (ambiguous ? " active maybe" : " active") : "", static_cast<int>(port.index),
             activity);
        if (port.docked) {
            out += " data-docked=\"";
            AppendXmlText(out, port.mate);
            out += "\"";
        }
        out += ">";
        std::string tip = "docking port " + std::to_string(port.index) + " at " +
                          VectorText(port.pos) + " m, facing " + VectorText(port.dir);
        if (port.docked) tip += ", docked: " + port.mate;
        if (active) tip += ambiguous ? ", maybe the active port" : ", the active port";
        AddTitle(out, tip);
        const double x = view.X(port.pos), y = view.Y(port.pos);
        if (active) {
            Emit(out, "<circle class=\"ring\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>", x, y,
                 kActiveRing);
        }
        Emit(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>", x, y, kPortDot);
        marks.Symbol(x, y, (active ? kActiveRing : kPortDot) + kStroke);
        const Tip end = AddDirection(out, marks, view, port.pos, port.dir, kPortArrow, "head-port");
        std::string label = "P" + std::to_string(port.index);
        if (active) label += ambiguous ? " active?" : " active";
        if (port.docked) label += " \xE2\x86\x94 " + port.mate;  // U+2194
        const double len = std::hypot(end.x - x, end.y - y);
        AddLabel(out, marks, nullptr, kLabelFont, end.x, end.y, len > 0 ? (end.x - x) / len : 0.0,
                 len > 0 ? (end.y - y) / len : -1.0, label);
        out += "</g>";
    }
}

void AddThrusters(std::string& out, ViewMarks& marks, const DrawingScene& scene, const View& view) {
    struct LabelSpot {
        Tip tip;
        double awayX, awayY;
        std::vector<std::size_t> indices;
    };
    std::vector<LabelSpot> spots;
    for (const SceneThruster& t : scene.thrusters) {
        if (!IsFinite(t.pos) || !IsFinite(t.dir)) continue;
        const ThrusterKind kind = t.kind;
        const char* name = kKindNames[static_cast<int>(kind)];
        Emit(out, "<g class=\"thruster %s\" data-index=\"%d\">", name, static_cast<int>(t.index));
        AddTitle(out, "thruster " + std::to_string(t.index) + " (" + name + ") at " +
                          VectorText(t.pos) + " m, thrust towards " + VectorText(t.dir) + ", " +
                          Short(t.maxThrust) + " N; groups: " + GroupNames(t.groups));
        char head[32];
        std::snprintf(head, sizeof head, "head-%s", name);
        const Tip tip =
            AddDirection(out, marks, view, t.pos, t.dir,
                         kind == ThrusterKind::Engine ? kEngineArrow : kAttitudeArrow, head);
        out += "</g>";
        // Thrusters drawn onto one another share one label.
        const double x = view.X(t.pos), y = view.Y(t.pos);
        const double len = std::hypot(tip.x - x, tip.y - y);
        auto spot = std::find_if(spots.begin(), spots.end(), [&](const LabelSpot& s) {
            return std::fabs(s.tip.x - tip.x) < 0.5 && std::fabs(s.tip.y - tip.y) < 0.5;
        });
        if (spot == spots.end()) {
            spots.push_back(
                {tip, len > 1 ? (tip.x - x) / len : 0.0, len > 1 ? (tip.y - y) / len : 1.0, {}});
            spot = spots.end() - 1;
        }
        spot->indices.push_back(t.index);
    }
    for (const auto& spot : spots) {
        AddLabel(out, marks, "thruster-label", kThrusterLabelFont, spot.tip.x, spot.tip.y,
                 spot.awayX, spot.awayY, IndexList(spot.indices));
    }
}

void AddNearby(std::string& out, ViewMarks& marks, const DrawingScene& scene, const View& view) {
    for (const auto& n : scene.nearby) {
        const double x = view.X(n.pos), y = view.Y(n.pos);
        Emit(out, "<g class=\"vessel-marker %s\" data-name=\"", n.docked ? "docked" : "crew");
        AppendXmlText(out, n.name);
        out += "\">";
        std::string tip = n.name + " (" + n.className + ") at " + VectorText(n.pos) + " m";
        if (n.docked) tip += ", docked at port " + std::to_string(n.port);
        AddTitle(out, tip);
        if (n.docked) {
            Emit(out, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"/>",
                 x - kMarkerSize, y - kMarkerSize, 2 * kMarkerSize, 2 * kMarkerSize);
        } else {
            Emit(out, "<polygon points=\"%.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f\"/>", x,
                 y - kMarkerSize, x + kMarkerSize, y, x, y + kMarkerSize, x - kMarkerSize, y);
        }
        marks.Symbol(x, y, kMarkerSize + kStroke);
        std::string label = n.name;
        if (n.docked) label += " (docked at P" + std::to_string(n.port) + ")";
        AddLabel(out, marks, nullptr, kLabelFont, x + kMarkerSize, y - kMarkerSize, 1.0, -1.0,
                 label);
        out += "</g>";
    }
}

void AddView(std::string& out, const DrawingScene& scene, const View& view) {
    Emit(out, "<g id=\"%s\" class=\"view\" data-scale=\"%.6f\">", view.id, view.scale);
    Emit(out, "<text class=\"heading\" x=\"%.1f\" y=\"%.1f\">%s</text>", view.left - kViewPad,
         view.top - kViewPad + 4.0, view.heading);
    double x0 = view.left, x1 = view.left + view.width;
    if (view.clipped) {
        x0 -= kViewPad / 2;
        x1 += kViewPad / 2;
        const double y0 = view.top - kViewPad / 2, y1 = view.top + view.height + kViewPad / 2;
        Emit(out,
             "<clipPath id=\"%s-clip\"><rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" "
             "height=\"%.1f\"/></clipPath>",
             view.id, x0, y0, x1 - x0, y1 - y0);
        Emit(out,
             "<rect class=\"frame\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" "
             "fill=\"none\" stroke=\"#999\"/>",
             x0, y0, x1 - x0, y1 - y0);
        Emit(out, "<g clip-path=\"url(#%s-clip)\">", view.id);
    }
    // The vessel's z axis.
    const double axisY = view.Y({0, 0, 0});
    Emit(out, "<line class=\"axis\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>", x0, axisY,
         x1, axisY);
    AddHull(out, scene, view);
    ViewMarks marks;
    AddAirlock(out, marks, scene, view);
    AddPorts(out, marks, scene, view);
    AddThrusters(out, marks, scene, view);
    AddNearby(out, marks, scene, view);
    // Labels stay below the heading, within the frame of a close-up and beside the main views.
    const Box bounds =
        view.clipped ? Box{x0, view.top - kViewPad / 2, x1, view.top + view.height + kViewPad / 2}
                     : Box{0.0, view.top - kViewPad + 8.0, view.left + view.width + kRightPad,
                           view.top + view.height + kViewPad};
    PlaceLabels(out, marks, bounds);
    if (view.clipped) out += "</g>";
    out += "</g>";
}

// A round length (1, 2 or 5 times a power of ten) of about a fifth of the drawn length.
double ScaleBarLength(double span) {
    const double target = std::max(span / 5.0, 1e-3);
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= target) return step * power;
    }
    return power;
}

void AddScaleBar(std::string& out, const char* id, double left, double top, double scale,
                 double span, const char* note) {
    const double metres = ScaleBarLength(span);
    const double length = metres * scale;
    const double y = top + 20.0;
    Emit(out, "<g id=\"%s\" class=\"scale\" data-metres=\"%g\" data-pixels=\"%.3f\">", id, metres,
         length);
    Emit(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>", left, y, left + length, y);
    for (int i = 0; i <= 5; ++i) {
        const double x = left + length * i / 5.0;
        const double tick = (i == 0 || i == 5) ? 6.0 : 3.0;
        Emit(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>", x, y - tick, x,
             y + tick);
    }
    Emit(out, "<text x=\"%.1f\" y=\"%.1f\">%g m</text>", left + length + 8.0, y + 4.0, metres);
    Emit(out, "<text x=\"%.1f\" y=\"%.1f\">%s</text>", left, y + 22.0, note);
    out += "</g>";
}

// The legend: the vessel's thruster groups on the left, the symbols on the right. Gives its
// height.
double AddLegend(std::string& out, const DrawingScene& scene, double top) {
    out += "<g id=\"legend\">";
    Emit(out, "<text class=\"heading\" x=\"%.1f\" y=\"%.1f\">Thruster groups</text>", kMargin, top);
    double y = top + kLegendRow;
    for (const SceneGroup& group : scene.groups) {
        const int type = group.type;
        const std::vector<std::size_t>& members = group.members;
        const bool engine = type <= THGROUP_HOVER;
        Emit(out, "<g class=\"group\" data-type=\"%d\">", type);
        Emit(out,
             "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
             "stroke-width=\"3\"/>",
             kMargin, y - 4.0, kMargin + 16.0, y - 4.0, engine ? "#d62728" : "#1f77b4");
        Emit(out, "<text x=\"%.1f\" y=\"%.1f\">%d %s: thrusters ", kMargin + 24.0, y, type,
             kGroupNames[type]);
        out += members.empty() ? std::string("none") : IndexList(members);
        out += "</text></g>";
        y += kLegendRow;
    }
    if (scene.groups.empty()) {
        Emit(out, "<text x=\"%.1f\" y=\"%.1f\">no thruster groups</text>", kMargin + 24.0, y);
        y += kLegendRow;
    }

    // The symbol key.
    const double left = kLegendKeyColumn;
    double ky = top;
    Emit(out, "<text class=\"heading\" x=\"%.1f\" y=\"%.1f\">Symbols</text>", left, ky);
    ky += kLegendRow;
    const auto keyRow = [&](const std::string& symbol, const char* text) {
        out += symbol;
        Emit(out, "<text x=\"%.1f\" y=\"%.1f\">%s</text>", left + 34.0, ky, text);
        ky += kLegendRow;
    };
    char buffer[320];
    // A thruster of the kind ("engine", "attitude") as an arrow in its class and arrowhead.
    const auto arrowRow = [&](const char* kind, const char* text) {
        std::snprintf(buffer, sizeof buffer,
                      "<g class=\"thruster %s\"><line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" "
                      "y2=\"%.1f\" marker-end=\"url(#head-%s)\"/></g>",
                      kind, left, ky - 4.0, left + 24.0, ky - 4.0, kind);
        keyRow(buffer, text);
    };
    arrowRow("engine", "engine (main, retro and hover groups), in its thrust direction");
    arrowRow("attitude", "attitude thruster, with its index; shorter when partly out of the page");
    std::snprintf(buffer, sizeof buffer,
                  "<g class=\"thruster attitude\"><circle cx=\"%.1f\" cy=\"%.1f\" r=\"4.5\"/>"
                  "<circle class=\"dot\" cx=\"%.1f\" cy=\"%.1f\" r=\"1.5\"/></g>",
                  left + 6.0, ky - 4.0, left + 6.0, ky - 4.0);
    keyRow(buffer, "thrust out of the page; a cross: into the page");
    std::snprintf(buffer, sizeof buffer,
                  "<g class=\"port active\"><circle class=\"ring\" cx=\"%.1f\" cy=\"%.1f\" "
                  "r=\"9\"/><circle cx=\"%.1f\" cy=\"%.1f\" r=\"4\"/></g>",
                  left + 10.0, ky - 4.0, left + 10.0, ky - 4.0);
    keyRow(buffer,
           "docking port Pn facing its arrow; ringed: the active port (the airlock box is there)");
    std::snprintf(buffer, sizeof buffer,
                  "<g class=\"airlock open\"><rect x=\"%.1f\" y=\"%.1f\" width=\"24\" "
                  "height=\"10\"/></g>",
                  left, ky - 9.0);
    keyRow(buffer, "crew airlock box, door open (dashed grey: closed)");
    std::snprintf(buffer, sizeof buffer,
                  "<g class=\"vessel-marker crew\"><polygon points=\"%.1f,%.1f %.1f,%.1f "
                  "%.1f,%.1f %.1f,%.1f\"/></g>",
                  left + 10.0, ky - 10.0, left + 16.0, ky - 4.0, left + 10.0, ky + 2.0, left + 4.0,
                  ky - 4.0);
    keyRow(buffer, "crew vessel nearby");
    std::snprintf(buffer, sizeof buffer,
                  "<g class=\"vessel-marker docked\"><rect x=\"%.1f\" y=\"%.1f\" width=\"12\" "
                  "height=\"12\"/></g>",
                  left + 4.0, ky - 10.0);
    keyRow(buffer, "docked vessel, at its origin");
    out += "</g>";
    return std::max(y, ky) - top;
}

// Where the views, the close-ups and the scale bars go on the page.
struct Layout {
    View views[2] = {
        {"top-view", "Top view, from above (+y towards you): nose (+z) right, starboard (+x) down",
         kTopPlane},
        {"side-view", "Side view, from starboard (+x towards you): nose (+z) right, up (+y) up",
         kSidePlane},
    };
    // Close-ups of the airlock, where crew vessels come and go, to a larger scale; only with an
    // airlock.
    View details[2] = {
        {"top-detail", "Around the airlock, from above", kTopPlane},
        {"side-detail", "Around the airlock, from starboard", kSidePlane},
    };
    bool withDetails = false;
    double pageWidth = 0.0;
    double bottom = 0.0;  // below the scale bars
    std::string scaleBars;
};

// One scale for both views, from the z range; each view as tall as its content.
void LayOutViews(const DrawingScene& scene, Layout& layout) {
    double zMin = 0.0, zMax = 0.0;
    for (const auto& p : scene.content) {
        zMin = std::min(zMin, p.z);
        zMax = std::max(zMax, p.z);
    }
    const double zSpan = std::max(zMax - zMin, 1.0);
    const double scale = std::min(kMaxScale, kDrawWidth / zSpan);
    layout.pageWidth = std::max(kMinPageWidth, kMargin + kViewPad + zSpan * scale + kRightPad);
    double y = kMargin + kTitleHeight;
    for (View& view : layout.views) {
        double low = 0.0, high = 0.0;
        for (const auto& p : scene.content) {
            low = std::min(low, view.Down(p));
            high = std::max(high, view.Down(p));
        }
        double contentHeight = (high - low) * scale;
        if (contentHeight < kMinViewHeight) {
            const double extra = (kMinViewHeight - contentHeight) / 2.0 / scale;
            low -= extra;
            contentHeight = kMinViewHeight;
        }
        view.scale = scale;
        view.zMin = zMin;
        view.downMin = low;
        view.left = kMargin + kViewPad;
        view.top = y + kViewHeadingHeight + kViewPad;
        view.width = zSpan * scale;
        view.height = contentHeight;
        y = view.top + contentHeight + kViewPad + kViewGap;
    }
    AddScaleBar(layout.scaleBars, "scale-bar", kMargin + kViewPad, y, scale, zSpan,
                "both views to this scale; arrows, port and vessel symbols are not");
    layout.bottom = y + kScaleBarHeight;
}

// The close-ups, square, around the airlock box's centre.
void LayOutDetails(const SceneAirlock& a, Layout& layout) {
    layout.withDetails = true;
    const VECTOR3 centre = Scale(Add(a.low, a.high), 0.5);
    const double half = std::max(
        {(a.high.x - a.low.x) / 2, (a.high.y - a.low.y) / 2, (a.high.z - a.low.z) / 2, 1.0});
    const double reach = half * kDetailReach;
    const double y = layout.bottom + kViewGap;
    for (int i = 0; i < 2; ++i) {
        View& view = layout.details[i];
        view.scale = kDetailPanel / (2 * reach);
        view.zMin = centre.z - reach;
        view.downMin = view.Down(centre) - reach;
        view.left = kMargin + kViewPad + i * (kDetailPanel + kViewPad + kDetailGap);
        view.top = y + kViewHeadingHeight + kViewPad;
        view.width = kDetailPanel;
        view.height = kDetailPanel;
        view.clipped = true;
    }
    const double barTop = layout.details[0].top + kDetailPanel + kViewPad;
    AddScaleBar(layout.scaleBars, "detail-scale-bar", kMargin + kViewPad, barTop,
                layout.details[0].scale, 2 * reach, "the close-ups to this scale");
    layout.bottom = barTop + kScaleBarHeight;
}

Layout LayOut(const DrawingScene& scene) {
    Layout layout;
    LayOutViews(scene, layout);
    if (scene.airlock.present) LayOutDetails(scene.airlock, layout);
    return layout;
}

// The title, the line of numbers and the active port.
void AddHeading(std::string& out, const DrawingScene& scene) {
    Emit(out, "<text class=\"title\" x=\"%.1f\" y=\"%.1f\">", kMargin, kMargin + 14.0);
    AppendXmlText(out, scene.name);
    out += " <tspan class=\"subtitle\">class ";
    AppendXmlText(out, scene.className);
    out += "</tspan></text>";
    Emit(out,
         "<text class=\"subtitle\" x=\"%.1f\" y=\"%.1f\">simulation time %.2f s (MJD %.6f); "
         "size %g m; %d thrusters, %d docking ports; vessel frame: x starboard, y up, z "
         "forward; metres</text>",
         kMargin, kMargin + 36.0, scene.simTime, scene.mjd, scene.size,
         static_cast<int>(scene.thrusters.size()), static_cast<int>(scene.ports.size()));
    std::string active = "active port: ";
    if (scene.activePorts.empty()) {
        active += scene.airlock.present ? "none in the airlock box" : "none (no crew airlock)";
    } else {
        for (std::size_t i = 0; i < scene.activePorts.size(); ++i) {
            if (i > 0) active += " or ";
            active += std::to_string(scene.activePorts[i]);
        }
        if (scene.activePorts.size() > 1) active += " (they share the airlock box)";
    }
    Emit(out, "<text class=\"subtitle\" x=\"%.1f\" y=\"%.1f\">", kMargin, kMargin + 54.0);
    AppendXmlText(out, active);
    out += "</text>";
}

// The document around the drawing: size, title, style, arrow heads and a white page.
std::string Document(const DrawingScene& scene, double width, double height,
                     const std::string& body) {
    std::string svg;
    svg.reserve(body.size() + 4096);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Emit(svg,
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
         "viewBox=\"0 0 %.0f %.0f\">\n",
         width, height, width, height);
    svg += "<title>";
    AppendXmlText(svg, scene.name + " (" + scene.className + ")");
    svg += "</title>\n<style>";
    svg += kStyle;
    svg += "</style>\n<defs>";
    for (const auto& head : kArrowHeads) {
        Emit(svg,
             "<marker id=\"%s\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" markerWidth=\"7\" "
             "markerHeight=\"7\" markerUnits=\"userSpaceOnUse\" orient=\"auto\"><path d=\"M0 0 "
             "L10 5 L0 10 Z\" fill=\"%s\"/></marker>",
             head[0], head[1]);
    }
    svg += "</defs>\n";
    Emit(svg, "<rect width=\"%.0f\" height=\"%.0f\" fill=\"#fff\"/>\n", width, height);
    svg += body;
    svg += "\n</svg>\n";
    return svg;
}

}  // namespace

std::string DrawingSvg(const DrawingScene& scene) {
    const Layout layout = LayOut(scene);
    std::string body;
    body.reserve(64 * 1024);
    AddHeading(body, scene);
    for (const View& view : layout.views) AddView(body, scene, view);
    if (layout.withDetails) {
        for (const View& view : layout.details) AddView(body, scene, view);
    }
    body += layout.scaleBars;
    const double height =
        layout.bottom + AddLegend(body, scene, layout.bottom + kLegendRow) + kLegendRow + kMargin;
    return Document(scene, layout.pageWidth, height, body);
}

}  // namespace sim
