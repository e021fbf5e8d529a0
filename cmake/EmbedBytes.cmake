# kelmora_embed_bytes(TARGET target FILE input SYMBOL name): compiles the bytes
# of `input` into `target` as `extern const unsigned char name[]` with
# `name_size`, in namespace kelmora. Reconfigures when the input changes.
function(kelmora_embed_bytes)
  cmake_parse_arguments(ARG "" "TARGET;FILE;SYMBOL" "" ${ARGN})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_FILE})
  file(READ ${ARG_FILE} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_SYMBOL}.cpp)
  get_filename_component(name ${ARG_FILE} NAME)
  file(CONFIGURE OUTPUT ${output} CONTENT "// Generated from ${name}; do not edit.
#include <cstddef>
namespace kelmora {
extern const unsigned char ${ARG_SYMBOL}[] = {${bytes}};
extern const std::size_t ${ARG_SYMBOL}_size = ${size};
}  // namespace kelmora
")
  target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
