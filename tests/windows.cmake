# Windows additions to the test suites (included from tests/CMakeLists.txt).
#
# Every test program carries the modules' string table and a version block
# as its own resources: before a module is given to SetResourceHandle the
# core loads strings and the product version from the program itself.
get_property(strings_rc GLOBAL PROPERTY DAPPLE_STRINGS_RC)
get_filename_component(strings_dir ${strings_rc} DIRECTORY)
get_property(art_dir GLOBAL PROPERTY DAPPLE_ART_DIR)
set(test_resources ${CMAKE_CURRENT_SOURCE_DIR}/windows/TestResources.rc)
set_source_files_properties(${test_resources} PROPERTIES OBJECT_DEPENDS
  "${strings_rc};${PROJECT_SOURCE_DIR}/plugins/resources/Common.rc")

function(dapple_windows_test_resources target)
  if(TARGET ${target})
    target_sources(${target} PRIVATE ${test_resources})
    target_include_directories(${target} PRIVATE ${strings_dir} ${art_dir})
    add_dependencies(${target} dapple_strings_generate dapple_module_art)
  endif()
endfunction()

dapple_test(test_controls controls dapple_controls)
# The dialog window, run through the entry by the in-process host; its tests
# drive it with the toolkit tests' helpers.
if(TARGET test_dialog)
  target_sources(test_dialog PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/controls/TestWindows.cpp)
  target_link_libraries(test_dialog PRIVATE dapple_dialogwindow dapple_inprocesshost)
endif()
# Host calls relayed through a dialog window to the host thread.
dapple_test(test_windowshost windowshost dapple_host dapple_controls)

# The modules under test are loaded from the plug-in folder; the probe core
# stands in for the real core in a folder of its own, to see what a module
# hands over.
add_library(dapple_probe_core SHARED ${CMAKE_CURRENT_SOURCE_DIR}/windows/ProbeCore.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/windows/ProbeCore.def)
set_target_properties(dapple_probe_core PROPERTIES PREFIX "" OUTPUT_NAME DappleProbeCore)
target_include_directories(dapple_probe_core PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(dapple_probe_core PRIVATE ${DAPPLE_WARNINGS})
dapple_test(test_plugins plugins dapple_clihost dapple_inprocesshost dapple_host dapple_filters dapple_image dapple_platform
            dapple_resource_ids version)
if(TARGET test_plugins)
  add_dependencies(test_plugins dapple_plugins dapple_probe_core)
  get_property(plugin_dir GLOBAL PROPERTY DAPPLE_PLUGIN_DIR)
  file(RELATIVE_PATH plugin_dir_from_tests ${CMAKE_CURRENT_BINARY_DIR} ${plugin_dir})
  target_compile_definitions(test_plugins PRIVATE DAPPLE_PLUGIN_FOLDER="${plugin_dir_from_tests}")
endif()

foreach(target test_platform test_image test_imagefiles test_filters test_settings test_host test_inprocesshost test_cli test_content test_content_pack
               test_dialog test_controls test_windowshost test_plugins)
  dapple_windows_test_resources(${target})
endforeach()

# The controls' tests read pixels off the screen (the eyedropper); the windows
# of the suites that show dialogs and boxes on the same display must not
# cover them meanwhile.
foreach(target test_controls test_dialog test_plugins test_windowshost test_cli)
  if(TARGET ${target})
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK wine_display)
  endif()
endforeach()
