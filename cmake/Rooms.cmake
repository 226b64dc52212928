# The source tree's rooms, floor by floor from the ground up. A room includes
# only itself and the rooms on the floors beneath it (a static test holds
# that), and is one library of every .cpp file in its folder. The host and
# the browser build a room's portable files, the Windows builds all of them.
# A new file joins its room's library by being there; nothing lists it.
#
# The web room holds only the browser programs' own files (the canvas, the
# finished card's recorder, the runtime), so it is no library.
set(CAROLUX_FLOORS common "winapi codecs" "cardfile forms" player web cardbytes "generator webgen")

# A program's own files: an entry point, or the runtime of one kind of program.
# They go only into the programs that name them.
set(CAROLUX_PROGRAM_FILES player/Main.cpp generator/Main.cpp winapi/NoCxxRuntime.cpp webgen/PageWriter.cpp
  web/BrowserCanvas.cpp web/FinishedCard.cpp generator/AboutTexts.cpp)

# A file is portable when every system header it reaches, itself or through
# the project's headers, is one that the browser's runtime (web/runtime)
# or the compiler gives. Anything else is Windows code.
set(CAROLUX_PORTABLE_SYSTEM_HEADERS stddef.h stdint.h stdlib.h string.h wchar.h)

function(carolux_is_portable file out)
  get_property(known GLOBAL PROPERTY "carolux_portable:${file}" SET)
  if(known)
    get_property(portable GLOBAL PROPERTY "carolux_portable:${file}")
    set(${out} ${portable} PARENT_SCOPE)
    return()
  endif()
  set_property(GLOBAL PROPERTY "carolux_portable:${file}" TRUE)  # a circle of includes adds nothing
  # A changed include can move a file between the host and Windows only.
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${file}")
  file(STRINGS "${CMAKE_SOURCE_DIR}/${file}" lines REGEX "^[ \t]*#[ \t]*include")
  set(portable TRUE)
  foreach(line IN LISTS lines)
    if(line MATCHES "<([^>]+)>")
      if(NOT CMAKE_MATCH_1 IN_LIST CAROLUX_PORTABLE_SYSTEM_HEADERS)
        set(portable FALSE)
      endif()
    elseif(line MATCHES "\"([^\"]+)\"")
      set(header "${CMAKE_MATCH_1}")
      if(EXISTS "${CMAKE_SOURCE_DIR}/${header}")  # not one the build writes
        carolux_is_portable("${header}" header_portable)
        if(NOT header_portable)
          set(portable FALSE)
        endif()
      endif()
    endif()
    if(NOT portable)
      break()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY "carolux_portable:${file}" ${portable})
  set(${out} ${portable} PARENT_SCOPE)
endfunction()

# The library files of a room: PORTABLE ones, or ALL.
function(carolux_room_sources room kind out)
  file(GLOB files CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/${room}/*.cpp")
  list(SORT files)
  set(chosen)
  foreach(file IN LISTS files)
    if(file IN_LIST CAROLUX_PROGRAM_FILES)
      continue()
    endif()
    if(kind STREQUAL "PORTABLE")
      carolux_is_portable("${file}" portable)
      if(NOT portable)
        continue()
      endif()
    endif()
    list(APPEND chosen "${file}")
  endforeach()
  set(${out} ${chosen} PARENT_SCOPE)
endfunction()

# The rooms a room stands on: itself and those on the floors beneath it, the
# nearest first, as a linker reads them.
function(carolux_rooms_under room out)
  set(beneath)
  foreach(floor IN LISTS CAROLUX_FLOORS)
    string(REPLACE " " ";" rooms "${floor}")
    if(room IN_LIST rooms)
      set(${out} ${room} ${beneath} PARENT_SCOPE)
      return()
    endif()
    foreach(beside IN LISTS rooms)
      list(PREPEND beneath ${beside})
    endforeach()
  endforeach()
  message(FATAL_ERROR "${room} is no room of the house")
endfunction()

# One static library per room that has files of that kind, named after the
# room, over the rooms beneath it.
function(carolux_room_libraries kind)
  foreach(floor IN LISTS CAROLUX_FLOORS)
    string(REPLACE " " ";" rooms "${floor}")
    foreach(room IN LISTS rooms)
      carolux_room_sources(${room} ${kind} sources)
      if(NOT sources)
        continue()
      endif()
      add_library(${room} STATIC ${sources})
      carolux_rooms_under(${room} under)
      list(REMOVE_AT under 0)
      foreach(lower IN LISTS under)
        if(TARGET ${lower})
          target_link_libraries(${room} PUBLIC ${lower})
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
