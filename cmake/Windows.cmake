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

add_library(common STATIC common/WideString.cpp common/ByteBuffer.cpp common/Utf8.cpp common/Characters.cpp
  common/WholeCharacters.cpp common/Graphemes.cpp common/FolderPart.cpp common/DecimalText.cpp)
add_library(winapi STATIC winapi/Ansi.cpp winapi/AnsiEncode.cpp winapi/Bind.cpp winapi/File.cpp winapi/ModulePath.cpp)
target_link_libraries(winapi PUBLIC common)
add_library(cardfile STATIC cardfile/SendersField.cpp cardfile/AppFolder.cpp cardfile/ImageExtent.cpp
  cardfile/CardFile.cpp)
target_link_libraries(cardfile PUBLIC winapi)
# The portable codecs: the generator's GIF pictures, the zipped card, and the
# inflater that unpacks the card's pictures, tune and chime.
add_library(codecs STATIC codecs/Gif.cpp codecs/Crc32.cpp codecs/Deflate.cpp codecs/ZipArchive.cpp codecs/Inflate.cpp)
target_link_libraries(codecs PUBLIC common)
add_library(forms STATIC forms/Form.cpp forms/Control.cpp forms/PictureHolder.cpp forms/Label.cpp
  forms/FormTimer.cpp forms/BackgroundImage.cpp forms/Font.cpp forms/MessagePump.cpp forms/DialogMessageLoop.cpp
  forms/ControlForm.cpp forms/ChildControls.cpp forms/ToolTip.cpp forms/TipLabel.cpp
  forms/LineShape.cpp forms/GifPicture.cpp forms/ScratchSurface.cpp)
target_link_libraries(forms PUBLIC winapi codecs gdi32 user32)

add_library(player STATIC player/frmDraw.cpp player/Module1.cpp player/Scene.cpp player/Ambient.cpp
  player/Music.cpp player/SystemMusic.cpp player/CardShow.cpp player/CardPack.cpp)
target_link_libraries(player PUBLIC forms cardfile)

# A shipped program: our own entry point, the system's msvcrt, stripped.
function(carolux_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${DIST_OUT}")
  target_sources(${target} PRIVATE winapi/NoCxxRuntime.cpp)
  target_link_options(${target} PRIVATE -mwindows -nostartfiles -s -static-libgcc -Wl,--gc-sections
    -Wl,--no-insert-timestamp ${XP_VERSION_FLAGS})
endfunction()

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_executable(Nevalto player/Main.cpp assets/player/Nevalto.rc "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin")
# The resource compiler's inputs, so a redrawn picture or tune rebuilds the card.
file(GLOB PLAYER_RESOURCE_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/assets/player/*.ico"
  "${CMAKE_SOURCE_DIR}/assets/player/*.mid" "${CMAKE_SOURCE_DIR}/assets/player/*.wav"
  "${CMAKE_SOURCE_DIR}/assets/player/*.manifest")
# The pictures but the window's own icon, the tune and the chime travel
# packed, by their numbers in player/PlayerResources.h.
set(PLAYER_PACKED 101=neve.ico 102=green.ico 103=star_bright.ico 104=star_dark.ico 105=snowman.ico
  106=candle.ico 107=bauble.ico 100=tune.mid 200=chime.wav)
list(TRANSFORM PLAYER_PACKED REPLACE "=" "=${CMAKE_SOURCE_DIR}/assets/player/" OUTPUT_VARIABLE PLAYER_PACK_ARGS)
add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin"
  COMMAND Python3::Interpreter -m cmake.pack_resources
    "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin" ${PLAYER_PACK_ARGS}
  DEPENDS ${PLAYER_RESOURCE_FILES} "${CMAKE_SOURCE_DIR}/cmake/pack_resources.py"
    "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Packing the card's pictures, tune and chime")
set_source_files_properties(assets/player/Nevalto.rc PROPERTIES
  OBJECT_DEPENDS "${PLAYER_RESOURCE_FILES};${CMAKE_BINARY_DIR}/generated/player/card-pack.bin")
target_include_directories(Nevalto PRIVATE "${CMAKE_BINARY_DIR}/generated/player")
target_link_libraries(Nevalto PRIVATE player)
carolux_program(Nevalto)
# The senders' field: 70 bytes at the very end that nothing in the image uses.
add_custom_command(TARGET Nevalto POST_BUILD
  COMMAND Python3::Interpreter -m cmake.finish_player "$<TARGET_FILE:Nevalto>"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Reserving the card's senders' field")

# The web card's page template and the filler that puts the names in it.
include(cmake/Web.cmake)
# The bytes of each kind of card, which the generator and its page share.
add_library(cardbytes STATIC cardbytes/CardBytes.cpp cardbytes/CodePage1252.cpp cardbytes/CardPath.cpp
  cardbytes/WebCardPage.cpp cardbytes/CardMessages.cpp)
target_link_libraries(cardbytes PUBLIC codecs cardfile common)

# The generator: its own image, linked under an intermediate name, then the
# container the user runs: that image padded to PlayerImageOffset bytes with
# the finished player image behind it.
add_library(generator STATIC generator/frmWizard.cpp generator/frmAbout.cpp generator/GeneralBas.cpp
  generator/CardWriter.cpp generator/SystemMessage.cpp generator/VersionResource.cpp generator/OpenForms.cpp
  generator/AboutLinks.cpp generator/VersionRecord.cpp generator/PlayerImage.cpp generator/StagingName.cpp
  generator/Messages.cpp generator/WebTemplate.cpp)
target_link_libraries(generator PUBLIC forms cardfile cardbytes)
# The resource script carries the page template (RCDATA) that web_template makes.
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
add_dependencies(CaroluxImage web_template)
target_link_libraries(CaroluxImage PRIVATE generator)
carolux_program(CaroluxImage)
set_target_properties(CaroluxImage PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/generator")
add_custom_command(OUTPUT "${DIST_OUT}/Carolux.exe"
  COMMAND Python3::Interpreter -m cmake.assemble_container "$<TARGET_FILE:CaroluxImage>"
    "$<TARGET_FILE:Nevalto>" "${DIST_OUT}/Carolux.exe"
  DEPENDS CaroluxImage Nevalto "${CMAKE_SOURCE_DIR}/cmake/assemble_container.py"
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
