#include "SteamDiscovery.h"

#include "GameDiscovery.h"
#include "WineRegistry.h"
#include "files/Paths.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

class VdfReader
{
public:
    explicit VdfReader(const QString& text) : m_text(text) {}

    // Pairs up to the closing brace of the block (or the end of the text).
    void readBlock(VdfNode& node, int depth)
    {
        QString key;
        bool haveKey = false;
        for (;;) {
            const Token t = next();
            if (t.kind == Token::End)
                return;
            if (t.kind == Token::Close) {
                if (m_flattened > 0) {
                    --m_flattened;
                    continue;
                }
                if (depth > 0)
                    return;
                continue; // a stray brace at the top
            }
            if (t.kind == Token::Open) {
                // Past a sane depth, blocks are read flat into this one: a
                // file of nothing but opening braces must not exhaust the stack.
                if (depth >= MaxDepth) {
                    ++m_flattened;
                    haveKey = false;
                    continue;
                }
                auto block = std::make_shared<VdfNode>();
                readBlock(*block, depth + 1);
                if (haveKey)
                    node.entries.append({key, {}, block});
                haveKey = false;
                continue;
            }
            if (!haveKey) {
                key = t.text;
                haveKey = true;
            } else {
                node.entries.append({key, t.text, nullptr});
                haveKey = false;
            }
        }
    }

private:
    static constexpr int MaxDepth = 64;
    int m_flattened = 0; // braces opened past MaxDepth and not yet closed

    struct Token
    {
        enum Kind
        {
            Text,
            Open,
            Close,
            End,
        } kind;
        QString text;
    };

    Token next()
    {
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size())
                return {Token::End, {}};
            const QChar c = m_text.at(m_pos);
            if (c == u'/' && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'/') {
                skipLine();
                continue;
            }
            if (c == u'[') {
                // A platform condition such as [$WIN32] belongs to the pair before it.
                const qsizetype end = m_text.indexOf(u']', m_pos);
                m_pos = end < 0 ? m_text.size() : end + 1;
                continue;
            }
            if (c == u'{') {
                ++m_pos;
                return {Token::Open, {}};
            }
            if (c == u'}') {
                ++m_pos;
                return {Token::Close, {}};
            }
            if (c == u'"')
                return {Token::Text, quoted()};
            return {Token::Text, bare()};
        }
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    void skipLine()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos) != u'\n')
            ++m_pos;
    }

    QString quoted()
    {
        QString out;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            if (c == u'"')
                return out;
            if (c == u'\\' && m_pos < m_text.size()) {
                const QChar e = m_text.at(m_pos++);
                if (e == u'n')
                    out.append(u'\n');
                else if (e == u't')
                    out.append(u'\t');
                else
                    out.append(e); // \\ and \" and the rest stand for themselves
                continue;
            }
            out.append(c);
        }
        return out; // cut short: keep what there is
    }

    QString bare()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c.isSpace() || c == u'"' || c == u'{' || c == u'}')
                break;
            ++m_pos;
        }
        return m_text.mid(start, m_pos - start);
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

VdfNode readVdfFile(const QString& path)
{
    const Result<QByteArray> read = readFileBytes(path);
    if (!read.ok())
        return {};
    return VdfNode::parse(QString::fromUtf8(read.value()));
}

// The same directory under one name, so that links do not repeat it.
QString canonical(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

} // namespace

VdfNode VdfNode::parse(const QString& text)
{
    VdfNode root;
    VdfReader(text).readBlock(root, 0);
    return root;
}

const VdfNode::Entry* VdfNode::find(const QString& key) const
{
    for (const Entry& e : entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

QString VdfNode::text(const QString& key) const
{
    for (const Entry& e : entries) {
        if (!e.block && e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.text;
    }
    return {};
}

const VdfNode* VdfNode::block(const QString& key) const
{
    for (const Entry& e : entries) {
        if (e.block && e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.block.get();
    }
    return nullptr;
}

QStringList steamRoots(const QString& home)
{
    QStringList roots;
    for (const char* relative :
         {".local/share/Steam", ".steam/steam", ".steam/root", ".steam/debian-installation",
          ".var/app/com.valvesoftware.Steam/.local/share/Steam", "snap/steam/common/.local/share/Steam"}) {
        roots.append(home + u'/' + QLatin1String(relative));
    }
    return roots;
}

QStringList steamLibraries(const QString& steamRoot, const QString& prefix)
{
    QStringList libraries{steamRoot};
    QStringList seen{canonical(steamRoot)};
    // Older installations and libraries carried over from Windows spell the
    // folder "SteamApps"; Steam takes any letter case, and so does this.
    for (const char* relative : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
        const VdfNode file = readVdfFile(appendIgnoringCase(steamRoot, QLatin1String(relative)));
        const VdfNode* folders = file.block(QStringLiteral("libraryfolders"));
        if (!folders)
            continue;
        for (const VdfNode::Entry& e : folders->entries) {
            // Numbered entries only: the old form also holds "TimeNextStatsReport"
            // and "ContentStatsID" beside them.
            bool numbered = false;
            e.key.toUInt(&numbered);
            if (!numbered)
                continue;
            // A Steam for Windows in a prefix lists drive paths of the prefix;
            // elsewhere a mount point renamed since, or a path on Windows, may
            // be listed in another case.
            const QString listed = e.block ? e.block->text(QStringLiteral("path")) : e.text;
            const bool onDrive = !prefix.isEmpty() && listed.size() >= 2 && listed.at(1) == u':';
            const QString path = onDrive ? WineRegistry::toUnixPath(prefix, listed) : pathIgnoringCase(listed);
            if (path.isEmpty())
                continue;
            const QString canonicalPath = canonical(path);
            if (seen.contains(canonicalPath))
                continue;
            seen.append(canonicalPath);
            libraries.append(path);
        }
    }
    return libraries;
}

QStringList gameCandidates(const QString& library)
{
    QStringList candidates;
    const QString steamapps = appendIgnoringCase(library, QStringLiteral("steamapps"));
    const VdfNode manifest =
        readVdfFile(appendIgnoringCase(steamapps, QStringLiteral("appmanifest_%1.acf").arg(DeusExSteamAppId)));
    if (const VdfNode* state = manifest.block(QStringLiteral("AppState"))) {
        const QString installDir = state->text(QStringLiteral("installdir"));
        // A folder name only: a manifest must not lead out of its library.
        if (!installDir.isEmpty() && !installDir.contains(u'/') && !installDir.contains(u'\\') &&
            installDir != QLatin1String("..") && installDir != QLatin1String("."))
            candidates.append(appendIgnoringCase(steamapps, QStringLiteral("common/") + installDir));
    }

    // The game's Proton prefix, where its installer ran and left its key.
    const WineRegistry::PrefixRegistry proton(
        appendIgnoringCase(steamapps, QStringLiteral("compatdata/%1/pfx").arg(DeusExSteamAppId)),
        {discoveryKeys(RegistryRoot::LocalMachine), {}});
    candidates.append(installerCandidates(proton));
    return candidates;
}

QString findSteamGame(const QStringList& roots, const QString& prefix)
{
    QStringList seenRoots;
    for (const QString& root : roots) {
        if (!QFileInfo(root).isDir())
            continue;
        const QString canonicalRoot = canonical(root);
        if (seenRoots.contains(canonicalRoot))
            continue;
        seenRoots.append(canonicalRoot);
        for (const QString& library : steamLibraries(root, prefix)) {
            const QString found = firstGameDirectory(gameCandidates(library));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}
