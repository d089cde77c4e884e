// The crew add-on's vessel class "UMmu", built into the simulator. A new crew vessel gets one
// parent-side attachment of its own. One whose name begins with "UMmu_" reads the crew record of
// "config\UMmutmp.cfg" at creation and keeps the member's age, pulse and weight; when it walks
// into a ship's airlock it gets, once, its last parent-side attachment "U-Mm" carrying
// (age, pulse, weight). A transfer vessel ("UMmuT...") gets only its own attachment: the sending
// ship adds "U-Mm". Saving keeps what the vessel itself knows, as the simulator keeps a vessel:
// its member data and whether it walked in. An attachment another vessel's module added is not
// written, so a transfer vessel comes back from a scenario without its "U-Mm"; the
// "ADDED_ATTACHMENT" lines of scenarios saved by earlier versions are read and dropped.
#pragma once

#include "host/HostApi.h"

namespace sim {

inline constexpr char kCrewSuitAttachmentId[] = "UMmuSuit";

class CrewAddonVessel final : public VESSEL2 {
  public:
    CrewAddonVessel(OBJHANDLE vessel, int flightModel) : VESSEL2(vessel, flightModel) {}

    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void* status) override;

    // Gives the "U-Mm" attachment, once.
    void GiveMemberAttachment();

  private:
    void ReadHandOverRecord();
    int age_ = 0;
    int pulse_ = 0;
    int weight_ = 0;
    bool memberAttachment_ = false;
};

}  // namespace sim
