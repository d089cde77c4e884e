// The scene the drawing tests share: two Quillmars docked nose to nose, the first with one
// member aboard, loaded and run for a moment.
#pragma once

#include <gtest/gtest.h>

#include "sim/session/Simulator.h"
#include "testing/RootFiles.h"
#include "testing/ShipModule.h"

inline constexpr char kTwoDockedQuillmars[] =
    "BEGIN_SHIPS\n"
    "Pioneer:Quillmar\n  STATUS Orbiting Earth\n  RPOS 6778000 0 0\n  RVEL 0 7668.5 0\n"
    "  AROT 0 0 0\n  DOCKINFO 0:0,Meridian\n  UMMUCREW Capt-Ada_Kerr-41-66-72\nEND\n"
    "Meridian:Quillmar\n  STATUS Orbiting Earth\n  RPOS 6778000 0 414.4\n  RVEL 0 7668.5 0\n"
    "  AROT 0 180 0\n  DOCKINFO 0:0,Pioneer\nEND\n"
    "END_SHIPS\n";

class DockedQuillmars : public ::testing::Test {
  protected:
    DockedQuillmars() {
        test_support::RegisterShipModule(sim);
        sim.LoadScenario(test_support::WriteRootFile(sim, "two.scn", kTwoDockedQuillmars));
        sim.Run(0.1);
    }

    sim::Simulator sim;
};
