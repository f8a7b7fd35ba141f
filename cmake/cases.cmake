# The end-to-end cases of tests/cases, each a ctest test of its own named
# case/GROUP/NAME, run by one runner against the programs of this build.
# The runner is also built without the test suite: `make test-windows` runs
# the cases against the Windows programs and `make cases-update` rewrites
# their expectations.
add_executable(dgnbin_cases EXCLUDE_FROM_ALL tests/runner/main.cpp tests/runner/drawing_text.cpp
  tests/support/program_run.cpp tests/support/dgn_builder.cpp)
target_include_directories(dgnbin_cases PRIVATE tests)
# The programs are what the sanitizers check; an instrumented runner would
# double the time of every case for nothing.
set_property(TARGET dgnbin_cases PROPERTY COMPILE_OPTIONS -Wall -Wextra)
set_property(TARGET dgnbin_cases PROPERTY LINK_OPTIONS "")
# The runner names its programs itself; the shared process runner's defaults are unused.
target_compile_definitions(dgnbin_cases PRIVATE DGNBIN_EXE="" KELOBIN_EXE="")

if(DGNBIN_TESTS)
  set_target_properties(dgnbin_cases PROPERTIES EXCLUDE_FROM_ALL OFF)
  add_dependencies(dgnbin_cases dgnbin dgnbin-batch kelobin)
  file(GLOB DGNBIN_CASES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/cases/*/*/cmd)
  foreach(cmd ${DGNBIN_CASES})
    get_filename_component(dir ${cmd} DIRECTORY)
    file(RELATIVE_PATH name ${CMAKE_CURRENT_SOURCE_DIR}/tests/cases ${dir})
    add_test(NAME case/${name} COMMAND dgnbin_cases --programs $<TARGET_FILE_DIR:dgnbin> ${dir})
    set_tests_properties(case/${name} PROPERTIES SKIP_RETURN_CODE 77)
  endforeach()
endif()
