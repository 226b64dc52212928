enable_testing()
find_package(GTest REQUIRED)

set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${CAROLUX_WARNINGS} -g -O1 ${SANITIZERS})
add_link_options(${SANITIZERS})

add_library(portable STATIC
  common/WideString.cpp
  common/ByteBuffer.cpp
  cardfile/SendersField.cpp
  cardfile/AppFolder.cpp
  player/Scene.cpp
  player/Music.cpp
  player/Ambient.cpp)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE portable GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)
