# Build helpers shared by every folder of the suite.

macro(kx_add_subdirectory_if_present dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endmacro()

# kx_library(<target> [QT] [SUBDIR <dir>] [DIRS <dirs...>] LINKS <libs...>)
# A static library from every .cpp and .h of the folder (or of SUBDIR, or of each of DIRS).
# Includes are written from the repository root: #include "signal/CData.h".
function(kx_library name)
  cmake_parse_arguments(A "QT" "SUBDIR" "DIRS;LINKS" ${ARGN})
  set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  if(A_SUBDIR)
    set(dirs ${CMAKE_CURRENT_SOURCE_DIR}/${A_SUBDIR})
  endif()
  if(A_DIRS)
    list(TRANSFORM A_DIRS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE dirs)
  endif()
  set(srcs)
  foreach(dir ${dirs})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    list(APPEND srcs ${found})
  endforeach()
  if(NOT srcs)
    set(empty ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${empty} "// no sources yet\n")
    set(srcs ${empty})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC kx_options ${A_LINKS})
  if(A_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# kx_tests(<prefix> [QT] [SUBDIR <dir>] LINKS <libs...>)
# One test program per <dir>/tests/*_test.cpp; files in <dir>/tests/support/ are
# compiled into a helper library linked to each. Tests run headless, with their
# own configuration and data folders under the build tree.
function(kx_tests prefix)
  cmake_parse_arguments(A "QT" "SUBDIR" "LINKS" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  if(A_SUBDIR)
    set(dir ${dir}/${A_SUBDIR})
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${dir}/tests/*_test.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${dir}/tests/support/*.cpp ${dir}/tests/support/*.h)
  set(links ${A_LINKS})
  if(support)
    add_library(${prefix}_testsupport STATIC ${support})
    target_include_directories(${prefix}_testsupport PUBLIC ${PROJECT_SOURCE_DIR} ${dir}/tests)
    target_link_libraries(${prefix}_testsupport PUBLIC kx_options ${A_LINKS} GTest::gtest)
    if(A_QT)
      set_target_properties(${prefix}_testsupport PROPERTIES AUTOMOC ON)
    endif()
    list(APPEND links ${prefix}_testsupport)
  endif()
  set(home ${CMAKE_BINARY_DIR}/testhome)
  file(MAKE_DIRECTORY ${home}/config ${home}/data ${home}/run)
  file(CHMOD ${home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  foreach(t ${tests})
    get_filename_component(n ${t} NAME_WE)
    set(target ${prefix}_${n})
    add_executable(${target} ${t})
    target_include_directories(${target} PRIVATE ${dir}/tests)
    target_link_libraries(${target} PRIVATE kx_options ${links} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${target} PRIVATE KX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    if(A_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
    # Listing the tests starts the program too, so it needs the headless platform as well.
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR
      "/usr/bin/env;QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_RUNTIME_DIR=${home}/run;HOME=${home}")
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_RUNTIME_DIR=${home}/run;HOME=${home}")
  endforeach()
endfunction()

# kx_program(<target> [SUBDIR <dir>] [SOURCES <files...>] LINKS <libs...>): a Qt desktop program.
function(kx_program name)
  cmake_parse_arguments(A "" "SUBDIR" "SOURCES;LINKS" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  if(A_SUBDIR)
    set(dir ${dir}/${A_SUBDIR})
  endif()
  if(A_SOURCES)
    set(srcs ${A_SOURCES})
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE kx_options ${A_LINKS})
  # The programs sit side by side in bin/, so Pellora finds the criterion programs
  # in its own folder, as it does after installation.
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  install(TARGETS ${name} RUNTIME DESTINATION bin)
endfunction()

# kx_benchmark(<target> <source> LINKS <libs...>): built, never run by the tests.
function(kx_benchmark name source)
  cmake_parse_arguments(A "" "" "LINKS" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE kx_options ${A_LINKS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
