# Run by the build (cmake -P) with QUERIMO_SQL, SCRIPT and DATABASE set. The database is made under another
# name and takes its place only when every statement of the script succeeded, so no half-made sample is left.
# A failing script is reported as a warning: the program itself still builds.
set(partial "${DATABASE}.nieuw")
file(GLOB leftovers "${partial}*")
if(leftovers)
  file(REMOVE ${leftovers})
endif()
execute_process(COMMAND "${QUERIMO_SQL}" --create "${partial}" --script "${SCRIPT}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(result EQUAL 0)
  file(RENAME "${partial}" "${DATABASE}")
else()
  file(GLOB leftovers "${partial}*")
  if(leftovers)
    file(REMOVE ${leftovers})
  endif()
  message(WARNING "De voorbeelddatabase ${DATABASE} is niet gemaakt: ${errors}")
endif()
