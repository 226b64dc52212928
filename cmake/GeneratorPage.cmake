# The generator's page, dist/Carolux.html: the program's own writing code
# (the card's bytes, the filler, the codecs, the final name and the question
# about the names) compiled to WebAssembly with the web card's toolchain, and
# the page's form, style and script around it, with the finished player image
# and the web card's template embedded once, deflated. The host build makes
# the writing code and the template; this is built with the 32-bit programs,
# whose player image it carries.

file(GLOB PAGE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/webgen/*.html" "${CMAKE_SOURCE_DIR}/webgen/*.css"
  "${CMAKE_SOURCE_DIR}/webgen/*.js")
file(MAKE_DIRECTORY "${DIST_OUT}/site")
add_custom_command(OUTPUT "${DIST_OUT}/Carolux.html" "${DIST_OUT}/site/index.html"
  COMMAND Python3::Interpreter -m cmake.assemble_page generator
    --page "${CMAKE_SOURCE_DIR}/webgen" --web "${CMAKE_SOURCE_DIR}/web" --wasm "${WEB_OUT}/writer.wasm" --image "$<TARGET_FILE:Nevalto>"
    --template "${WEB_OUT}/card-template.html" --about-texts "${CAROLUX_HOST_BUILD}/about_texts"
    --resources "${CMAKE_SOURCE_DIR}/assets/generator/Carolux.rc"
    --icon "${CMAKE_SOURCE_DIR}/assets/generator/carolux.ico"
    --card-path "${CMAKE_SOURCE_DIR}/cardbytes/CardPath.cpp" --out "${DIST_OUT}/Carolux.html"
    --site-out "${DIST_OUT}/site/index.html"
  DEPENDS "${WEB_OUT}/writer.wasm" Nevalto "${WEB_OUT}/card-template.html" ${PAGE_SOURCES}
    "${CMAKE_SOURCE_DIR}/cmake/assemble_page.py" "${CMAKE_SOURCE_DIR}/cmake/generator_page.py" "${CMAKE_SOURCE_DIR}/cmake/ico_to_png.py"
    "${CMAKE_SOURCE_DIR}/cmake/page_parts.py" "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
    "${CMAKE_SOURCE_DIR}/web/embedded.js" "${CMAKE_SOURCE_DIR}/web/memory.js" "${CAROLUX_HOST_BUILD}/about_texts"
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
  DEPENDS "${WEB_OUT}/biglietto.html" "${SITE_PREVIEW}"
  COMMENT "Putting the site together"
  VERBATIM)
add_custom_target(site ALL DEPENDS "${DIST_OUT}/site/index.html" "${DIST_OUT}/site/biglietto.html"
  "${DIST_OUT}/site/anteprima.jpg")
