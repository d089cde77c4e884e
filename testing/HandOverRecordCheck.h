// What a hand-over record should hold, and which fields of one differ from it. Header-only and
// built on the host interface alone: the GoogleTest suites and the Windows test host, which has
// checks of its own, share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "host/CrewAddon.h"

namespace test_support {

// A name field's text, up to its terminator or the field's end.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0') ++length;
    return std::string(field, length);
}

// The record a member should be handed over with. Names are compared as text: the bytes behind a
// name's terminator are whatever the record held before.
struct ExpectedRecord {
    const char* vesselName = "";
    // Null: not compared. A transfer's record keeps the mesh of the last crew vessel made.
    const char* meshName = nullptr;
    int age = 0;
    int pulse = 0;
    int evaValue = 0;
    int weight = 0;
    int reserved = 0;
    int ejectFlag = 0;
};

// Every field of `record` that differs from `expected`, as `age 41 (expected 42)`, joined by
// "; "; empty when the record holds what is expected.
inline std::string RecordDifferences(const crew_addon::HandOverRecord& record,
                                     const ExpectedRecord& expected) {
    std::string differences;
    const auto note = [&differences](const char* field, const std::string& got,
                                     const std::string& want) {
        if (got == want) return;
        if (!differences.empty()) differences += "; ";
        differences += std::string(field) + " " + got + " (expected " + want + ")";
    };
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    note("vesselName", quoted(FieldText(record.vesselName)), quoted(expected.vesselName));
    if (expected.meshName != nullptr) {
        note("meshName", quoted(FieldText(record.meshName)), quoted(expected.meshName));
    }
    const struct {
        const char* field;
        std::int32_t got;
        int want;
    } numbers[] = {
        {"age", record.age, expected.age},
        {"pulse", record.pulse, expected.pulse},
        {"evaValue", record.evaValue, expected.evaValue},
        {"weight", record.weight, expected.weight},
        {"reserved", record.reserved, expected.reserved},
        {"ejectFlag", record.ejectFlag, expected.ejectFlag},
    };
    // Formatted here: the Windows test host's C++ library has no std::to_string.
    const auto decimal = [](long long value) {
        char text[24];
        std::snprintf(text, sizeof text, "%lld", value);
        return std::string(text);
    };
    for (const auto& number : numbers) {
        note(number.field, decimal(number.got), decimal(number.want));
    }
    return differences;
}

}  // namespace test_support
