# Compiles each of FILES with CXX (no linking); fails on the first error.
file(MAKE_DIRECTORY ${OUT})
foreach(f ${FILES})
  get_filename_component(name ${f} NAME_WE)
  execute_process(COMMAND ${CXX} -std=c++20 -Wall -Wextra -Werror -I${SRC} -c ${f} -o ${OUT}/${name}.o
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${f} does not compile")
  endif()
endforeach()
