// Feeds arbitrary bytes to the reader of Steam's library and manifest files,
// which start-up reads from the user's Steam folders.

#include "discovery/SteamDiscovery.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

// Walks every block, as discovery does when it looks up keys.
int countEntries(const VdfNode& node)
{
    int count = 0;
    for (const VdfNode::Entry& entry : node.entries) {
        ++count;
        if (entry.block)
            count += countEntries(*entry.block);
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const VdfNode root = VdfNode::parse(text);
    // Every entry holds a key or text taken from the file, so there can be no
    // more entries than characters.
    if (countEntries(root) > text.size())
        std::abort();
    root.text(QStringLiteral("installdir"));
    if (const VdfNode* folders = root.block(QStringLiteral("libraryfolders")))
        folders->text(QStringLiteral("path"));
    return 0;
}
