# Helpers shared by every folder's CMakeLists.

enable_testing()

# quillon_add_subdirs(): add every direct subfolder that has a CMakeLists.txt,
# so a new module folder needs no edit of its parent.
function(quillon_add_subdirs)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# quillon_test(NAME SOURCES a.cpp b.cpp LIBS x y [LABELS l] [ENV K=V ...])
# One GoogleTest executable, one CTest entry. Every test runs offscreen with its own
# registry, system and Windows folders below its build folder, never the user's.
function(quillon_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} qtestsupport GTest::gtest GTest::gmock Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLON_TEST_BIN_DIR})
  target_compile_definitions(${name} PRIVATE
    QUILLON_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
    QUILLON_BUILD_BIN_DIR="${QUILLON_BIN_DIR}"
    QUILLON_BUILD_SYSTEM_DIR="${QUILLON_SYSTEM_DIR}"
    QUILLON_TEST_WORK_DIR="${CMAKE_CURRENT_BINARY_DIR}/${name}.work")
  add_test(NAME ${name} COMMAND ${name})
  set(env
    QT_QPA_PLATFORM=offscreen
    QUILLON_REGISTRY_DIR=${CMAKE_CURRENT_BINARY_DIR}/${name}.work/registry
    ${T_ENV})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}" TIMEOUT 300)
endfunction()
