# Imported targets for the third-party libraries built by tools/third-party.sh into
# build/third_party/<tree>. A tree configured before the cache exists builds it here first, so a
# plain `cmake -S . -B ...` works as well as the scripts.

if(NOT WIN32)
  return()
endif()

set(THIRD_PARTY_TREE ${CMAKE_SYSTEM_PROCESSOR})
set(THIRD_PARTY_DIR "${PROJECT_SOURCE_DIR}/build/third_party/${THIRD_PARTY_TREE}" CACHE PATH
  "Installed third-party libraries of this target")

if(NOT EXISTS "${THIRD_PARTY_DIR}/lib/libjpeg.a" OR NOT EXISTS "${THIRD_PARTY_DIR}/lib/libmpg123.a"
   OR NOT EXISTS "${THIRD_PARTY_DIR}/lib/libmpcdec.a")
  message(STATUS "Building the third-party libraries for ${THIRD_PARTY_TREE}")
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/tools/third-party.sh ${THIRD_PARTY_TREE} ${PROJECT_SOURCE_DIR}
    RESULT_VARIABLE third_party_result)
  if(NOT third_party_result EQUAL 0)
    message(FATAL_ERROR "tools/third-party.sh ${THIRD_PARTY_TREE} failed")
  endif()
endif()

# libjpeg (libjpeg-turbo, static, without SIMD).
add_library(third_party_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(third_party_jpeg PROPERTIES
  IMPORTED_LOCATION "${THIRD_PARTY_DIR}/lib/libjpeg.a"
  INTERFACE_INCLUDE_DIRECTORIES "${THIRD_PARTY_DIR}/include")

# The audio codecs: LAME, libmpg123, libogg, libvorbis and the Musepack decoder, static.
foreach(library mp3lame mpg123 vorbisenc vorbisfile vorbis ogg mpcdec)
  add_library(third_party_${library} STATIC IMPORTED GLOBAL)
  set_target_properties(third_party_${library} PROPERTIES
    IMPORTED_LOCATION "${THIRD_PARTY_DIR}/lib/lib${library}.a"
    INTERFACE_INCLUDE_DIRECTORIES "${THIRD_PARTY_DIR}/include")
endforeach()
add_library(third_party_audio_codecs INTERFACE IMPORTED GLOBAL)
set_property(TARGET third_party_audio_codecs PROPERTY INTERFACE_LINK_LIBRARIES
  third_party_mp3lame third_party_mpg123 third_party_vorbisenc third_party_vorbisfile third_party_vorbis
  third_party_ogg third_party_mpcdec shlwapi)

# The Musepack encoder, a Windows program the tests make their .mpc fixtures with.
set(THIRD_PARTY_MPC_ENCODER "${THIRD_PARTY_DIR}/bin/mpcenc.exe")
