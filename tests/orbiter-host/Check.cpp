#include "Check.h"

#include <cstdio>
#include <cstring>

namespace check {
namespace {

int passed = 0;
int failed = 0;
const char* currentGroup = "";

}  // namespace

bool Record(bool ok, const char* what, const char* file, int line, const char* detail) {
    if (ok) {
        ++passed;
        return true;
    }
    ++failed;
    std::printf("FAILED %s:%d: %s%s%s\n", file, line, what, detail != nullptr ? ": " : "",
                detail != nullptr ? detail : "");
    return false;
}

bool Equal(double actual, double expected, const char* what, const char* file, int line) {
    char detail[128];
    std::snprintf(detail, sizeof detail, "got %.17g, expected %.17g", actual, expected);
    return Record(actual == expected, what, file, line, detail);
}

bool Equal(const VECTOR3& actual, const VECTOR3& expected, const char* what, const char* file,
           int line) {
    char detail[160];
    std::snprintf(detail, sizeof detail,
                  "got (%.17g, %.17g, %.17g), expected (%.17g, %.17g, %.17g)", actual.x, actual.y,
                  actual.z, expected.x, expected.y, expected.z);
    const bool same = actual.x == expected.x && actual.y == expected.y && actual.z == expected.z;
    return Record(same, what, file, line, detail);
}

bool EqualInteger(long long actual, long long expected, const char* what, const char* file,
                  int line) {
    char detail[96];
    std::snprintf(detail, sizeof detail, "got %lld, expected %lld", actual, expected);
    return Record(actual == expected, what, file, line, detail);
}

bool Equal(const char* actual, const char* expected, const char* what, const char* file, int line) {
    char detail[640];
    std::snprintf(detail, sizeof detail, "got \"%.300s\", expected \"%.300s\"",
                  actual != nullptr ? actual : "(null)", expected != nullptr ? expected : "(null)");
    const bool same =
        actual != nullptr && expected != nullptr && std::strcmp(actual, expected) == 0;
    return Record(same, what, file, line, detail);
}

void Group(const char* name, void (*run)()) {
    const int passedBefore = passed;
    const int failedBefore = failed;
    currentGroup = name;
    run();
    currentGroup = "";
    const int groupPassed = passed - passedBefore;
    const int groupFailed = failed - failedBefore;
    std::printf("%s: %d checks, %s\n", name, groupPassed + groupFailed,
                groupFailed == 0 ? "all passed" : "FAILED");
    std::fflush(stdout);
}

int Passed() { return passed; }
int Failed() { return failed; }
const char* CurrentGroup() { return currentGroup; }

}  // namespace check
