#include "Layout.h"

#include <algorithm>

void ChainTabOrder(QWidget* root)
{
    QList<QWidget*> controls;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->property(TabIndexProperty).isValid() && w->focusPolicy() != Qt::NoFocus)
            controls.append(w);
    }
    std::stable_sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
        return a->property(TabIndexProperty).toInt() < b->property(TabIndexProperty).toInt();
    });
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}
