# cmake -DFROM=dir -DTO=dir -DSKIP=name -P CopyFolder.cmake
# Copies the files of FROM into TO, all but SKIP, leaving unchanged files alone.
file(GLOB files LIST_DIRECTORIES false "${FROM}/*")
file(MAKE_DIRECTORY "${TO}")
foreach(f IN LISTS files)
  get_filename_component(name "${f}" NAME)
  if(NOT name STREQUAL SKIP)
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${f}" "${TO}/${name}")
  endif()
endforeach()
