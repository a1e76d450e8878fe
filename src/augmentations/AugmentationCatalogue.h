#pragma once

#include <QString>

#include <array>

// Answer of FindAugSlot when no slot can take a class.
inline constexpr int NoAugSlot = 9;

// The slot a class read from a mod file goes into, given the slots filled so
// far; NoAugSlot for the empty name, an unknown class, or a body part whose
// slots are all taken.
int FindAugSlot(const QString& className, const std::array<QString, 9>& augSlots);
