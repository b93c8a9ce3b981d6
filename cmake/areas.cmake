# Helpers that turn a source folder into a library and a test folder into a test program.

# flowform_area(NAME DIR DEPS...): the .cpp files of DIR and of its folders (main.cpp excepted)
# become the static library flowform_NAME; DEPS are areas (without the prefix) or imported
# targets.
function(flowform_area name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(deps)
  foreach(dep IN LISTS ARGN)
    if(TARGET flowform_${dep})
      list(APPEND deps flowform_${dep})
    else()
      list(APPEND deps ${dep})
    endif()
  endforeach()
  if(sources)
    add_library(flowform_${name} STATIC ${sources})
    target_include_directories(flowform_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(flowform_${name} PUBLIC ${deps})
  else()
    add_library(flowform_${name} INTERFACE)
    target_include_directories(flowform_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(flowform_${name} INTERFACE ${deps})
  endif()
endfunction()

# flowform_embed_schema(NAME DIR): the .sql files of DIR compiled into the library
# flowform_NAME, readable through schema/schema.h, with the code of src/schema/.
function(flowform_embed_schema name dir)
  file(GLOB sql_files CONFIGURE_DEPENDS ${dir}/*.sql)
  set(out ${CMAKE_BINARY_DIR}/generated/schema_files.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DDIR=${dir} -P ${CMAKE_SOURCE_DIR}/cmake/embed_sql.cmake
    DEPENDS ${sql_files} ${CMAKE_SOURCE_DIR}/cmake/embed_sql.cmake
    COMMENT "Embedding schema/*.sql")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/schema/*.cpp)
  add_library(flowform_${name} STATIC ${out} ${sources})
  target_include_directories(flowform_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(flowform_${name} PUBLIC SQLite::SQLite3 flowform_platform_ado flowform_vb)
endfunction()

# flowform_tests(NAME DIR DEPS...): the .cpp files of tests/DIR and of its folders (the
# *_test.cpp files and their fixtures) become the test program NAME_tests, registered with CTest.
function(flowform_tests name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(deps)
  foreach(dep IN LISTS ARGN)
    if(TARGET flowform_${dep})
      list(APPEND deps flowform_${dep})
    else()
      list(APPEND deps ${dep})
    endif()
  endforeach()
  add_executable(${name}_tests ${sources})
  target_include_directories(${name}_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name}_tests PRIVATE ${deps} test_support GTest::gtest_main GTest::gmock)
  # Parameterised tests are named by their name generators, not by their printed values.
  gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                       PROPERTIES ENVIRONMENT "FLOWFORM_SCHEMA_DIR=${CMAKE_SOURCE_DIR}/schema")
endfunction()
