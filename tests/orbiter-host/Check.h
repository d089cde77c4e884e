// The host's checks: each records a pass or a failure with its file and line; a group prints one
// line with its counts, and every failure is printed as it happens.
#pragma once

#include <concepts>

#include "host/HostTypes.h"

namespace check {

// Records one check; `detail` says what arrived when it failed (may be null).
bool Record(bool passed, const char* what, const char* file, int line, const char* detail);
bool Equal(double actual, double expected, const char* what, const char* file, int line);
bool Equal(const VECTOR3& actual, const VECTOR3& expected, const char* what, const char* file,
           int line);
bool EqualInteger(long long actual, long long expected, const char* what, const char* file,
                  int line);
template <std::integral A, std::integral B>
bool Equal(A actual, B expected, const char* what, const char* file, int line) {
    return EqualInteger(static_cast<long long>(actual), static_cast<long long>(expected), what,
                        file, line);
}
bool Equal(const char* actual, const char* expected, const char* what, const char* file, int line);

// Runs one group of checks and prints its line.
void Group(const char* name, void (*run)());

int Passed();
int Failed();
// The group running now ("" between groups), for a report of a crash inside it.
const char* CurrentGroup();

}  // namespace check

#define CHECK(condition) check::Record((condition), #condition, __FILE__, __LINE__, nullptr)
// Exact equality: values that cross the module boundary must arrive bit for bit.
#define CHECK_EQ(actual, expected) check::Equal((actual), (expected), #actual, __FILE__, __LINE__)
