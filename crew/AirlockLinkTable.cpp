#include "crew/AirlockLink.h"
#include "crew/ModuleState.h"

namespace crew {

namespace {

LinkTable& Table() { return TheModuleState().links; }

}  // namespace

int LinkCount() { return Table().count; }

AirlockLink& LinkRecord(int index) {
    std::deque<AirlockLink>& records = Table().records;
    const auto wanted = static_cast<std::size_t>(index < 0 ? 0 : index);
    while (records.size() <= wanted) records.emplace_back();
    return records[wanted];
}

void CommitNextLink() { ++Table().count; }

}  // namespace crew
