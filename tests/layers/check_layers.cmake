# Fails when a source file includes a header of a layer above its own.
# Run as: cmake -DSRC=<src dir> -P check_layers.cmake
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
#
# The layers, lowest first: each folder under src/ is one layer, and a file
# may include headers of its own folder and of the folders below it.
set(LAYERS
  base       # the program's name and version, the decimal number reader, prefetch
  platform   # operating-system calls
  config     # the table of settings, read from the configuration file
  board      # position, moves, generation, make/unmake, attacks, perft
  game       # the record and details of the game being played
  book       # opening book, learning records, PGN records
  eval       # evaluation and its tables
  search     # the searches, time management and the stop check they poll
  setup      # table allocation and the set-up of a new game
  session    # the game the drivers play: moves as text, take-backs, legality
  tools      # test and benchmark commands
  protocol   # the XBoard and UCI drivers, game-result detection
  main)      # program entry, start-up and the console


# The layer of a path under src/ (e.g. "board/fen.cpp"): its folder's place
# in LAYERS, -1 when the folder is none of them.
function(layer_of path result)
  string(REGEX REPLACE "/.*$" "" folder "${path}")
  list(FIND LAYERS "${folder}" index)
  set(${result} ${index} PARENT_SCOPE)
endfunction()

# The drivers parse and print: move lists and make/unmake are the session's.
set(DRIVER_FOLDERS protocol main)
set(SESSION_ONLY_HEADERS board/movegen.h board/makemove.h)

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
    string(REGEX REPLACE "/.*$" "" folder "${file}")
    if(folder IN_LIST DRIVER_FOLDERS AND header IN_LIST SESSION_ONLY_HEADERS)
      message(SEND_ERROR "${file} includes ${header}: drivers play moves through session/session.h")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH files count)
if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) against the layer order")
endif()
message(STATUS "${count} files, every include in its own layer or below")
