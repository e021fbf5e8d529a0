# Compiler settings every Kelmora target shares.
#
# IEEE semantics are part of the calculator's contract: results must be
# bit-exact, so floating-point contraction stays off, -ffast-math never
# appears, and 32-bit x86 must use SSE2 rather than the x87's extended precision.

option(KELMORA_WERROR "Treat compiler warnings as errors" OFF)
option(KELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffp-contract=off)
  # Emscripten calls its target x86, but WebAssembly has IEEE arithmetic of its own.
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$" AND NOT EMSCRIPTEN)
    add_compile_options(-msse2 -mfpmath=sse)
  endif()
  if(KELMORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
elseif(MSVC)
  add_compile_options(/fp:precise)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_compile_options(/arch:SSE2)
  endif()
endif()

# Warnings for our own targets (not for third-party test frameworks).
function(kelmora_strict_flags target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion
                                             -Wsign-conversion -Wshadow -Wdouble-promotion)
    if(KELMORA_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${KELMORA_WERROR}>:/WX>)
  endif()
endfunction()

# For targets that must stay free of Qt: no moc run on them.
function(kelmora_no_qt target)
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()
