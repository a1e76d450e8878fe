# The program's pictures: the SVG sources in assets/ drawn at build time by
# the host tool RenderAssets at 1x, 2x and 3x, as PNGs or plain pixels,
# compiled in as resources. A cross build runs the tool of a host build of
# this tree (ZARVIK_RENDER_ASSETS, set by scripts/windows-check.sh).

set(ZARVIK_RENDER_ASSETS "" CACHE FILEPATH "RenderAssets of a host build, for cross builds")
if(ZARVIK_RENDER_ASSETS)
    set(zarvik_render_assets "${ZARVIK_RENDER_ASSETS}")
elseif(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "A cross build draws its pictures with the RenderAssets of a host build: "
                        "set ZARVIK_RENDER_ASSETS")
else()
    find_package(Qt6 REQUIRED COMPONENTS Svg)
    qt_add_executable(RenderAssets "${PROJECT_SOURCE_DIR}/tools/RenderAssets.cpp")
    target_link_libraries(RenderAssets PRIVATE Qt6::Gui Qt6::Svg)
    set(zarvik_render_assets $<TARGET_FILE:RenderAssets>)
endif()
set(zarvik_run_render_assets ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${zarvik_render_assets})

# zarvik_add_images(<target> <resource name> [START] SIZE <pixels> FILES <svg>...)
#
# Each assets/<folder>/<name>.svg becomes the resources :/<folder>/<name>.png,
# <name>@2x.png and <name>@3x.png, <pixels> square at 1x. START: pictures the
# window shows at start-up, kept as plain pixels (.argb, not compressed) so
# that showing them needs no decoding.
function(zarvik_add_images target resource_name)
    cmake_parse_arguments(ARG "START" "SIZE" "FILES" ${ARGN})
    set(format png)
    set(rcc_options)
    if(ARG_START)
        set(format argb)
        set(rcc_options OPTIONS --no-compress)
    endif()
    set(images_dir "${CMAKE_CURRENT_BINARY_DIR}/images")
    set(drawings)
    foreach(svg IN LISTS ARG_FILES)
        file(RELATIVE_PATH relative "${PROJECT_SOURCE_DIR}/assets" "${svg}")
        string(REGEX REPLACE "\\.svg$" "" stem "${relative}")
        set(scales "${images_dir}/${stem}.${format}" "${images_dir}/${stem}@2x.${format}"
                   "${images_dir}/${stem}@3x.${format}")
        add_custom_command(OUTPUT ${scales}
            COMMAND ${zarvik_run_render_assets} ${format} "${svg}" "${images_dir}/${stem}" ${ARG_SIZE}
            DEPENDS "${svg}" ${zarvik_render_assets}
            COMMENT "Drawing ${relative}"
            VERBATIM)
        list(APPEND drawings ${scales})
    endforeach()
    qt_add_resources(${target} ${resource_name} PREFIX "/" BASE "${images_dir}" FILES ${drawings} ${rcc_options})
endfunction()

# zarvik_add_windows_icon(<target> <icon.svg>): the executable's icon and its
# version resource, shown by Explorer and the installer, and its application
# manifest.
function(zarvik_add_windows_icon target svg)
    set(ico "${CMAKE_CURRENT_BINARY_DIR}/${target}.ico")
    add_custom_command(OUTPUT "${ico}"
        COMMAND ${zarvik_run_render_assets} ico "${svg}" "${ico}" 16 20 24 32 40 48 64 256
        DEPENDS "${svg}" ${zarvik_render_assets}
        COMMENT "Drawing the Windows icon"
        VERBATIM)
    set(ZARVIK_ICO "${ico}")
    set(ZARVIK_MANIFEST "${PROJECT_SOURCE_DIR}/cmake/windows-manifest.xml")
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/windows-resource.rc.in" "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${rc}")
    set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${ico};${ZARVIK_MANIFEST}")
endfunction()
