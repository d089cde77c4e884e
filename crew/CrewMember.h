// One roster entry of a crew manager.
#pragma once

namespace crew {

struct CrewMember {
    char name[40];   // at most 25 characters: letters, digits and spaces
    int age;         // years, 1 to 140
    int pulse;       // 0 to 180
    double weight;   // kilograms, a whole number from 5 to 300
    char idCode[8];  // function code, at most 4 characters, may be empty
};

}  // namespace crew
