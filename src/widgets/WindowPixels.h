#pragma once

class QWidget;

// Asks the system for all the memory of a shown window's pixels at once,
// ahead of the first paint, which writes every one of them. Left to the first
// paint, each page of it costs a fault of its own; on virtual machines, where
// page faults are dear (some 15 µs each on the one this was measured on;
// asked for ahead, a page costs a fraction of that), that was the larger part
// of painting the main window. Where the system cannot be asked, or the
// window does not draw into an image in memory, this does nothing.
void PrepareWindowPixels(QWidget* window);
