# The sample database a newcomer opens first: querimo-sql makes it from resources/voorbeeld.sql, beside the
# program, whose open dialog starts in its own folder.
option(QUERIMO_SAMPLE "Build the sample database voorbeeld.mdb beside the program" ON)
if(QUERIMO_SAMPLE)
  set(QUERIMO_SAMPLE_DATABASE ${CMAKE_BINARY_DIR}/bin/voorbeeld.mdb)
  add_custom_command(OUTPUT ${QUERIMO_SAMPLE_DATABASE}
    COMMAND ${CMAKE_COMMAND} -DQUERIMO_SQL=$<TARGET_FILE:querimo-sql>
            -DSCRIPT=${CMAKE_SOURCE_DIR}/resources/voorbeeld.sql -DDATABASE=${QUERIMO_SAMPLE_DATABASE}
            -P ${CMAKE_SOURCE_DIR}/cmake/BuildSample.cmake
    DEPENDS querimo-sql ${CMAKE_SOURCE_DIR}/resources/voorbeeld.sql ${CMAKE_SOURCE_DIR}/cmake/BuildSample.cmake
    COMMENT "Voorbeelddatabase voorbeeld.mdb maken"
    VERBATIM)
  add_custom_target(voorbeeld ALL DEPENDS ${QUERIMO_SAMPLE_DATABASE})
  if(TARGET querimo)
    add_dependencies(querimo voorbeeld)
  endif()
endif()
