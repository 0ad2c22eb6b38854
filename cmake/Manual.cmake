# dapple_manual(TARGET PROGRAM SUMMARY FOLDER TOPICS...)
# The manual of PROGRAM, written once as FOLDER/<topic>.txt (the first topic
# the program's own, then one per command): adds the generated table of the
# texts to TARGET (the program's library, which declares ManualText and
# ManualTopicAt, base/ManualText.h) and makes the manual page
# <build>/man/PROGRAM.1, installed into share/man/man1.
function(dapple_manual target program summary folder)
  set(topics ${ARGN})
  set(cpp ${CMAKE_CURRENT_BINARY_DIR}/${program}ManualText.cpp)
  set(man ${PROJECT_BINARY_DIR}/man/${program}.1)
  set(inputs)
  foreach(topic ${topics})
    list(APPEND inputs ${folder}/${topic}.txt)
  endforeach()
  string(REPLACE ";" "\\;" topic_list "${topics}")
  add_custom_command(
    OUTPUT ${cpp} ${man}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=${program} -DSUMMARY=${summary} -DVERSION=${PROJECT_VERSION}
            -DFOLDER=${folder} -DTOPICS=${topic_list} -DCPP_OUTPUT=${cpp} -DMAN_OUTPUT=${man}
            -P ${PROJECT_SOURCE_DIR}/cmake/GenerateManual.cmake
    DEPENDS ${inputs} ${PROJECT_SOURCE_DIR}/cmake/GenerateManual.cmake
    COMMENT "Generating the manual of ${program}"
    VERBATIM)
  target_sources(${target} PRIVATE ${cpp})
  if(NOT WIN32)
    install(FILES ${man} DESTINATION share/man/man1)
  endif()
endfunction()
