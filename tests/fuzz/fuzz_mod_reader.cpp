// Feeds arbitrary bytes through everything Open does with a file short of
// the window: the size limit, the refusal of UTF-16, decoding, the look of a
// mod definition, reading every field, and reading the file as the game
// does. Besides crashes and undefined behaviour it checks what the window
// relies on when it applies the result, and that what Open shows, once Save
// accepts it, opens again the same and the game reads it the same: read,
// compose, read gives the same mod, and saving that writes the same file.

#include "support/ModRoundTrip.h"

#include "files/AnsiText.h"
#include "mod/GameReading.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"
#include "mod/Numeric.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Open refuses a larger file before reading it.
    if (size > static_cast<std::size_t>(MaxModFileBytes))
        return -1;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Open refuses text in UTF-16 before decoding it.
    if (looksLikeUtf16(bytes))
        return 0;
    const QString text = AnsiText::decode(bytes);
    require(text.size() == bytes.size());

    // What Open refuses (empty, no mod definition, a value longer than its
    // field holds) goes no further.
    const ModFileContents contents = readModFile(bytes);
    if (contents.refusal != ModFileContents::Refusal::None)
        return 0;
    const ModDefinition& mod = contents.mod;
    const ModReadReport& report = contents.report;

    // Lists come only from their keys.
    const bool namesInventory = text.contains(QLatin1String("Inv="), Qt::CaseInsensitive);
    const bool namesAugmentations = text.contains(QLatin1String("Aug="), Qt::CaseInsensitive);
    require(namesInventory || mod.inventory.isEmpty());
    require(namesAugmentations || report.unplacedAugmentations.isEmpty());
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        require(mod.augLevels[slot] >= 0 && mod.augLevels[slot] <= 9);
        require(namesAugmentations || mod.augSlots[slot].isEmpty());
        require(!mod.augSlots[slot].isEmpty() || mod.augLevels[slot] == 0);
    }
    // A level the file gives is numeric and within what the Skills page shows.
    for (const QString& level : mod.skillLevels) {
        require(isNumericText(level));
        const double value = numericValue(level);
        require(value > 0.0 && value < 5.0);
    }
    // Every value comes out of the text; none can be longer than it.
    for (const QString* value :
         {&mod.name, &mod.playerClass, &mod.credits, &mod.skillPoints, &mod.splashMap, &mod.startingMap})
        require(value->size() <= text.size());

    // The game's reading holds no more than its buffers do, and Open tells
    // of every difference it finds.
    for (const GameObject& object : readGameObjects(text)) {
        require(object.line.size() <= GameSectionLength);
        for (const GameValue* value : {&object.name, &object.className, &object.metaClass, &object.description}) {
            require(value->value.size() <= GameValueLength);
            require(value->keyAt < 0 || value->valueAt + value->value.size() <= object.line.size());
            require(value->cutAtLimit == (value->length > GameValueLength));
        }
    }
    const GameReadingDifference& game = contents.game;
    require(game.listed || game.settingsNotAsShown.isEmpty());
    require((game.settings == GameReadingDifference::Settings::AsShown) == game.settingsNotAsShown.isEmpty());
    if (game.differs())
        require(!gameReadingMessage(game, mod).isEmpty());

    // What Open shows saves and opens again as it was.
    if (findUnsavableValue(mod))
        return 0;
    const QString saved = composeModFile(mod);
    require(looksLikeModDefinition(saved));
    ModReadReport reopenedReport;
    const ModDefinition reopened = readModDefinition(saved, &reopenedReport);
    require(!overlongField(reopened));
    require(reopenedReport.unplacedAugmentations.isEmpty());
    require(FirstDifference(reopened, AsSaved(mod)).isEmpty());
    require(composeModFile(reopened) == saved);
    require(!compareGameReading(saved, reopened).differs());
    require(GameReadsDifferently(mod).isEmpty());
    return 0;
}
