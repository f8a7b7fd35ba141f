# Lays out the folder that the Windows zip holds (cmake -P, from
# windows.cmake): the programs, the README and manual pages as text with
# CR LF line ends, the examples and their table as they are.
file(MAKE_DIRECTORY ${ROOT}/examples)
file(COPY ${PROGRAMS} DESTINATION ${ROOT})
file(COPY ${SOURCE}/examples/DGNBIN.TAB ${SOURCE}/examples/plano2d.dgn ${SOURCE}/examples/plano3d.dgn
  DESTINATION ${ROOT}/examples)

function(write_crlf text path)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${path} "${text}")
endfunction()

file(READ ${SOURCE}/README.md readme)
write_crlf("${readme}" ${ROOT}/README.txt)
file(GLOB pages ${SOURCE}/docs/*.1)
foreach(page ${pages})
  get_filename_component(name ${page} NAME_WE)
  # Plain ASCII without overstriking, as Notepad shows it.
  execute_process(COMMAND ${GROFF} -man -Tascii -P-cbou ${page}
    OUTPUT_VARIABLE text RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "groff could not format ${page}")
  endif()
  write_crlf("${text}" ${ROOT}/${name}.txt)
endforeach()
