# Run after rcc on the generated source of pictures that start-up does not
# read (the pages built later, the denser drawings of a picture shown at
# start): places their bytes in a section of their own, after the read-only
# data the program touches at start-up. They then share no memory page with
# start-up's data, and are never read in until something shows them.
# Only ELF files have named sections this way; elsewhere nothing changes.
#
#   cmake -DSOURCE=<qrc_name.cpp> -P LateResourceData.cmake

file(READ "${SOURCE}" text)
set(declaration "static const unsigned char qt_resource_data[] = {")
string(FIND "${text}" "${declaration}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${SOURCE}: no resource data to place")
endif()
string(REPLACE "${declaration}" "ZARVIK_LATE_PICTURES ${declaration}" text "${text}")
set(prelude [=[
#if defined(__ELF__)
#  define ZARVIK_LATE_PICTURES __attribute__((section("zarvik_late_pictures")))
#else
#  define ZARVIK_LATE_PICTURES
#endif
]=])
file(WRITE "${SOURCE}" "${prelude}${text}")
