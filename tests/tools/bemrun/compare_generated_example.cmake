# Runs the example generator into OUTPUT and compares it byte for byte with COMMITTED.
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${ARGUMENTS} -o ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED}
  RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} ${ARGUMENTS} writes (${OUTPUT})")
endif()
