# Writes the table of Unicode blocks that the pattern translation reads: one
# line {"NameWithoutSpaces", 0xFIRST, 0xLAST}, per block of the Unicode data
# file Blocks.txt, in the file's order.
#   cmake -DBLOCKS=/usr/share/unicode/Blocks.txt -DOUTPUT=UnicodeBlocks.inc -P UnicodeBlocks.cmake
file(READ "${BLOCKS}" content)
# Each data line reads "0000..007F; Basic Latin". A ';' would split CMake
# lists, so it becomes ',' first.
string(REPLACE ";" "," content "\n${content}")
string(REGEX MATCHALL "\n[0-9A-F]+\\.\\.[0-9A-F]+, [^\n]*" lines "${content}")
set(table "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^\n([0-9A-F]+)\\.\\.([0-9A-F]+), *([^\r]*[^ \r])")
    message(FATAL_ERROR "unexpected line in ${BLOCKS}: ${line}")
  endif()
  string(REPLACE " " "" name "${CMAKE_MATCH_3}")
  string(APPEND table "{\"${name}\", 0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}},\n")
endforeach()
if(table STREQUAL "")
  message(FATAL_ERROR "no Unicode blocks in ${BLOCKS}")
endif()
file(WRITE "${OUTPUT}" "// Generated from ${BLOCKS} by UnicodeBlocks.cmake; do not edit.\n${table}")
