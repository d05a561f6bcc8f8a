# cmake -DFROM=first,second,... -DTO=file [-DNAME_FROM=word -DNAME_TO=word] -P ConcatFiles.cmake
# Writes the files of FROM one after the other into TO, each ending in a
# newline; with NAME_FROM given, every NAME_FROM in the text becomes NAME_TO.
string(REPLACE "," ";" FROM "${FROM}")
set(all "")
foreach(f IN LISTS FROM)
  file(READ "${f}" text)
  if(NOT text MATCHES "\n$")
    string(APPEND text "\n")
  endif()
  string(APPEND all "${text}")
endforeach()
if(DEFINED NAME_FROM)
  string(REPLACE "${NAME_FROM}" "${NAME_TO}" all "${all}")
endif()
file(WRITE "${TO}" "${all}")
