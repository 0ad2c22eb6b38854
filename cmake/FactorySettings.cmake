# dapple_factory_settings(TARGET DESTINATION)
# Copies every file below settings/factory (one folder per effect's internal
# name, and the Gradients and Bevels libraries) into DESTINATION, keeping the
# folders, as target TARGET. Adding a factory setting is adding its file.
function(dapple_factory_settings target destination)
  set(source ${PROJECT_SOURCE_DIR}/settings/factory)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
  set(copies)
  foreach(file ${files})
    set(copy ${destination}/${file})
    add_custom_command(
      OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy ${source}/${file} ${copy}
      DEPENDS ${source}/${file}
      COMMENT "Factory settings: ${file}"
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${copies})
endfunction()
