# Runs the contact sheet program into a fresh folder and checks that it wrote both pictures as
# complete 24-bit BMP files of the sizes the sheet is laid out for.
# Variables: PROGRAM (the program), BUILD_DIR (where the game's img/ folder lies), OUTPUT (folder).
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${PROGRAM} ${OUTPUT} WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "contact_sheet exited with ${result}")
endif()

# A little-endian 32-bit field of the header at byte `offset`, from the header's hex digits.
function(read_field header offset name)
  math(EXPR at "${offset} * 2")
  set(digits "")
  foreach(k 3 2 1 0)
    math(EXPR from "${at} + ${k} * 2")
    string(SUBSTRING "${header}" ${from} 2 byte)
    string(APPEND digits ${byte})
  endforeach()
  math(EXPR value "0x${digits}")
  set(${name} ${value} PARENT_SCOPE)
endfunction()

function(check_bmp path width height)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${path} was not written")
  endif()
  file(READ ${path} header LIMIT 30 HEX)
  string(SUBSTRING "${header}" 0 4 magic)
  read_field("${header}" 18 actual_width)
  read_field("${header}" 22 actual_height)
  read_field("${header}" 26 planes_and_bits)
  if(NOT magic STREQUAL "424d" OR NOT actual_width EQUAL width OR NOT actual_height EQUAL height
     OR NOT planes_and_bits EQUAL 0x180001)
    message(FATAL_ERROR "${path}: expected a 24-bit BMP of ${width} x ${height}, found magic ${magic}, "
                        "${actual_width} x ${actual_height}")
  endif()
  file(SIZE ${path} size)
  math(EXPR expected "54 + ${height} * (3 * ${width} + ${width} % 4)")
  if(NOT size EQUAL expected)
    message(FATAL_ERROR "${path}: ${size} bytes, a complete file has ${expected}")
  endif()
endfunction()

check_bmp(${OUTPUT}/art.bmp 1720 1380)
check_bmp(${OUTPUT}/game.bmp 1600 600)
