#pragma once

#include <QString>

#include <array>

// The eleven skills in the order the mod file stores their levels.
struct SkillInfo
{
    const char* caption; // label on the Skills page
    int icon;            // number of the icon drawn beside it
};

inline constexpr std::array<SkillInfo, 11> Skills{{
    {"Weapons: Heavy", 0},
    {"Weapons: Pistol", 1},
    {"Weapons: Rifle", 2},
    {"Weapons: Low-Tech", 4},
    {"Weapons: Demolitions", 3},
    {"Environmental Training", 5},
    {"Lockpicking", 6},
    {"Electronics", 7},
    {"Medicine", 8},
    {"Computer", 9},
    {"Swimming", 10},
}};

inline constexpr int SkillCount = static_cast<int>(Skills.size());
inline constexpr int MinSkillLevel = 1;
inline constexpr int MaxSkillLevel = 4;
