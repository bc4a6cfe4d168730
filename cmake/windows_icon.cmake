# Makes the Windows icon ICO from the program's SVG icon: the sizes Windows
# shows (16 to 256 pixels), each drawn by rsvg-convert at its own size and
# packed by ImageMagick's convert.
#   cmake -DSVG=data/quillet.svg -DICO=quillet.ico -P windows_icon.cmake
find_program(RSVG_CONVERT rsvg-convert)
find_program(IMAGEMAGICK_CONVERT convert)
if(NOT RSVG_CONVERT OR NOT IMAGEMAGICK_CONVERT)
  message(FATAL_ERROR "the Windows icon needs rsvg-convert (librsvg2-bin) and convert (imagemagick)")
endif()
get_filename_component(folder ${ICO} DIRECTORY)
set(pictures "")
foreach(size 16 24 32 48 64 256)
  set(png ${folder}/quillet-icon-${size}.png)
  execute_process(COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${SVG} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "rsvg-convert could not draw ${SVG} at ${size} pixels")
  endif()
  list(APPEND pictures ${png})
endforeach()
execute_process(COMMAND ${IMAGEMAGICK_CONVERT} ${pictures} ${ICO} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "convert could not make ${ICO}")
endif()
file(REMOVE ${pictures})
