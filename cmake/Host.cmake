enable_testing()
find_package(GTest REQUIRED)

set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${CAROLUX_WARNINGS} -g -O1 ${SANITIZERS})
add_link_options(${SANITIZERS})

carolux_room_libraries(PORTABLE)
# The generator's portable files read where the player image starts, which
# the browser's side decides.
include(cmake/Web.cmake)
add_dependencies(generator browser_side)

# The card's own pack, for the inflater's test against a stream it did not
# write itself.
include(cmake/CardPack.cmake)
# The About window's texts, as the generator's page shows them too.
add_executable(about_texts generator/AboutTexts.cpp)
target_link_libraries(about_texts PRIVATE generator)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TESTS} "${CARD_PACK}")
target_link_libraries(unit_tests PRIVATE generator webgen GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE CAROLUX_SOURCE_DIR="${CMAKE_SOURCE_DIR}" CAROLUX_CARD_PACK="${CARD_PACK}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

# The generator's GIF reader against the artwork's own independent reader.
add_executable(gif_dump tests/unit/tools/gif_dump.cpp)
target_link_libraries(gif_dump PRIVATE webgen)
add_test(NAME gif_reader_matches_artwork
  COMMAND Python3::Interpreter -m tests.unit.gif_against_artwork "$<TARGET_FILE:gif_dump>"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}")

# The deflate encoder and archive writer against Python's zlib and zipfile.
add_executable(zip_write tests/unit/tools/zip_write.cpp)
target_link_libraries(zip_write PRIVATE webgen)
add_test(NAME zip_against_python
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tests/unit/zip_against_python.py" "$<TARGET_FILE:zip_write>")

# Makes cards of every kind with the code the generator and its page share,
# for the browser and end-to-end tests.
add_executable(card_write tests/unit/tools/card_write.cpp)
target_link_libraries(card_write PRIVATE webgen)
