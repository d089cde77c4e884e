#include "sim/world/TouchdownPoints.h"

#include <cmath>
#include <limits>

namespace sim {

// With the vessel's centre at altitude h, a point at height y (vessel frame) is compressed by
// max(0, -(h + y)). The springs' force falls as h rises, so exactly one h carries the weight: for
// each depth, take the points at or below it as those on the ground, solve
// Σ k (-(h + y)) = weight for h, and keep the h for which that set is the one on the ground.
double RestAltitude(std::span<const TOUCHDOWNVTX> points, double weight) {
    if (points.empty()) return 0.0;
    double lowest = std::numeric_limits<double>::infinity();
    for (const TOUCHDOWNVTX& point : points) lowest = std::fmin(lowest, point.pos.y);
    for (const TOUCHDOWNVTX& deepest : points) {
        const double depth = deepest.pos.y;
        double stiffness = 0.0, moment = 0.0;
        double nextAbove = std::numeric_limits<double>::infinity();
        for (const TOUCHDOWNVTX& point : points) {
            if (point.pos.y <= depth) {
                stiffness += point.stiffness;
                moment += point.stiffness * point.pos.y;
            } else {
                nextAbove = std::fmin(nextAbove, point.pos.y);
            }
        }
        if (!(stiffness > 0.0)) continue;
        const double altitude = -(weight + moment) / stiffness;
        // The points down to `depth` touch the ground, the next one up does not.
        if (altitude <= -depth && altitude >= -nextAbove) return altitude;
    }
    return -lowest;
}

}  // namespace sim
