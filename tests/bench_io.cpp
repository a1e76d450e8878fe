// Reads or writes one mod file of a given size through the rule functions
// that Open and Save call, for scripts/bench-io.sh to count the instructions
// of under callgrind. Only benchRead and benchWrite are meant to be counted:
// making the file and the record to save is set-up. Not part of the test run.
// A mod whose settings are longer than the game reads is refused by Save:
// for such files the write measures the checks that refuse it.
//
//   bench_io read|write BYTES

#include "files/TextFile.h"
#include "mod/GameReading.h"
#include "mod/ItemCatalogue.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace {

// A mod with every kind of value and an inventory of the catalogue's items,
// some with a count, long enough to make the file exactly the given size;
// the name takes up what the entries leave.
QByteArray modFileOfSize(qsizetype bytes)
{
    const QByteArray head = "[Public]\r\nObject=(Name=\"Big";
    const QByteArray middle = "\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\"Action=Start; Inv=";
    const QByteArray tail = "; Class=ModPkg.ModPlayer; Credits=500; SkillPts=5000; Skills=0;1;0;0;0;0;2;0;0;3;0;; "
                            "Aug=DeusEx.AugSpeed(1);DeusEx.AugHealing(0);DeusEx.AugCloak(3);; "
                            "Splash=ModSplash.dx; Map=ModMap.dx\")";
    const std::span<const CatalogueItem> items = itemCatalogue();
    const qsizetype room = bytes - head.size() - middle.size() - tail.size();
    QByteArray inventory;
    for (std::size_t i = 0;; ++i) {
        QByteArray entry = QByteArray("DeusEx.") + items[i % items.size()].className;
        if (i % 3 != 0)
            entry += '(' + QByteArray::number(static_cast<int>(2 + i % 9)) + ')';
        entry += ';';
        if (inventory.size() + entry.size() > room && !inventory.isEmpty())
            break;
        inventory += entry;
    }
    const qsizetype padding = std::max<qsizetype>(0, room - inventory.size());
    return head + QByteArray(padding, 'x') + middle + inventory + tail;
}

} // namespace

// Open's work once the user has chosen the file.
__attribute__((noinline)) qsizetype benchRead(const QString& path)
{
    const Result<QByteArray> read = readFileBytes(path, MaxModFileBytes);
    if (!read.ok())
        return -1;
    const ModFileContents contents = readModFile(read.value());
    if (contents.refusal != ModFileContents::Refusal::None)
        return -1;
    return contents.mod.inventory.size();
}

// Save's work once the target file is known: false when it refuses the mod.
__attribute__((noinline)) bool benchWrite(const QString& path, const ModDefinition& mod)
{
    if (findUnsavableValue(mod))
        return false;
    return writeTextFile(path, composeModFile(mod)).ok();
}

int main(int argc, char* argv[])
{
    const QByteArray mode = argc == 3 ? QByteArray(argv[1]) : QByteArray();
    const qsizetype bytes = argc == 3 ? std::atoll(argv[2]) : 0;
    if ((mode != "read" && mode != "write") || bytes <= 0) {
        std::fprintf(stderr, "usage: bench_io read|write BYTES\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.int"));
    const QByteArray file = modFileOfSize(bytes);
    if (!writeFileAtomically(path, file).ok())
        return 1;

    QTextStream out(stdout);
    if (mode == "read") {
        const qsizetype entries = benchRead(path);
        if (entries < 1) {
            std::fprintf(stderr, "bench_io: the file was not read\n");
            return 1;
        }
        out << "read " << file.size() << " bytes, " << entries << " inventory entries\n";
        return 0;
    }

    const ModDefinition mod = readModDefinition(QString::fromLatin1(file));
    const bool saved = benchWrite(path, mod);
    if (saved != (composeDescription(mod).size() <= GameValueLength)) {
        std::fprintf(stderr, "bench_io: Save %s a mod whose settings %s what the game reads\n",
                     saved ? "took" : "refused", saved ? "exceed" : "fit in");
        return 1;
    }
    if (!saved) {
        out << "refused " << file.size() << " bytes: the settings are longer than the game reads\n";
        return 0;
    }
    // Saving what was read must give the same file back, else the two
    // measurements would not be of the same work.
    if (readFileBytes(path).valueOr({}) != file) {
        std::fprintf(stderr, "bench_io: the saved file differs from the one read\n");
        return 1;
    }
    out << "wrote " << file.size() << " bytes\n";
    return 0;
}
