# Helpers shared by the project's CMake files.

# zelto_glob(VAR DIR...): the .cpp files directly in the given folders, sorted.
function(zelto_glob out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# zelto_framework(NAME [DEPENDS libs...]): one stand-in framework as a shared library made of
# host/frameworks/NAME/*.cpp.
function(zelto_framework name)
  cmake_parse_arguments(FW "" "" "DEPENDS" ${ARGN})
  zelto_glob(sources ${CMAKE_SOURCE_DIR}/host/frameworks/${name})
  if(sources)
    add_library(${name} SHARED ${sources})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/host/frameworks/${name})
    target_link_libraries(${name} PUBLIC zelto_host_headers ${FW_DEPENDS})
    set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/frameworks)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE zelto_host_headers ${FW_DEPENDS})
  endif()
endfunction()
