# The generator's page, dist/Carolux.html: the program's own writing code
# (the card's bytes, the filler, the codecs, the final name and the question
# about the names) compiled to WebAssembly with the web card's toolchain, and
# the page's form, style and script around it, with the finished player image
# and the web card's template embedded once, deflated. Built with the 32-bit programs,
# whose player image it carries. Needs Web.cmake's variables.

set(PAGE_OUT "${CMAKE_BINARY_DIR}/webgen")
file(MAKE_DIRECTORY "${PAGE_OUT}/obj")
set(PAGE_WASM_SOURCES
  "${CMAKE_SOURCE_DIR}/webgen/PageWriter.cpp" "${CMAKE_SOURCE_DIR}/webgen/DownloadName.cpp"
  "${CMAKE_SOURCE_DIR}/cardbytes/CardBytes.cpp" "${CMAKE_SOURCE_DIR}/cardbytes/CodePage1252.cpp"
  "${CMAKE_SOURCE_DIR}/cardfile/SendersField.cpp"
  "${CMAKE_SOURCE_DIR}/codecs/Crc32.cpp" "${CMAKE_SOURCE_DIR}/codecs/Deflate.cpp"
  "${CMAKE_SOURCE_DIR}/codecs/ZipArchive.cpp"
  "${CMAKE_SOURCE_DIR}/common/WideString.cpp" "${CMAKE_SOURCE_DIR}/common/ByteBuffer.cpp"
  "${CMAKE_SOURCE_DIR}/common/Utf8.cpp" "${CMAKE_SOURCE_DIR}/common/Characters.cpp"
  "${CMAKE_SOURCE_DIR}/common/WholeCharacters.cpp" "${CMAKE_SOURCE_DIR}/common/Graphemes.cpp"
  "${CMAKE_SOURCE_DIR}/cardbytes/CardPath.cpp" "${CMAKE_SOURCE_DIR}/cardbytes/WebCardPage.cpp"
  "${CMAKE_SOURCE_DIR}/cardbytes/CardMessages.cpp" "${CMAKE_SOURCE_DIR}/common/FolderPart.cpp"
  "${CMAKE_SOURCE_DIR}/web/runtime/Runtime.cpp")
file(GLOB PAGE_WASM_HEADERS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/cardbytes/*.h" "${CMAKE_SOURCE_DIR}/cardbytes/*.inc"
  "${CMAKE_SOURCE_DIR}/cardfile/*.h" "${CMAKE_SOURCE_DIR}/codecs/*.h" "${CMAKE_SOURCE_DIR}/common/*.h"
  "${CMAKE_SOURCE_DIR}/webgen/*.h" "${CMAKE_SOURCE_DIR}/web/runtime/include/*.h")
web_wasm_objects(PAGE_WASM_OBJECTS "${PAGE_OUT}/obj" "the generator's page"
  SOURCES ${PAGE_WASM_SOURCES} DEPENDS ${PAGE_WASM_HEADERS})
web_wasm_link("${PAGE_OUT}/writer.wasm" "the generator's page's writing code" ${PAGE_WASM_OBJECTS})

file(GLOB PAGE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/webgen/*.html" "${CMAKE_SOURCE_DIR}/webgen/*.css"
  "${CMAKE_SOURCE_DIR}/webgen/*.js")
file(MAKE_DIRECTORY "${DIST_OUT}/site")
add_custom_command(OUTPUT "${DIST_OUT}/Carolux.html" "${DIST_OUT}/site/index.html"
  COMMAND Python3::Interpreter -m cmake.assemble_generator_page
    --page "${CMAKE_SOURCE_DIR}/webgen" --web "${CMAKE_SOURCE_DIR}/web" --wasm "${PAGE_OUT}/writer.wasm" --image "$<TARGET_FILE:Nevalto>"
    --template "${WEB_OUT}/card-template.html" --contacts "${CMAKE_SOURCE_DIR}/generator/AboutContacts.h"
    --resources "${CMAKE_SOURCE_DIR}/assets/generator/Carolux.rc"
    --icon "${CMAKE_SOURCE_DIR}/assets/generator/carolux.ico"
    --card-path "${CMAKE_SOURCE_DIR}/cardbytes/CardPath.cpp" --out "${DIST_OUT}/Carolux.html"
    --site-out "${DIST_OUT}/site/index.html"
  DEPENDS "${PAGE_OUT}/writer.wasm" Nevalto web_template "${WEB_OUT}/card-template.html" ${PAGE_SOURCES}
    "${CMAKE_SOURCE_DIR}/cmake/assemble_generator_page.py" "${CMAKE_SOURCE_DIR}/cmake/ico_to_png.py"
    "${CMAKE_SOURCE_DIR}/cmake/page_parts.py" "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
    "${CMAKE_SOURCE_DIR}/web/embedded.js" "${CMAKE_SOURCE_DIR}/generator/AboutContacts.h"
    "${CMAKE_SOURCE_DIR}/assets/generator/Carolux.rc" "${CMAKE_SOURCE_DIR}/assets/generator/carolux.ico"
    "${CMAKE_SOURCE_DIR}/cardbytes/CardPath.cpp" "${CMAKE_SOURCE_DIR}/devkit/png.py"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Assembling the generator's page"
  VERBATIM)
add_custom_target(generator_page ALL DEPENDS "${DIST_OUT}/Carolux.html")

# The site, dist/site/: static files for any static host. The generator's
# page, the card page its links open, and the links' preview picture.
set(SITE_PREVIEW "${CMAKE_SOURCE_DIR}/assets/site/anteprima.jpg")
add_custom_command(OUTPUT "${DIST_OUT}/site/biglietto.html" "${DIST_OUT}/site/anteprima.jpg"
  COMMAND "${CMAKE_COMMAND}" -E copy "${WEB_OUT}/biglietto.html" "${DIST_OUT}/site/biglietto.html"
  COMMAND "${CMAKE_COMMAND}" -E copy "${SITE_PREVIEW}" "${DIST_OUT}/site/anteprima.jpg"
  DEPENDS web_template "${WEB_OUT}/biglietto.html" "${SITE_PREVIEW}"
  COMMENT "Putting the site together"
  VERBATIM)
add_custom_target(site ALL DEPENDS "${DIST_OUT}/site/index.html" "${DIST_OUT}/site/biglietto.html"
  "${DIST_OUT}/site/anteprima.jpg")
