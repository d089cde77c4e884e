// The crew add-on's vessel class "UMmu", built into the simulator. A new crew vessel gets one
// parent-side attachment of its own. One whose name begins with "UMmu_" reads the crew record of
// "config\UMmutmp.cfg" at creation and keeps the member's age, pulse and weight; when it walks
// into a ship's airlock it gets, once, its last parent-side attachment "U-Mm" carrying
// (age, pulse, weight). A transfer vessel ("UMmuT...") gets only its own attachment: the sending
// ship adds "U-Mm". Saving keeps the vessel whole: its member data, and every parent-side
// attachment added to it after its own, with identifier and vectors, in their order.
#pragma once

#include <string>
#include <vector>

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
    // Recreates, in order, the attachments that the scenario lines named.
    void RestoreAttachments();
    int age_ = 0;
    int pulse_ = 0;
    int weight_ = 0;
    bool memberAttachment_ = false;
    ATTACHMENTHANDLE walkedAttachment_ = nullptr;
    // Attachments read from scenario lines, made once every line is read: the walk's (no
    // identifier) or one added by another vessel's module.
    struct SavedAttachment {
        bool walked;
        std::string id;
        VECTOR3 pos, dir, rot;
    };
    std::vector<SavedAttachment> savedAttachments_;
};

}  // namespace sim
