# Fails when a source file includes a header of a layer above its own.
# Run as: cmake -DSRC=<src dir> -P check_layers.cmake
#
# The layers, lowest first. A layer is a list of folders or single files
# (paths under src/ without extension); a file belongs to the entry with the
# longest matching path. A file may include its own layer and those below.
set(LAYERS
  # Operating-system calls, the program's name and version, and the decimal
  # number reader (the console reads numbers from standard input with it).
  "platform main/version config/numbers"
  # Settings read from the configuration file, and the number reader.
  "config"
  # Position, moves, generation, make/unmake, attacks, perft.
  "board"
  # The record and details of the game being played.
  "main/game"
  # Opening book, learning records, PGN records.
  "book"
  # Evaluation and its tables.
  "eval"
  # The searches and time management, with the stop checks they poll.
  "search protocol/stopcheck protocol/ucipoll"
  # Table allocation (sized for the search's and the evaluation's tables),
  # and the set-up of a new game, which resets every module below.
  "config/tables main/gamestart"
  # Test and benchmark commands.
  "tools"
  # The XBoard and UCI drivers and game-result detection.
  "protocol"
  # Program entry, start-up and the console.
  "main")

set(entries "")
set(index 0)
foreach(layer IN LISTS LAYERS)
  string(REPLACE " " ";" paths "${layer}")
  foreach(path IN LISTS paths)
    list(APPEND entries "${path}=${index}")
  endforeach()
  math(EXPR index "${index} + 1")
endforeach()

# The layer of a path under src/ (e.g. "board/fen.cpp"), -1 when none.
function(layer_of path result)
  string(REGEX REPLACE "\\.(cpp|h)$" "" stem "${path}")
  set(best -1)
  set(bestLength -1)
  foreach(entry IN LISTS entries)
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 prefix)
    list(GET parts 1 level)
    string(LENGTH "${prefix}" length)
    if((stem STREQUAL prefix OR stem MATCHES "^${prefix}/") AND length GREATER bestLength)
      set(best ${level})
      set(bestLength ${length})
    endif()
  endforeach()
  set(${result} ${best} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
set(violations 0)
foreach(file IN LISTS files)
  layer_of("${file}" own)
  if(own EQUAL -1)
    message(SEND_ERROR "${file}: in no layer")
    math(EXPR violations "${violations} + 1")
    continue()
  endif()
  file(STRINGS ${SRC}/${file} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
    layer_of("${header}" theirs)
    if(theirs GREATER own)
      message(SEND_ERROR "${file} includes ${header}, which is in a layer above it")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH files count)
if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) against the layer order")
endif()
message(STATUS "${count} files, every include in its own layer or below")
