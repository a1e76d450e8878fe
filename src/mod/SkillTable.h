#pragma once

#include <QString>

#include <array>

// The eleven skills in the order the mod file stores their levels.
struct SkillInfo
{
    const char* caption; // label on the Skills page
    int icon;            // number of the picture beside it (picSkills)
    const char* image;   // the picture, a resource drawn for this program
};

inline constexpr std::array<SkillInfo, 11> Skills{{
    {"Weapons: Heavy", 0, ":/skills/heavy"},
    {"Weapons: Pistol", 1, ":/skills/pistol"},
    {"Weapons: Rifle", 2, ":/skills/rifle"},
    {"Weapons: Low-Tech", 4, ":/skills/lowtech"},
    {"Weapons: Demolitions", 3, ":/skills/demolitions"},
    {"Environmental Training", 5, ":/skills/environmental"},
    {"Lockpicking", 6, ":/skills/lockpicking"},
    {"Electronics", 7, ":/skills/electronics"},
    {"Medicine", 8, ":/skills/medicine"},
    {"Computer", 9, ":/skills/computer"},
    {"Swimming", 10, ":/skills/swimming"},
}};

inline constexpr int SkillCount = static_cast<int>(Skills.size());
inline constexpr int MinSkillLevel = 1;
inline constexpr int MaxSkillLevel = 4;
