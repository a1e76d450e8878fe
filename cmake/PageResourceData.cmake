# Run after rcc on the generated source of a page's pictures: places their
# bytes in a section of their own, after the read-only data the program
# touches at start-up. The pictures of pages built later then share no memory
# page with start-up's data, and are never read in until a page shows them.
# Only ELF files have named sections this way; elsewhere nothing changes.
#
#   cmake -DSOURCE=<qrc_name.cpp> -P PageResourceData.cmake

file(READ "${SOURCE}" text)
set(declaration "static const unsigned char qt_resource_data[] = {")
string(FIND "${text}" "${declaration}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${SOURCE}: no resource data to place")
endif()
string(REPLACE "${declaration}" "ZARVIK_PAGE_PICTURES ${declaration}" text "${text}")
set(prelude [=[
#if defined(__ELF__)
#  define ZARVIK_PAGE_PICTURES __attribute__((section("zarvik_page_pictures")))
#else
#  define ZARVIK_PAGE_PICTURES
#endif
]=])
file(WRITE "${SOURCE}" "${prelude}${text}")
