# Windows-side tests, run under Wine. GoogleTest comes from Debian's sources,
# built here with the same compiler (exceptions allowed in tests only).
enable_testing()
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main)
  target_compile_options(${t} PRIVATE -fexceptions -frtti -fasynchronous-unwind-tables -w)
endforeach()

file(GLOB WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
add_executable(win_tests ${WIN_TESTS} assets/player/Nevalto.rc)
target_compile_options(win_tests PRIVATE -fexceptions -frtti -fasynchronous-unwind-tables)
target_link_libraries(win_tests PRIVATE player gtest_main)
target_compile_definitions(win_tests PRIVATE CAROLUX_DIST="${DIST_OUT}")
target_link_options(win_tests PRIVATE -static)
add_dependencies(win_tests Nevalto)
target_include_directories(win_tests PRIVATE "${CMAKE_BINARY_DIR}/generated/player")  # the card's pack
include(GoogleTest)
add_test(NAME win_tests COMMAND win_tests)

# The end-to-end driver: finds windows, presses keys, takes screenshots.
add_executable(driver tests/e2e/driver/driver.cpp)
target_link_libraries(driver PRIVATE gdi32 user32 shell32)
target_link_options(driver PRIVATE -static)
set_target_properties(driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/e2e")

# The yardstick of the benchmark, linked exactly as the shipped programs are.
add_executable(MinimalWindow tests/bench/MinimalWindow.cpp)
carolux_program(MinimalWindow)
set_target_properties(MinimalWindow PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")

# The generator's Windows-side tests: their own program, as they need the
# generator's resources (whose numbers the player's share).
file(GLOB GENERATOR_WIN_TESTS CONFIGURE_DEPENDS tests/win/generator/*.cpp)
add_executable(generator_tests ${GENERATOR_WIN_TESTS} tests/win/TestFiles.cpp assets/generator/Carolux.rc)
target_include_directories(generator_tests PRIVATE "${CMAKE_BINARY_DIR}/generated" "${WEB_OUT}")
target_compile_options(generator_tests PRIVATE -fexceptions -frtti -fasynchronous-unwind-tables)
target_compile_definitions(generator_tests PRIVATE CAROLUX_DIST="${DIST_OUT}")
target_link_libraries(generator_tests PRIVATE generator gtest_main)
target_link_options(generator_tests PRIVATE -static)
add_dependencies(generator_tests Carolux)
add_test(NAME generator_tests COMMAND generator_tests)
