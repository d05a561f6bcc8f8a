# cmake -DFROM=first,second,... -DTO=file -P ConcatFiles.cmake
# Writes the files of FROM one after the other into TO, each ending in a newline.
string(REPLACE "," ";" FROM "${FROM}")
set(all "")
foreach(f IN LISTS FROM)
  file(READ "${f}" text)
  if(NOT text MATCHES "\n$")
    string(APPEND text "\n")
  endif()
  string(APPEND all "${text}")
endforeach()
file(WRITE "${TO}" "${all}")
