# Registers a program for ".JWW" files in the Wine prefix the suite runs in,
# as an installed CAD program would: -DWINE=<emulator> -DPROGRAM=<path>.
foreach(args
    "HKCR\\.JWW;/ve;/d;PlandockTest.jww"
    "HKCR\\PlandockTest.jww\\shell\\open\\command;/ve;/d;\"${PROGRAM}\" \"%1\"")
  execute_process(COMMAND ${WINE} reg add ${args} /f RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "reg add ${args} failed: ${rc}")
  endif()
endforeach()
