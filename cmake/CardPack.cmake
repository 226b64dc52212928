# The card's pictures (but the window's own icon), tune and chime, packed
# into one resource, as player/PlayerResources.h lists them. The card carries
# it; the host's inflater test reads the very same pack.
set(CARD_PACK "${CMAKE_BINARY_DIR}/generated/player/card-pack.bin")
file(GLOB CARD_ASSET_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/assets/player/*.ico"
  "${CMAKE_SOURCE_DIR}/assets/player/*.mid" "${CMAKE_SOURCE_DIR}/assets/player/*.wav")
add_custom_command(OUTPUT "${CARD_PACK}"
  COMMAND Python3::Interpreter -m cmake.pack_resources "${CARD_PACK}"
    "${CMAKE_SOURCE_DIR}/assets/player"
  DEPENDS ${CARD_ASSET_FILES} "${CMAKE_SOURCE_DIR}/player/PlayerResources.h"
    "${CMAKE_SOURCE_DIR}/cmake/pack_resources.py" "${CMAKE_SOURCE_DIR}/cmake/card_resources.py"
    "${CMAKE_SOURCE_DIR}/cmake/deflate_raw.py"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Packing the card's pictures, tune and chime"
  VERBATIM)
