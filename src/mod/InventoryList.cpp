#include "InventoryList.h"

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The position of the "(" that opens a trailing "(digits)", or -1.
qsizetype countStart(const QString& text)
{
    if (!text.endsWith(u')'))
        return -1;
    const qsizetype open = text.lastIndexOf(u'(');
    if (open < 0 || open + 2 >= text.size())
        return -1;
    for (qsizetype i = open + 1; i < text.size() - 1; ++i) {
        if (!isAsciiDigit(text[i]))
            return -1;
    }
    return open;
}

} // namespace

InventoryEntry parseInventoryEntry(const QString& text)
{
    const qsizetype open = countStart(text);
    if (open >= 0) {
        bool ok = false;
        const int count = QStringView(text).mid(open + 1, text.size() - open - 2).toInt(&ok);
        // Digits too many for a number are no count the game could read; the
        // text then stands for one unit of itself, like any other odd name.
        if (ok)
            return {text.left(open), count};
    }
    return {text, 1};
}

QString formatInventoryEntry(const QString& className, int count)
{
    if (count == 1)
        return className;
    return QStringLiteral("%1(%2)").arg(className).arg(count);
}

InventoryEdit addUnit(const QStringList& entries, const QString& itemName)
{
    InventoryEdit edit;
    if (entries.size() >= MaxInventoryEntries) {
        edit.action = InventoryEdit::Action::Refuse;
        edit.refusal = InventoryEdit::Refusal::TooManyEntries;
        return edit;
    }
    for (int row = 0; row < entries.size(); ++row) {
        const InventoryEntry entry = parseInventoryEntry(entries[row]);
        if (entry.className != itemName)
            continue;
        if (entry.count >= MaxInventoryCount) {
            edit.action = InventoryEdit::Action::Refuse;
            edit.refusal = InventoryEdit::Refusal::TooManyUnits;
            return edit;
        }
        // A loaded "(0)" comes back to one unit, the bare name.
        edit.action = InventoryEdit::Action::Replace;
        edit.row = row;
        edit.text = formatInventoryEntry(entry.className, entry.count + 1);
        return edit;
    }
    edit.action = InventoryEdit::Action::Append;
    edit.text = itemName;
    return edit;
}

InventoryEdit removeUnit(const QStringList& entries, int row)
{
    InventoryEdit edit;
    if (row < 0 || row >= entries.size())
        return edit;
    const InventoryEntry entry = parseInventoryEntry(entries[row]);
    edit.row = row;
    if (entry.count <= 1) {
        edit.action = InventoryEdit::Action::Delete;
        return edit;
    }
    edit.action = InventoryEdit::Action::Replace;
    edit.text = formatInventoryEntry(entry.className, entry.count - 1);
    return edit;
}

std::optional<QString> customItemProblem(const QString& itemName)
{
    if (itemName.contains(u';')) {
        return QStringLiteral("\"%1\" can't be added: it contains a semicolon (;), which separates the inventory "
                              "entries in the mod file and would cut the inventory short when the mod is opened "
                              "again.")
            .arg(itemName);
    }
    if (itemName.contains(u'"')) {
        return QStringLiteral("\"%1\" can't be added: it contains a double quote (\"), which would end the mod "
                              "definition early when the mod is opened again.")
            .arg(itemName);
    }
    if (countStart(itemName) >= 0) {
        return QStringLiteral("\"%1\" can't be added: the number in parentheses at its end would be read as a "
                              "count. Type the class name alone and add it once for each unit.")
            .arg(itemName);
    }
    return std::nullopt;
}
