#pragma once

// Sets up the C library's heap for this program, before the application
// object is made: one heap for all its threads, and the first 1.25 MiB that
// start-up fills asked of the system in one request instead of one page
// fault at a time. Page faults are dear on virtual machines (some 15 µs each
// on the one this was measured on; asked for ahead, a page costs a fraction
// of that), and start-up would fault its heap in page by page. True when the
// pages were provided; false where the system cannot be asked, and then the
// heap works as it always does.
bool PrepareHeap();
