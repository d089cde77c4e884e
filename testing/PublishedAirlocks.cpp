#include "testing/PublishedAirlocks.h"

namespace test_support {

std::optional<crew_addon::PublishedAirlock> PublishedAirlockOf(const VESSEL& ship) {
    crew_addon::PublishedAirlock airlock;
    if (crew_addon::FindPublishedAirlock(ship, airlock) == nullptr) return std::nullopt;
    return airlock;
}

std::optional<crew_addon::PublishedAirlock> PublishedAirlockOf(const sim::Simulator& simulator,
                                                               const std::string& ship) {
    const VESSEL* vessel = simulator.Interface(simulator.FindVessel(ship));
    if (vessel == nullptr) return std::nullopt;
    return PublishedAirlockOf(*vessel);
}

int PublishedFreeSeats(const sim::Simulator& simulator, const std::string& ship) {
    const auto airlock = PublishedAirlockOf(simulator, ship);
    return airlock ? static_cast<int>(airlock->freeSeats) : -1;
}

int PublishedAirlockState(const sim::Simulator& simulator, const std::string& ship) {
    const auto airlock = PublishedAirlockOf(simulator, ship);
    return airlock ? static_cast<int>(airlock->doorState) : -1;
}

}  // namespace test_support
