#include "Layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QListView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

void chainTabOrder(QWidget* root)
{
    // Each property lookup searches the class's own properties by name
    // first: read every control's index once, not at every comparison.
    struct Control
    {
        int tabIndex;
        QWidget* widget;
    };
    QList<Control> controls;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        const QVariant tabIndex = w->property(TabIndexProperty);
        if (tabIndex.isValid())
            controls.append({tabIndex.toInt(), w});
    }
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Control& a, const Control& b) { return a.tabIndex < b.tabIndex; });
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1].widget, controls[i].widget);
}

QFont designFont()
{
    // The design's face first, then faces of the same measure. Those this
    // system lacks are left out: Qt would pick the first one present all the
    // same, but a missing family asked for first makes it also ask fontconfig
    // for that family's stand-ins, a sort of every installed font, at every
    // start. With none of them present the list stays whole, so the system's
    // stand-in for the design's face is chosen as before.
    static const QStringList families = [] {
        const QStringList wanted{QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                 QStringLiteral("Helvetica")};
        // A family several foundries make is listed once for each, as
        // "Family [Foundry]".
        QStringList installed;
        for (const QString& family : QFontDatabase::families())
            installed << family.section(QStringLiteral(" ["), 0, 0);
        QStringList present;
        for (const QString& family : wanted)
            if (installed.contains(family, Qt::CaseInsensitive))
                present << family;
        return present.isEmpty() ? wanted : present;
    }();
    QFont font;
    font.setFamilies(families);
    // Where none of them is there, a face of the same kind.
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    // The captions, menus and entries are Latin text, which needs no
    // shaping (as classic Windows drew it, without kerning); text in a
    // script that needs shaping is still shaped.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QPushButton* placeButtonWithTip(QWidget* parent, const ControlDesign& design, const char* tip)
{
    auto* button = place<QPushButton>(parent, design);
    button->setToolTip(QString::fromLatin1(tip));
    button->setAccessibleName(QString::fromLatin1(tip));
    return button;
}

namespace {

class DesignRowDelegate : public QStyledItemDelegate
{
public:
    explicit DesignRowDelegate(QListView* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(qRound(QFontInfo(option.font).pixelSize() * 1.2));
        return size;
    }

    // A row is drawn no wider than the list shows it, so that a long name
    // is shortened rather than cut off at the list's edge.
    //
    // A row the list cannot show whole is not drawn: the list scrolls by
    // whole rows, and a sliver of the next one under the last whole row (the
    // frame leaves room for one at some scales) reads as a stray line.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect viewport = m_list->viewport()->rect();
        if (option.rect.bottom() > viewport.bottom() && option.rect.top() > viewport.top())
            return;
        QStyleOptionViewItem shown(option);
        shown.rect.setRight(std::min(option.rect.right(), m_list->viewport()->rect().right()));
        QStyledItemDelegate::paint(painter, shown, index);
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        if (QStyledItemDelegate::sizeHint(option, index).width() > view->viewport()->width())
            QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(),
                               option.rect);
        else
            QToolTip::hideText();
        return true;
    }

private:
    QListView* m_list;
};

} // namespace

void useDesignRows(QListView* list)
{
    list->setItemDelegate(new DesignRowDelegate(list));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideMiddle);
}

void useDesignFont()
{
    // Given no class name, the font replaces the fonts of every class too.
    QApplication::setFont(designFont());
}
