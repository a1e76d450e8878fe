#include "widgets/WindowPixels.h"

// Elsewhere the first paint brings the window's memory in, as it always does.
void PrepareWindowPixels(QWidget*) {}
