#pragma once

#include <QApplication>
#include <QFont>

// Gives the application back the font it had when the scope began, per-class
// fonts set meanwhile cleared, so that a test trying other fonts leaves the
// next one the font it expects.
class ApplicationFontScope
{
public:
    ApplicationFontScope() : m_before(QApplication::font()) {}
    ~ApplicationFontScope() { QApplication::setFont(m_before); }
    ApplicationFontScope(const ApplicationFontScope&) = delete;
    ApplicationFontScope& operator=(const ApplicationFontScope&) = delete;

private:
    QFont m_before;
};
