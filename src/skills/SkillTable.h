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
    {"Weapons: Heavy", 0, ":/skills/heavy.svg"},
    {"Weapons: Pistol", 1, ":/skills/pistol.svg"},
    {"Weapons: Rifle", 2, ":/skills/rifle.svg"},
    {"Weapons: Low-Tech", 4, ":/skills/lowtech.svg"},
    {"Weapons: Demolitions", 3, ":/skills/demolitions.svg"},
    {"Environmental Training", 5, ":/skills/environmental.svg"},
    {"Lockpicking", 6, ":/skills/lockpicking.svg"},
    {"Electronics", 7, ":/skills/electronics.svg"},
    {"Medicine", 8, ":/skills/medicine.svg"},
    {"Computer", 9, ":/skills/computer.svg"},
    {"Swimming", 10, ":/skills/swimming.svg"},
}};

inline constexpr int SkillCount = static_cast<int>(Skills.size());
inline constexpr int MinSkillLevel = 1;
inline constexpr int MaxSkillLevel = 4;
