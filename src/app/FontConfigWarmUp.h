#pragma once

#include <thread>

// Reads fontconfig's configuration and font caches on a worker thread while
// the main thread connects to the window system. Qt reads them, on the main
// thread, at the first use of a font; that is the largest single cost of
// starting a Qt program on Linux, and nothing on the screen depends on which
// thread pays it. Where Qt finds fonts without fontconfig (Windows, macOS)
// this does nothing.
class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits for the worker. Call it before the first font is used: a
    // fontconfig that is still being read would be read a second time.
    void finish();

private:
    std::thread m_worker;
};
