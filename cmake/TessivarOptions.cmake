# Common compile settings for every Tessivar target.
add_library(tessivar_options INTERFACE)
target_compile_features(tessivar_options INTERFACE cxx_std_20)
target_compile_definitions(tessivar_options INTERFACE
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  TESSIVAR_VERSION_TEXT="${PROJECT_VERSION}")
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(tessivar_options INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports std::optional<QString> moves as maybe-uninitialized.
    target_compile_options(tessivar_options INTERFACE -Wno-maybe-uninitialized)
  endif()
  if(TESSIVAR_WERROR)
    target_compile_options(tessivar_options INTERFACE -Werror)
  endif()
  if(TESSIVAR_SANITIZE)
    target_compile_options(tessivar_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(tessivar_options INTERFACE -fsanitize=address,undefined)
  endif()
elseif(MSVC)
  target_compile_options(tessivar_options INTERFACE /W4 /utf-8 /permissive-)
  if(TESSIVAR_WERROR)
    target_compile_options(tessivar_options INTERFACE /WX)
  endif()
endif()

set(CMAKE_AUTOMOC ON)

# tessivar_add_test(<name> SOURCES <files...> [LIBS <targets...>])
# Declares one test executable; every test runs on the offscreen platform so
# window tests need no display.
function(tessivar_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tessivar_options Qt6::Test ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    TESSIVAR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TESSIVAR_SHARED_FIXTURES="${PROJECT_SOURCE_DIR}/../shared/fixtures/journal-samples")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    TIMEOUT 120)
endfunction()
