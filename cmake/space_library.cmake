# Each folder is one static library made of the .cpp files it holds; its headers are included by
# their path from the top of the source tree ("formats/bmp_reader.h"). Also used by the fuzz build.
function(space_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  cmake_path(GET CMAKE_CURRENT_FUNCTION_LIST_DIR PARENT_PATH root)
  target_include_directories(${name} PUBLIC ${root})
endfunction()
