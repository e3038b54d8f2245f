# Runs one FoxPro program with foxhost and compares what it did with what
# is expected beside it:
#   NAME.out     standard output (required)
#   NAME.err     standard error (absent: nothing may be written there)
#   NAME.status  the exit status (absent: 0)
#   NAME.args    arguments for the program, one a line (optional)
# Called by CTest with -DFOXHOST=... -DFOLDER=... -DNAME=...
set(arguments "")
if(EXISTS ${FOLDER}/${NAME}.args)
  file(STRINGS ${FOLDER}/${NAME}.args arguments)
endif()
execute_process(
  COMMAND ${FOXHOST} ${NAME}.prg ${arguments}
  WORKING_DIRECTORY ${FOLDER}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE status)

file(READ ${FOLDER}/${NAME}.out expected_out)
set(expected_err "")
if(EXISTS ${FOLDER}/${NAME}.err)
  file(READ ${FOLDER}/${NAME}.err expected_err)
endif()
set(expected_status 0)
if(EXISTS ${FOLDER}/${NAME}.status)
  file(STRINGS ${FOLDER}/${NAME}.status expected_status LIMIT_COUNT 1)
endif()

set(failed FALSE)
if(NOT out STREQUAL expected_out)
  message("standard output differs.\n--- expected\n${expected_out}--- got\n${out}---")
  set(failed TRUE)
endif()
if(NOT err STREQUAL expected_err)
  message("standard error differs.\n--- expected\n${expected_err}--- got\n${err}---")
  set(failed TRUE)
endif()
if(NOT status STREQUAL expected_status)
  message("exit status ${status}, expected ${expected_status}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${NAME}.prg did not do what ${NAME}.out says")
endif()
