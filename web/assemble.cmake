# Puts the page together: the compiled core (wasm inlined), the API and the
# page script in one inline <script>, the style inline; and the same core and
# API as an ES module for scripts.
#   cmake -DCORE=... -DSOURCE_DIR=... -DOUTPUT_DIR=... -P assemble.cmake
file(READ ${CORE} core)
file(READ ${SOURCE_DIR}/api.js api)
file(READ ${SOURCE_DIR}/page.js page)
file(READ ${SOURCE_DIR}/page.css css)
file(READ ${SOURCE_DIR}/page.html html)

set(script "${core}\n${api}\n${page}")
string(TOLOWER "${script}" lower)
string(FIND "${lower}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "the page's script contains </script, which would end it early")
endif()

string(REPLACE "@KELMORA_CSS@" "${css}" html "${html}")
string(REPLACE "@KELMORA_SCRIPT@" "${script}" html "${html}")
file(WRITE ${OUTPUT_DIR}/kelmora.html "${html}")

file(WRITE ${OUTPUT_DIR}/kelmora-core.mjs
     "${core}\n${api}\nexport { calculate, design, calculatePage };\n")
