# The browser's side, built once on the host for both Windows builds:
# - the web card's page template: the player's portable scene compiled to
#   WebAssembly with clang (no libc: web/runtime is all it has), the scene's
#   finished picture recorded at build time by the same code built for this
#   machine, and the page's sources, pictures, tune and chime packed into one
#   HTML file that the generator fills with the names;
# - the generator's page's writing code, the same rooms' portable files;
# - where the player image starts in the generator container, which follows
#   the template's length.
# Needs Rooms.cmake and the host's room libraries.

find_program(WEB_CLANGXX NAMES clang++ REQUIRED)
find_program(WEB_WASM_LD NAMES wasm-ld REQUIRED)
find_program(WEB_WASM_OPT NAMES wasm-opt REQUIRED)
find_program(WEB_AR NAMES llvm-ar REQUIRED)

set(WEB_OUT "${CMAKE_BINARY_DIR}/web")
file(MAKE_DIRECTORY "${WEB_OUT}/lib")
set(WEB_FLAGS ${CAROLUX_WARNINGS} -std=c++17 -Os -fno-exceptions -fno-rtti -fno-c++-static-destructors
  -I "${CMAKE_SOURCE_DIR}")

# One source compiled for the browser: wasm32, freestanding, our own small
# runtime. The compiler's depfile names the headers it read, so a new
# #include rebuilds it. The object's path goes to out_var.
function(web_wasm_object source out_var)
  set(object "${WEB_OUT}/obj/${source}.o")
  set(${out_var} "${object}" PARENT_SCOPE)
  get_property(made GLOBAL PROPERTY "web_object:${source}" SET)
  if(made)
    return()
  endif()
  set_property(GLOBAL PROPERTY "web_object:${source}" TRUE)
  get_filename_component(folder "${object}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  add_custom_command(OUTPUT "${object}"
    COMMAND "${WEB_CLANGXX}" --target=wasm32 -ffreestanding -nostdlib -nostdinc++
      -isystem "${CMAKE_SOURCE_DIR}/web/runtime/include" ${WEB_FLAGS} -MD -MF "${object}.d"
      -c "${CMAKE_SOURCE_DIR}/${source}" -o "${object}"
    DEPENDS "${CMAKE_SOURCE_DIR}/${source}"
    DEPFILE "${object}.d"
    COMMENT "Compiling ${source} for the browser"
    VERBATIM)
endfunction()

# A room's portable files for the browser, as an archive the linker takes
# only what it needs from (none when the room has no such files).
function(web_room_archive room out_var)
  carolux_room_sources(${room} PORTABLE sources)
  set(archive "${WEB_OUT}/lib/${room}.a")
  set(${out_var} PARENT_SCOPE)
  if(NOT sources)
    return()
  endif()
  get_property(made GLOBAL PROPERTY "web_archive:${room}" SET)
  if(NOT made)
    set_property(GLOBAL PROPERTY "web_archive:${room}" TRUE)
    set(objects)
    foreach(source IN LISTS sources)
      web_wasm_object("${source}" object)
      list(APPEND objects "${object}")
    endforeach()
    add_custom_command(OUTPUT "${archive}"
      COMMAND "${CMAKE_COMMAND}" -E rm -f "${archive}"
      COMMAND "${WEB_AR}" rcs "${archive}" ${objects}
      DEPENDS ${objects}
      COMMENT "Archiving ${room} for the browser"
      VERBATIM)
  endif()
  set(${out_var} "${archive}" PARENT_SCOPE)
endfunction()

# A browser program of a room: its own sources and the runtime over the
# archives of the rooms it stands on, linked, then made smaller by
# binaryen's optimiser.
function(web_wasm_program output label room)
  set(objects)
  foreach(source IN LISTS ARGN ITEMS web/runtime/Runtime.cpp)
    web_wasm_object("${source}" object)
    list(APPEND objects "${object}")
  endforeach()
  set(archives)
  carolux_rooms_under(${room} rooms)
  foreach(under IN LISTS rooms)
    if(NOT under STREQUAL "web")
      web_room_archive(${under} archive)
      list(APPEND archives ${archive})
    endif()
  endforeach()
  add_custom_command(OUTPUT "${output}"
    COMMAND "${WEB_WASM_LD}" --no-entry --strip-all --gc-sections
      --initial-memory=1048576 -z stack-size=65536 ${objects} ${archives} -o "${output}.linked"
    COMMAND "${WEB_WASM_OPT}" -Oz "${output}.linked" -o "${output}"
    DEPENDS ${objects} ${archives}
    COMMENT "Linking ${label}"
    VERBATIM)
endfunction()

web_wasm_program("${WEB_OUT}/scene.wasm" "the web card's scene" web web/BrowserCanvas.cpp)
web_wasm_program("${WEB_OUT}/writer.wasm" "the generator's page's writing code" webgen webgen/PageWriter.cpp)

# The finished card for the page without scripts, from the same scene.
add_executable(scene_record web/FinishedCard.cpp)
target_link_libraries(scene_record PRIVATE player)
add_custom_command(OUTPUT "${WEB_OUT}/finished.txt"
  COMMAND scene_record > "${WEB_OUT}/finished.txt"
  DEPENDS scene_record
  COMMENT "Recording the web card's finished picture"
  VERBATIM)

file(GLOB WEB_PAGE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/web/*.html" "${CMAKE_SOURCE_DIR}/web/*.css"
  "${CMAKE_SOURCE_DIR}/web/*.js")
file(GLOB WEB_ASSETS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/assets/player/*.ico")
# The site's card page comes with it: the same page, its names from its link.
add_custom_command(OUTPUT "${WEB_OUT}/card-template.html" "${WEB_OUT}/biglietto.html"
  COMMAND Python3::Interpreter -m cmake.assemble_page card
    --web "${CMAKE_SOURCE_DIR}/web" --assets "${CMAKE_SOURCE_DIR}/assets/player"
    --texts "${CMAKE_SOURCE_DIR}/player/CardTexts.h" --look "${CMAKE_SOURCE_DIR}/player/CardLook.h"
    --wasm "${WEB_OUT}/scene.wasm" --finished "${WEB_OUT}/finished.txt" --out "${WEB_OUT}/card-template.html"
    --site-page "${WEB_OUT}/biglietto.html" --site-url "${CAROLUX_SITE_URL}"
  DEPENDS "${WEB_OUT}/scene.wasm" "${WEB_OUT}/finished.txt" ${WEB_PAGE_SOURCES} ${WEB_ASSETS}
    "${CMAKE_SOURCE_DIR}/assets/player/tune.mid" "${CMAKE_SOURCE_DIR}/assets/player/chime.wav"
    "${CMAKE_SOURCE_DIR}/cmake/assemble_page.py" "${CMAKE_SOURCE_DIR}/cmake/card_page.py" "${CMAKE_SOURCE_DIR}/cmake/ico_to_png.py"
    "${CMAKE_SOURCE_DIR}/cmake/page_parts.py" "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
    "${CMAKE_SOURCE_DIR}/player/CardTexts.h" "${CMAKE_SOURCE_DIR}/player/PlayerResources.h"
    "${CMAKE_SOURCE_DIR}/player/CardLook.h" "${CMAKE_SOURCE_DIR}/cmake/card_resources.py" "${CMAKE_SOURCE_DIR}/devkit/card_layout.py"
    "${CMAKE_SOURCE_DIR}/devkit/png.py"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Assembling the web card's page template"
  VERBATIM)

# The generator's image carries the template, so the player image's place
# after it follows the template's length.
add_custom_command(OUTPUT "${CAROLUX_LAYOUT_DIR}/PlayerImageOffset.h"
  COMMAND Python3::Interpreter -m cmake.player_image_offset
    "${WEB_OUT}/card-template.html" "${CAROLUX_LAYOUT_DIR}/PlayerImageOffset.h"
  DEPENDS "${WEB_OUT}/card-template.html" "${CMAKE_SOURCE_DIR}/cmake/player_image_offset.py"
    "${CMAKE_SOURCE_DIR}/devkit/card_layout.py" "${CMAKE_SOURCE_DIR}/cardfile/CardLayout.h"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Placing the player image after the generator's image"
  VERBATIM)
add_custom_target(browser_side ALL DEPENDS "${WEB_OUT}/card-template.html" "${WEB_OUT}/writer.wasm"
  "${CAROLUX_LAYOUT_DIR}/PlayerImageOffset.h")
