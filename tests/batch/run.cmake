# Runs zanvoro-batch once (through the cross build's emulator, if any) and checks how it ends:
# its exit status, for a failure the one line on standard error, and for an answer printed
# (PRINTS) the standard output, with nothing on standard error.
# -DPROGRAM=exe -DEMULATOR=a|b -DARGS=a|b -DEXIT=n [-DSTDIN=file] [-DOUTPUT=file] [-DERROR=regex]
# [-DPRINTS=regex]
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" args "${ARGS}")
set(redirect)
if(STDIN)
  list(APPEND redirect INPUT_FILE "${STDIN}")
endif()
if(OUTPUT)
  list(APPEND redirect OUTPUT_FILE "${OUTPUT}")
else()
  list(APPEND redirect OUTPUT_VARIABLE out)
endif()
execute_process(COMMAND ${emulator} "${PROGRAM}" ${args} ${redirect}
                ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}; standard error: ${err}")
endif()
if(DEFINED ERROR)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines count)
  if(NOT err MATCHES "^zanvoro-batch: ${ERROR}" OR NOT count EQUAL 1)
    message(FATAL_ERROR "standard error '${err}' is not one line matching '${ERROR}'")
  endif()
endif()
if(DEFINED PRINTS)
  string(REPLACE "\r\n" "\n" out "${out}")
  if(NOT out MATCHES "${PRINTS}" OR NOT err STREQUAL "")
    message(FATAL_ERROR "standard output '${out}' does not match '${PRINTS}', "
                        "or standard error is not empty: '${err}'")
  endif()
endif()
