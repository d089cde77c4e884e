#include "crew/AirlockLink.h"
#include "crew/ModuleState.h"

namespace airlock_links {
namespace {

LinkTable& Table() { return TheModuleState().links; }

}  // namespace

int Count() { return Table().count; }

AirlockLink& Record(int index) {
    std::deque<AirlockLink>& records = Table().records;
    const auto wanted = static_cast<std::size_t>(index < 0 ? 0 : index);
    while (records.size() <= wanted) records.emplace_back();
    return records[wanted];
}

void CommitNext() { ++Table().count; }

}  // namespace airlock_links
