# Build-time generation of database files from the table sources of data/.
#
#   vl_compile_database(<target> SCHEMA <schema file> OUTPUT <file name>
#                       SOURCES <source.tab>...)
#       Runs the data compiler (tools/vldatac) under the build's emulator to
#       make <file name> under the schema from the sources, in build/bin
#       (copied into build/bin-extended with the rest of the folder). The
#       schema file itself is copied beside it once.
#       Sources are given relative to the calling folder or absolute.
#
# Every run of the compiler waits for vl_data_prefix, which starts Wine once
# so that the Wine prefix is never made by several runs at the same time.

if(NOT TARGET vl_data_prefix)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tools/prefix.stamp
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vldatac> --version
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/tools/prefix.stamp
    DEPENDS vldatac
    COMMENT "Starting Wine for the data compiler")
  add_custom_target(vl_data_prefix DEPENDS ${CMAKE_BINARY_DIR}/tools/prefix.stamp)
endif()

# Copies a schema into both output folders once per build, whoever asks first.
function(_vl_copy_schema schema)
  get_filename_component(name ${schema} NAME)
  string(MAKE_C_IDENTIFIER "vl_schema_${name}" target)
  if(TARGET ${target})
    return()
  endif()
  add_custom_command(OUTPUT ${VL_BIN_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VL_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${schema} ${VL_BIN_DIR}/${name}
    DEPENDS ${schema}
    COMMENT "Copying schema ${name}")
  add_custom_target(${target} ALL DEPENDS ${VL_BIN_DIR}/${name})
  vl_add_bin_output(${target})
endfunction()

function(vl_compile_database target)
  cmake_parse_arguments(A "" "SCHEMA;OUTPUT" "SOURCES" ${ARGN})
  get_filename_component(schema ${A_SCHEMA} ABSOLUTE)
  set(sources)
  foreach(s ${A_SOURCES})
    get_filename_component(abs ${s} ABSOLUTE)
    list(APPEND sources ${abs})
  endforeach()
  _vl_copy_schema(${schema})
  set(out ${VL_BIN_DIR}/${A_OUTPUT})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VL_BIN_DIR}
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vldatac> ${schema} ${out} ${sources}
    DEPENDS vldatac ${schema} ${sources}
    COMMENT "Compiling ${A_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${out})
  add_dependencies(${target} vl_data_prefix)
  vl_add_bin_output(${target})
endfunction()
