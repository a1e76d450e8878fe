#include "MessageText.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <utility>
#include <vector>

namespace {

constexpr char16_t PathStart = 0x2068;
constexpr char16_t PathEnd = 0x2069;

bool IsSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

// Blanks at a line's end take no room: the line ends before them.
QString WithoutTrailingBlanks(QString line)
{
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}

// Breaks one paragraph (no line feeds) into lines.
QStringList LayOutParagraph(const QString& marked, const QFontMetrics& metrics, int width)
{
    // The text without its marks, and where its paths start and end.
    QString text;
    std::vector<std::pair<qsizetype, qsizetype>> paths;
    for (const QChar c : marked) {
        if (c == PathStart)
            paths.emplace_back(text.size(), -1);
        else if (c == PathEnd && !paths.empty() && paths.back().second < 0)
            paths.back().second = text.size();
        else if (c != PathEnd)
            text += c;
    }
    if (!paths.empty() && paths.back().second < 0)
        paths.back().second = text.size();

    // Where a line may start: where the line-breaking rules allow outside
    // paths; inside a path that fits on a line nowhere, inside a longer one
    // after each separator.
    std::vector<bool> mayBreakBefore(text.size() + 1, false);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        if (finder.boundaryReasons() & QTextBoundaryFinder::BreakOpportunity)
            mayBreakBefore[at] = true;
    }
    for (const auto& [start, end] : paths) {
        const bool fits = metrics.horizontalAdvance(text.mid(start, end - start)) <= width;
        for (qsizetype at = start + 1; at < end; ++at)
            mayBreakBefore[at] = !fits && IsSeparator(text[at - 1]);
    }

    QStringList lines;
    QString line;
    qsizetype pieceStart = 0;
    for (qsizetype at = 1; at <= text.size(); ++at) {
        if (!mayBreakBefore[at] && at < text.size())
            continue;
        const QString piece = text.mid(pieceStart, at - pieceStart);
        pieceStart = at;
        const QString candidate = line + piece;
        if (!line.isEmpty() && metrics.horizontalAdvance(WithoutTrailingBlanks(candidate)) > width) {
            lines << WithoutTrailingBlanks(line);
            line = piece;
        } else {
            line = candidate;
        }
    }
    lines << WithoutTrailingBlanks(line);
    return lines;
}

} // namespace

QString WithoutPathMarks(const QString& text)
{
    QString plain = text;
    plain.remove(QChar(PathStart));
    plain.remove(QChar(PathEnd));
    return plain;
}

QString LaidOutMessage(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n'))
        lines << LayOutParagraph(paragraph, metrics, width);
    return lines.join(u'\n');
}
