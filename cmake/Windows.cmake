enable_language(RC)

# Small by construction: no exceptions, no run-time types, no unwind tables,
# unused code dropped by the linker. Arguments are pushed rather than stored
# into a reserved area, which needs the stack probes off: so no frame may
# pass the 4,000 bytes past which the compiler would have probed.
add_compile_options(${CAROLUX_WARNINGS} -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -fno-threadsafe-statics -fno-stack-protector -ffunction-sections -fdata-sections
  -mno-accumulate-outgoing-args -mno-stack-arg-probe -Wframe-larger-than=4000)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # 32-bit Windows keeps its stack 4-byte aligned, and nothing here needs more.
  add_compile_options(-mpreferred-stack-boundary=2)
endif()
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -c 65001")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(DIST_OUT "${DIST_DIR}")
  # Windows XP SP3 must accept the programs.
  set(XP_VERSION_FLAGS -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
    -Wl,--major-os-version,5 -Wl,--minor-os-version,1)
else()
  set(DIST_OUT "${DIST_DIR}/x64")
  set(XP_VERSION_FLAGS)
endif()

# The rooms, each one library of all its files.
carolux_room_libraries(ALL)
target_link_libraries(forms PUBLIC gdi32 user32)

# A shipped program: our own entry point, the system's msvcrt, stripped.
function(carolux_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${DIST_OUT}")
  target_sources(${target} PRIVATE winapi/NoCxxRuntime.cpp)
  target_link_options(${target} PRIVATE -mwindows -nostartfiles -s -static-libgcc -Wl,--gc-sections
    -Wl,--no-insert-timestamp ${XP_VERSION_FLAGS})
endfunction()

include(cmake/CardPack.cmake)
add_executable(Nevalto player/Main.cpp assets/player/Nevalto.rc "${CARD_PACK}")
# The resource compiler's inputs, so a redrawn picture or tune rebuilds the card.
set_source_files_properties(assets/player/Nevalto.rc PROPERTIES OBJECT_DEPENDS
  "${CARD_PACK};${CMAKE_SOURCE_DIR}/assets/player/window.ico;${CMAKE_SOURCE_DIR}/assets/player/Nevalto.manifest")
target_include_directories(Nevalto PRIVATE "${CMAKE_BINARY_DIR}/generated/player")
target_link_libraries(Nevalto PRIVATE player)
carolux_program(Nevalto)
# The senders' field: SendersFieldLength bytes at the very end that nothing in the image uses.
add_custom_command(TARGET Nevalto POST_BUILD
  COMMAND Python3::Interpreter -m cmake.finish_player "$<TARGET_FILE:Nevalto>"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Reserving the card's senders' field")

# The web card's page template, made once by the host build.
set(WEB_OUT "${CAROLUX_HOST_BUILD}/web")

# The generator: its own image, linked under an intermediate name, then the
# container the user runs: that image padded to PlayerImageOffset bytes with
# the finished player image behind it.
# The resource script carries the page template (RCDATA) that the host build makes.
set_source_files_properties(assets/generator/Carolux.rc PROPERTIES OBJECT_DEPENDS "${WEB_OUT}/card-template.html")

# The manifest names the architecture of the build it goes into.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CAROLUX_ARCH x86)
else()
  set(CAROLUX_ARCH amd64)
endif()
configure_file(assets/generator/Carolux.manifest.in "${CMAKE_BINARY_DIR}/generated/Carolux.manifest" @ONLY)

add_executable(CaroluxImage generator/Main.cpp assets/generator/Carolux.rc)
target_include_directories(CaroluxImage PRIVATE "${CMAKE_BINARY_DIR}/generated" "${WEB_OUT}")
target_link_libraries(CaroluxImage PRIVATE generator)
carolux_program(CaroluxImage)
set_target_properties(CaroluxImage PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/generator")
add_custom_command(OUTPUT "${DIST_OUT}/Carolux.exe"
  COMMAND Python3::Interpreter -m cmake.assemble_container "$<TARGET_FILE:CaroluxImage>"
    "$<TARGET_FILE:Nevalto>" "${DIST_OUT}/Carolux.exe" "${CAROLUX_LAYOUT_DIR}/PlayerImageOffset.h"
  DEPENDS CaroluxImage Nevalto "${CMAKE_SOURCE_DIR}/cmake/assemble_container.py" "${CMAKE_SOURCE_DIR}/devkit/card_layout.py"
    "${CAROLUX_LAYOUT_DIR}/PlayerImageOffset.h"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Assembling the generator container")
add_custom_target(Carolux ALL DEPENDS "${DIST_OUT}/Carolux.exe")

# The generator's page beside the program, with the player image that ships.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  include(cmake/GeneratorPage.cmake)
endif()

# Both architectures carry their Windows-side tests: faults that only 32-bit
# code can have (calling convention, packing, alignment) must fail one.
include(cmake/WindowsTests.cmake)
