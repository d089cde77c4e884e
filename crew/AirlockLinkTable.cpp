// The module-wide table of link records. A deque keeps every record where it is while the table
// grows, so a crew manager's record never moves.
#include <deque>

#include "crew/AirlockLink.h"

namespace airlock_links {
namespace {

struct LinkTable {
    std::deque<AirlockLink> records = std::deque<AirlockLink>(kInitialRecords);
    int count = 0;
};

LinkTable& Table() {
    static LinkTable table;
    return table;
}

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
