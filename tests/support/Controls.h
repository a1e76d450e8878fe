#pragma once

#include "widgets/Layout.h"

#include <QObject>
#include <QString>
#include <QTabBar>
#include <QTabWidget>
#include <QtGlobal>

// Windows and pages keep their controls to themselves; tests find them as a
// user's tools do, by the names the design gives them.

// The control of that name and kind below `root`. A test that asks for one
// the window lacks ends there, naming it, rather than stumbling on a null.
template <class Widget> Widget* Control(const QObject* root, const QString& name)
{
    auto* found = root->findChild<Widget*>(name);
    if (!found)
        qFatal("No %s named %s", Widget::staticMetaObject.className(), qPrintable(name));
    return found;
}

// A control of an indexed set: Control<QLineEdit>(page, "txtLevel", 3) is txtLevel(3).
template <class Widget> Widget* Control(const QObject* root, const char* base, int index)
{
    return Control<Widget>(root, indexedName(base, index));
}

// The tabs of the main window's tab strip.
inline QTabBar* TabStrip(const QObject* window)
{
    return Control<QTabWidget>(window, QStringLiteral("TabStrip1"))->tabBar();
}
