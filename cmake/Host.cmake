enable_testing()
find_package(GTest REQUIRED)

set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${CAROLUX_WARNINGS} -g -O1 ${SANITIZERS})
add_link_options(${SANITIZERS})

add_library(portable STATIC
  common/WideString.cpp
  common/ByteBuffer.cpp
  common/Utf8.cpp
  common/Characters.cpp
  common/WholeCharacters.cpp
  common/Graphemes.cpp
  common/FolderPart.cpp
  common/DecimalText.cpp
  webgen/DownloadName.cpp
  cardfile/SendersField.cpp
  cardfile/AppFolder.cpp
  cardfile/ImageExtent.cpp
  player/Scene.cpp
  player/Music.cpp
  player/Ambient.cpp
  codecs/Gif.cpp
  generator/AboutLinks.cpp
  generator/VersionRecord.cpp
  generator/PlayerImage.cpp
  generator/StagingName.cpp
  generator/Messages.cpp
  codecs/Crc32.cpp
  codecs/Deflate.cpp
  codecs/ZipArchive.cpp
  codecs/Inflate.cpp
  cardbytes/WebCardPage.cpp
  cardbytes/CardPath.cpp
  cardbytes/CardMessages.cpp
  cardbytes/CardBytes.cpp
  cardbytes/CodePage1252.cpp)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE portable GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE CAROLUX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  CAROLUX_CARD_PACK="${CMAKE_BINARY_DIR}/generated/player/card-pack.bin")
# A pack made as the card's build makes it, for the inflater's test against
# a stream it did not write itself.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB PLAYER_ICONS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/assets/player/*.ico")
add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin"
  COMMAND Python3::Interpreter -m cmake.pack_resources
    "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin" 102=${CMAKE_SOURCE_DIR}/assets/player/green.ico
    103=${CMAKE_SOURCE_DIR}/assets/player/star_bright.ico 107=${CMAKE_SOURCE_DIR}/assets/player/bauble.ico
    100=${CMAKE_SOURCE_DIR}/assets/player/tune.mid
  DEPENDS ${PLAYER_ICONS} "${CMAKE_SOURCE_DIR}/assets/player/tune.mid" "${CMAKE_SOURCE_DIR}/cmake/pack_resources.py"
    "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}")
target_sources(unit_tests PRIVATE "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

# The generator's GIF reader against the artwork's own independent reader.
add_executable(gif_dump tests/unit/tools/gif_dump.cpp)
target_link_libraries(gif_dump PRIVATE portable)
add_test(NAME gif_reader_matches_artwork
  COMMAND Python3::Interpreter -m tests.unit.gif_against_artwork "$<TARGET_FILE:gif_dump>"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}")

# The deflate encoder and archive writer against Python's zlib and zipfile.
add_executable(zip_write tests/unit/tools/zip_write.cpp)
target_link_libraries(zip_write PRIVATE portable)
add_test(NAME zip_against_python
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tests/unit/zip_against_python.py" "$<TARGET_FILE:zip_write>")

# Makes cards of every kind with the code the generator and its page share,
# for the browser and end-to-end tests.
add_executable(card_write tests/unit/tools/card_write.cpp)
target_link_libraries(card_write PRIVATE portable)
