# Helpers that every module folder uses to declare what it builds.
#
#   vl_add_dll(<target> OUTPUT_NAME <name> DESCRIPTION <text>
#              SOURCES ... [DEF <file.def>] [LIBS ...] [EXTENDED])
#       A DLL in build/bin (build/bin-extended with EXTENDED), with a version
#       block; its import library goes to build/lib.
#   vl_add_program(<target> OUTPUT_NAME <name> DESCRIPTION <text>
#                  SOURCES ... [LIBS ...] [GUI] [OUTPUT_DIR <dir>])
#       A program carrying the application manifest.
#   vl_add_bin_output(<target>)
#       Declares that <target> writes files into build/bin; they are copied into
#       build/bin-extended too (vl_add_dll and vl_add_program declare theirs).
#   vl_add_extended_own_files(<name>...)
#       Names files that build/bin-extended has its own of: not copied there.
#   vl_add_test(<name> SOURCES ... [LIBS ...] [EXTENDED] [SHARDS <n>])
#       One GoogleTest program in build/tests, registered with CTest and run
#       under Wine with the modules of build/bin (and bin-extended first with
#       EXTENDED). With SHARDS its cases are dealt out to n tests
#       <name>_0 .. <name>_<n-1>, which CTest runs side by side; each case runs
#       in exactly one of them.
#   vl_test_own_world(<name>...)
#       The tests of these programs run each in a world of its own (virtual
#       display, Wine prefix and server, module folders): see wine-run.sh.in.

set(VL_MANIFEST_RC ${CMAKE_SOURCE_DIR}/cmake/manifest.rc)

function(_vl_version_resource target output_name file_name description filetype)
  set(VL_OUTPUT_NAME ${output_name})
  set(VL_FILE_NAME ${file_name})
  set(VL_DESCRIPTION ${description})
  set(VL_FILETYPE ${filetype})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

function(vl_add_bin_output target)
  set_property(GLOBAL APPEND PROPERTY VL_BIN_TARGETS ${target})
endfunction()

# Files that the extended edition has its own of in build/bin-extended (by
# name): the copy of build/bin leaves them alone.
function(vl_add_extended_own_files)
  set_property(GLOBAL APPEND PROPERTY VL_EXTENDED_OWN_FILES ${ARGN})
endfunction()

# The extended edition's folder: everything of build/bin but the standard
# interface module, which the extended one replaces, and the files it has its own of.
function(vl_finish_extended_folder)
  get_property(targets GLOBAL PROPERTY VL_BIN_TARGETS)
  get_property(own GLOBAL PROPERTY VL_EXTENDED_OWN_FILES)
  string(REPLACE ";" "," skip "VlIntfc.dll;${own}")
  add_custom_target(bin_extended ALL
    COMMAND ${CMAKE_COMMAND} -DFROM=${VL_BIN_DIR} -DTO=${VL_BIN_EXTENDED_DIR}
            -DSKIP=${skip} -P ${CMAKE_SOURCE_DIR}/cmake/CopyFolder.cmake
    COMMENT "Filling ${VL_BIN_EXTENDED_DIR}")
  add_dependencies(bin_extended ${targets})
endfunction()

function(vl_add_dll target)
  cmake_parse_arguments(A "EXTENDED" "OUTPUT_NAME;DESCRIPTION;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${A_SOURCES})
  if(A_DEF)
    target_sources(${target} PRIVATE ${A_DEF})
  endif()
  set(outdir ${VL_BIN_DIR})
  if(A_EXTENDED)
    set(outdir ${VL_BIN_EXTENDED_DIR})
  else()
    vl_add_bin_output(${target})
  endif()
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${A_OUTPUT_NAME} PREFIX "" IMPORT_PREFIX "lib"
    RUNTIME_OUTPUT_DIRECTORY ${outdir}
    ARCHIVE_OUTPUT_DIRECTORY ${VL_LIB_DIR}/${target})
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  target_compile_options(${target} PRIVATE ${VL_WARNINGS})
  _vl_version_resource(${target} ${A_OUTPUT_NAME} "${A_OUTPUT_NAME}.dll" "${A_DESCRIPTION}" VFT_DLL)
endfunction()

function(vl_add_program target)
  cmake_parse_arguments(A "GUI" "OUTPUT_NAME;DESCRIPTION;OUTPUT_DIR" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${A_SOURCES} ${VL_MANIFEST_RC})
  if(A_GUI)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
  if(NOT A_OUTPUT_DIR)
    set(A_OUTPUT_DIR ${VL_BIN_DIR})
    vl_add_bin_output(${target})
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${A_OUTPUT_NAME}
    RUNTIME_OUTPUT_DIRECTORY ${A_OUTPUT_DIR})
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  target_compile_options(${target} PRIVATE ${VL_WARNINGS})
  _vl_version_resource(${target} ${A_OUTPUT_NAME} "${A_OUTPUT_NAME}.exe" "${A_DESCRIPTION}" VFT_APP)
endfunction()

function(vl_add_test name)
  cmake_parse_arguments(A "EXTENDED" "SHARDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES} ${VL_MANIFEST_RC})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VL_TEST_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} vl_gtest_main)
  target_compile_options(${name} PRIVATE ${VL_WARNINGS})
  if(NOT A_SHARDS OR A_SHARDS EQUAL 1)
    add_test(NAME ${name} COMMAND ${name})
    set(tests ${name})
  else()
    set(tests)
    math(EXPR last "${A_SHARDS} - 1")
    foreach(shard RANGE ${last})
      add_test(NAME ${name}_${shard} COMMAND ${name})
      set_property(TEST ${name}_${shard} PROPERTY ENVIRONMENT
                   "GTEST_TOTAL_SHARDS=${A_SHARDS}" "GTEST_SHARD_INDEX=${shard}")
      list(APPEND tests ${name}_${shard})
    endforeach()
  endif()
  if(A_EXTENDED)
    set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT "VL_EDITION=extended")
  endif()
  set_tests_properties(${tests} PROPERTIES TIMEOUT 300)
  set_property(GLOBAL PROPERTY VL_TESTS_OF_${name} ${tests})
endfunction()

function(vl_test_own_world)
  foreach(program ${ARGN})
    get_property(tests GLOBAL PROPERTY VL_TESTS_OF_${program})
    foreach(test ${tests})
      set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "VL_OWN_WORLD=${test}")
    endforeach()
  endforeach()
endfunction()
