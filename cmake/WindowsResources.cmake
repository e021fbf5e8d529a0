# kelmora_windows_resources(target): gives a Windows executable the program's
# file icon and version information, compiled by CMake's own RC support.
function(kelmora_windows_resources target)
  set(KELMORA_ICON_FILE "${PROJECT_SOURCE_DIR}/packaging/icons/kelmora.ico")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/kelmora.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
