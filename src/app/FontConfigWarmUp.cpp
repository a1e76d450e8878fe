#include "FontConfigWarmUp.h"

#include <QtGlobal>

#if !defined(Q_OS_WIN)
#  include <dlfcn.h>
#endif
#if defined(Q_OS_LINUX)
#  include <sys/resource.h>
#  include <unistd.h>
#endif
#if defined(__GLIBC__)
#  include <malloc.h>
#endif

FontConfigWarmUp::FontConfigWarmUp()
{
#if !defined(Q_OS_WIN)
    // Qt's font database brings fontconfig into the process when it uses
    // it; the program itself does not link it, so it asks the loader.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
#  if defined(__GLIBC__)
    // One heap for the whole program. A thread's first allocation would
    // otherwise open a heap of its own: the configuration read here lives as
    // long as the program, and the parse buffers freed beside it would sit
    // where nothing else allocates.
    mallopt(M_ARENA_MAX, 1);
#  endif
    m_worker = std::thread([init] {
#  if defined(Q_OS_LINUX)
        // Only the time the main thread and the window system leave free:
        // competing with them for the processor, the worker would delay
        // the window by as much as it saves. Linux sets this per thread.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#  endif
        init();
    });
#endif
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    finish();
}

void FontConfigWarmUp::finish()
{
    if (m_worker.joinable())
        m_worker.join();
}
