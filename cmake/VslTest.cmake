# vsl_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per module; every test runs in the C locale and the UTC time zone
# unless it pins something else itself.
function(vsl_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vsl_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${T_NAME}
    PROPERTIES ENVIRONMENT "LANG=C;LC_ALL=C;TZ=UTC;QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
