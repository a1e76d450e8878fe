#include "MessageText.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>

#include <algorithm>

#include <utility>
#include <vector>

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

bool isBlank(QChar c)
{
    return c.isSpace() && c != u'\n';
}

// Breaks one paragraph (from `from` up to `to`, no line feeds) of the text
// into lines.
void layOutParagraph(const QString& text, qsizetype from, qsizetype to,
                     const std::vector<std::pair<qsizetype, qsizetype>>& paths, const QFontMetrics& metrics, int width,
                     QList<MessageLines::Span>& lines)
{
    const QString paragraph = text.mid(from, to - from);

    // Where a line may start: where the line-breaking rules allow outside
    // paths; inside a path that fits on a line nowhere, inside a longer one
    // after each separator.
    std::vector<bool> mayBreakBefore(paragraph.size() + 1, false);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, paragraph);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        if (finder.boundaryReasons() & QTextBoundaryFinder::BreakOpportunity)
            mayBreakBefore[at] = true;
    }
    for (const auto& [pathStart, pathEnd] : paths) {
        const qsizetype start = std::max(pathStart, from) - from;
        const qsizetype end = std::min(pathEnd, to) - from;
        if (start >= end)
            continue;
        const bool fits = metrics.horizontalAdvance(paragraph.mid(start, end - start)) <= width;
        for (qsizetype at = start + 1; at < end; ++at)
            mayBreakBefore[at] = !fits && isSeparator(paragraph[at - 1]);
    }

    // Blanks at a line's end take no room: the line ends before them.
    const auto visibleEnd = [&paragraph](qsizetype start, qsizetype end) {
        while (end > start && isBlank(paragraph[end - 1]))
            --end;
        return end;
    };
    qsizetype lineStart = 0;
    qsizetype lineEnd = 0; // where the pieces taken so far end
    for (qsizetype at = 1; at <= paragraph.size(); ++at) {
        if (!mayBreakBefore[at] && at < paragraph.size())
            continue;
        const qsizetype shown = visibleEnd(lineStart, at);
        if (lineEnd > lineStart && metrics.horizontalAdvance(paragraph.mid(lineStart, shown - lineStart)) > width) {
            lines.append({from + lineStart, visibleEnd(lineStart, lineEnd) - lineStart});
            lineStart = lineEnd;
        }
        lineEnd = at;
    }
    lines.append({from + lineStart, visibleEnd(lineStart, paragraph.size()) - lineStart});
}

} // namespace

QString withoutPathMarks(const QString& text)
{
    QString plain = text;
    plain.remove(QChar(PathStartMark));
    plain.remove(QChar(PathEndMark));
    return plain;
}

MessageLines layOutMessage(const QString& marked, const QFontMetrics& metrics, int width)
{
    // The text without its marks, and where its paths start and end.
    MessageLines laidOut;
    QString& text = laidOut.text;
    std::vector<std::pair<qsizetype, qsizetype>> paths;
    for (const QChar c : marked) {
        if (c == PathStartMark)
            paths.emplace_back(text.size(), -1);
        else if (c == PathEndMark && !paths.empty() && paths.back().second < 0)
            paths.back().second = text.size();
        else if (c != PathEndMark)
            text += c;
    }
    if (!paths.empty() && paths.back().second < 0)
        paths.back().second = text.size();

    qsizetype from = 0;
    for (;;) {
        const qsizetype feed = text.indexOf(u'\n', from);
        const qsizetype to = feed < 0 ? text.size() : feed;
        layOutParagraph(text, from, to, paths, metrics, width, laidOut.lines);
        if (feed < 0)
            break;
        from = feed + 1;
    }
    return laidOut;
}
