# Run as: cmake -DNM=<nm> -DLIBRARY=<libalmanac.so> -P shared_exports_check.cmake
# The shared library's dynamic symbol table must hold the nine exports and
# nothing else that it defines.
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names)
foreach(line ${lines})
  string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "" name "${line}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected EtoDll KisetuDll KyuseiDll MoonDll MoonageDll RokuyoDll SekkiDll SetdataDll SunDll)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exported: ${names}\nexpected: ${expected}")
endif()
message(STATUS "nine exports, nothing else")
