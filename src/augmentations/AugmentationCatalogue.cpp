#include "AugmentationCatalogue.h"

#include <QStringList>

int FindAugSlot(const QString& className, const std::array<QString, 9>& augSlots)
{
    struct Part
    {
        QStringList classes;
        std::array<int, 3> slotIndices;
    };
    static const std::array<Part, 6> parts{{
        {{QStringLiteral("AugDefense"), QStringLiteral("AugDrone")}, {0, -1, -1}},
        {{QStringLiteral("AugCombat"), QStringLiteral("AugMuscle")}, {1, -1, -1}},
        {{QStringLiteral("AugTarget"), QStringLiteral("AugVision")}, {2, -1, -1}},
        {{QStringLiteral("AugStealth"), QStringLiteral("AugSpeed")}, {3, -1, -1}},
        {{QStringLiteral("AugHealing"), QStringLiteral("AugShield"), QStringLiteral("AugAquaLung"),
          QStringLiteral("AugEnviro"), QStringLiteral("AugHeartLung"), QStringLiteral("AugPower")},
         {4, 5, 6}},
        {{QStringLiteral("AugBallistic"), QStringLiteral("AugEMP"), QStringLiteral("AugCloak"),
          QStringLiteral("AugRadarTrans")},
         {7, 8, -1}},
    }};
    for (const Part& part : parts) {
        if (!part.classes.contains(className))
            continue;
        if (part.slotIndices[1] < 0)
            return part.slotIndices[0];
        for (int slot : part.slotIndices) {
            if (slot >= 0 && augSlots[slot].isEmpty())
                return slot;
        }
        return NoAugSlot;
    }
    return NoAugSlot;
}
