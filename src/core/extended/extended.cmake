# The model's extended arithmetic: the x87's long double (native) or SoftExtended (soft).
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([[
#include <cfloat>
#if !(defined(__i386__) || defined(__x86_64__) || defined(_M_IX86))
#error not x86
#endif
static_assert(LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384, "not the x87 format");
int main() { return 0; }
]] ZANVORO_LONG_DOUBLE_IS_X87)

if(ZANVORO_LONG_DOUBLE_IS_X87)
  set(zanvoro_extended_default native)
else()
  set(zanvoro_extended_default soft)
endif()
set(ZANVORO_EXTENDED ${zanvoro_extended_default} CACHE STRING
    "Extended arithmetic: native (x87 long double) or soft (software, with MPFR)")
set_property(CACHE ZANVORO_EXTENDED PROPERTY STRINGS native soft)

if(NOT ZANVORO_EXTENDED MATCHES "^(native|soft)$")
  message(FATAL_ERROR "ZANVORO_EXTENDED must be native or soft, not '${ZANVORO_EXTENDED}'")
endif()
if(ZANVORO_EXTENDED STREQUAL "native" AND NOT ZANVORO_LONG_DOUBLE_IS_X87)
  message(FATAL_ERROR "ZANVORO_EXTENDED=native needs long double to be the x87 80-bit format "
                      "(x86 with GCC, Clang or MinGW); this compiler's is not. Use soft.")
endif()
message(STATUS "Extended arithmetic: ${ZANVORO_EXTENDED}")

# SoftExtended is built whenever MPFR is there: the soft configuration needs it, and the
# native one's tests and benchmarks compare against it.
find_path(MPFR_INCLUDE_DIR mpfr.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
if(ZANVORO_EXTENDED STREQUAL "soft" AND (NOT MPFR_INCLUDE_DIR OR NOT MPFR_LIBRARY))
  message(FATAL_ERROR "ZANVORO_EXTENDED=soft needs GNU MPFR (Debian: libmpfr-dev)")
endif()
if(MPFR_INCLUDE_DIR AND MPFR_LIBRARY)
  add_library(costmodel_soft STATIC
    ${CMAKE_CURRENT_LIST_DIR}/soft_extended.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soft_extended_mpfr.cpp)
  target_include_directories(costmodel_soft PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_include_directories(costmodel_soft PRIVATE ${MPFR_INCLUDE_DIR})
  target_compile_features(costmodel_soft PUBLIC cxx_std_20)
  target_link_libraries(costmodel_soft PRIVATE ${MPFR_LIBRARY})
  if(GMP_LIBRARY)
    target_link_libraries(costmodel_soft PRIVATE ${GMP_LIBRARY})
  endif()
endif()

if(ZANVORO_EXTENDED STREQUAL "soft")
  target_compile_definitions(costmodel PUBLIC ZANVORO_EXTENDED_SOFT=1)
  target_link_libraries(costmodel PUBLIC costmodel_soft)
else()
  target_compile_definitions(costmodel PUBLIC ZANVORO_EXTENDED_NATIVE=1)
endif()
