# The web card's page template: the player's portable scene compiled to
# WebAssembly with clang (no libc: web/runtime is all it has), the scene's
# finished picture recorded at build time by the same code built for this
# machine, and the page's sources, pictures, tune and chime packed into one
# HTML file that the generator fills with the names.

find_program(WEB_CLANGXX NAMES clang++ REQUIRED)
find_program(WEB_WASM_LD NAMES wasm-ld REQUIRED)
find_program(WEB_WASM_OPT NAMES wasm-opt REQUIRED)

set(WEB_OUT "${CMAKE_BINARY_DIR}/web")
file(MAKE_DIRECTORY "${WEB_OUT}/obj")
set(WEB_SCENE_SOURCES
  "${CMAKE_SOURCE_DIR}/player/Scene.cpp"
  "${CMAKE_SOURCE_DIR}/player/Ambient.cpp"
  "${CMAKE_SOURCE_DIR}/common/WideString.cpp")
set(WEB_SCENE_HEADERS
  "${CMAKE_SOURCE_DIR}/player/Scene.h" "${CMAKE_SOURCE_DIR}/player/SceneCanvas.h"
  "${CMAKE_SOURCE_DIR}/player/Ambient.h" "${CMAKE_SOURCE_DIR}/player/CardTexts.h"
  "${CMAKE_SOURCE_DIR}/common/WideString.h" "${CMAKE_SOURCE_DIR}/common/HalfEven.h"
  "${CMAKE_SOURCE_DIR}/web/SceneCanvasState.h")
set(WEB_FLAGS ${CAROLUX_WARNINGS} -std=c++17 -Os -fno-exceptions -fno-rtti -fno-c++-static-destructors
  -I "${CMAKE_SOURCE_DIR}")

# WebAssembly for the browser: wasm32, freestanding, our own small runtime
# (web/runtime). The objects' paths go to out_var.
function(web_wasm_objects out_var folder label)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  set(objects)
  foreach(source ${ARG_SOURCES})
    get_filename_component(name "${source}" NAME_WE)
    set(object "${folder}/${name}.o")
    add_custom_command(OUTPUT "${object}"
      COMMAND "${WEB_CLANGXX}" --target=wasm32 -ffreestanding -nostdlib -nostdinc++
        -isystem "${CMAKE_SOURCE_DIR}/web/runtime/include" ${WEB_FLAGS} -c "${source}" -o "${object}"
      DEPENDS "${source}" ${ARG_DEPENDS} "${CMAKE_SOURCE_DIR}/web/runtime/include/stdlib.h"
        "${CMAKE_SOURCE_DIR}/web/runtime/include/string.h" "${CMAKE_SOURCE_DIR}/web/runtime/include/wchar.h"
      COMMENT "Compiling ${name} for ${label}"
      VERBATIM)
    list(APPEND objects "${object}")
  endforeach()
  set(${out_var} ${objects} PARENT_SCOPE)
endfunction()

# Linked, then made smaller by binaryen's optimiser.
function(web_wasm_link output label)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${WEB_WASM_LD}" --no-entry --strip-all --gc-sections
      --initial-memory=1048576 -z stack-size=65536 ${ARGN} -o "${output}.linked"
    COMMAND "${WEB_WASM_OPT}" -Oz "${output}.linked" -o "${output}"
    DEPENDS ${ARGN}
    COMMENT "Linking ${label}"
    VERBATIM)
endfunction()

# The scene in the browser.
web_wasm_objects(WEB_WASM_OBJECTS "${WEB_OUT}/obj" "the web card"
  SOURCES ${WEB_SCENE_SOURCES} "${CMAKE_SOURCE_DIR}/web/BrowserCanvas.cpp" "${CMAKE_SOURCE_DIR}/web/runtime/Runtime.cpp"
    "${CMAKE_SOURCE_DIR}/common/WholeCharacters.cpp" "${CMAKE_SOURCE_DIR}/common/Graphemes.cpp"
    "${CMAKE_SOURCE_DIR}/common/Utf8.cpp"
  DEPENDS ${WEB_SCENE_HEADERS} "${CMAKE_SOURCE_DIR}/web/ReferenceScreen.h" "${CMAKE_SOURCE_DIR}/common/WholeCharacters.h"
    "${CMAKE_SOURCE_DIR}/common/Graphemes.h"
    "${CMAKE_SOURCE_DIR}/common/Utf8.h" "${CMAKE_SOURCE_DIR}/cardfile/CardLayout.h")
web_wasm_link("${WEB_OUT}/scene.wasm" "the web card's scene" ${WEB_WASM_OBJECTS})

# The finished card for the page without scripts, from the same scene.
add_custom_command(OUTPUT "${WEB_OUT}/scene_record" "${WEB_OUT}/finished.txt"
  COMMAND "${WEB_CLANGXX}" ${WEB_FLAGS} ${WEB_SCENE_SOURCES} "${CMAKE_SOURCE_DIR}/web/FinishedCard.cpp"
    -o "${WEB_OUT}/scene_record"
  COMMAND "${WEB_OUT}/scene_record" > "${WEB_OUT}/finished.txt"
  DEPENDS ${WEB_SCENE_SOURCES} ${WEB_SCENE_HEADERS} "${CMAKE_SOURCE_DIR}/web/FinishedCard.cpp"
    "${CMAKE_SOURCE_DIR}/web/ReferenceScreen.h"
  COMMENT "Recording the web card's finished picture"
  VERBATIM)

file(GLOB WEB_PAGE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/web/*.html" "${CMAKE_SOURCE_DIR}/web/*.css"
  "${CMAKE_SOURCE_DIR}/web/*.js")
file(GLOB WEB_ASSETS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/assets/player/*.ico")
# The site's card page comes with it: the same page, its names from its link.
add_custom_command(OUTPUT "${WEB_OUT}/card-template.html" "${WEB_OUT}/biglietto.html"
  COMMAND Python3::Interpreter -m cmake.assemble_web_template
    --web "${CMAKE_SOURCE_DIR}/web" --assets "${CMAKE_SOURCE_DIR}/assets/player"
    --texts "${CMAKE_SOURCE_DIR}/player/CardTexts.h"
    --wasm "${WEB_OUT}/scene.wasm" --finished "${WEB_OUT}/finished.txt" --out "${WEB_OUT}/card-template.html"
    --site-page "${WEB_OUT}/biglietto.html" --site-url "${CAROLUX_SITE_URL}"
  DEPENDS "${WEB_OUT}/scene.wasm" "${WEB_OUT}/finished.txt" ${WEB_PAGE_SOURCES} ${WEB_ASSETS}
    "${CMAKE_SOURCE_DIR}/assets/player/tune.mid" "${CMAKE_SOURCE_DIR}/assets/player/chime.wav"
    "${CMAKE_SOURCE_DIR}/cmake/assemble_web_template.py" "${CMAKE_SOURCE_DIR}/cmake/ico_to_png.py"
    "${CMAKE_SOURCE_DIR}/cmake/page_parts.py" "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
    "${CMAKE_SOURCE_DIR}/player/CardTexts.h" "${CMAKE_SOURCE_DIR}/devkit/png.py"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Assembling the web card's page template"
  VERBATIM)
add_custom_target(web_template ALL DEPENDS "${WEB_OUT}/card-template.html")

