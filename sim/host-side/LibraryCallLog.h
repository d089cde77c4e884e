// What module library entries asked of the host (InitLib, Date2Int), counted by the host functions
// over the process's life.
#pragma once

#include "host/HostApi.h"

namespace sim {

struct LibraryCallLog {
    int initLibCalls = 0;
    HINSTANCE lastInitLibModule = nullptr;
    int date2IntCalls = 0;
};
const LibraryCallLog& LibraryCalls();

}  // namespace sim
