# cmake -DFROM=dir -DTO=dir -DSKIP=name,name,... -P CopyFolder.cmake
# Copies the files of FROM into TO, all but those named in SKIP, leaving
# unchanged files alone.
cmake_policy(VERSION 3.20)
string(REPLACE "," ";" SKIP "${SKIP}")
file(GLOB files LIST_DIRECTORIES false "${FROM}/*")
file(MAKE_DIRECTORY "${TO}")
foreach(f IN LISTS files)
  get_filename_component(name "${f}" NAME)
  if(NOT name IN_LIST SKIP)
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${f}" "${TO}/${name}")
  endif()
endforeach()
