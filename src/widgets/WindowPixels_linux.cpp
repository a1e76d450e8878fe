#include "widgets/WindowPixels.h"

#include <QBackingStore>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

void PrepareWindowPixels(QWidget* window)
{
#ifdef MADV_POPULATE_WRITE
    if (!window || !window->isWindow() || !window->isVisible())
        return;
    QBackingStore* store = window->backingStore();
    if (!store)
        return;
    // The size the first paint gives it; sized now, the first paint keeps
    // this image instead of making another.
    store->resize(window->size());
    store->beginPaint(QRegion());
    const QPaintDevice* device = store->paintDevice();
    if (device && device->devType() == QInternal::Image) {
        const auto* image = static_cast<const QImage*>(device);
        const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        const auto first = reinterpret_cast<std::uintptr_t>(image->constBits());
        const auto begin = first & ~(pageSize - 1);
        const auto end = first + static_cast<std::uintptr_t>(image->sizeInBytes());
        // Only a request: a kernel without it (before 5.14) refuses, and
        // the first paint faults the pages in as before. The pixels
        // themselves are left as they are.
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }
    store->endPaint();
#else
    Q_UNUSED(window);
#endif
}
