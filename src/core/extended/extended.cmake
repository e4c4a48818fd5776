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
# native one's tests and benchmarks compare against it. MPFR's mpfr.pc names GMP too; cross
# builds point pkg-config at the target's own (the toolchain files set PKG_CONFIG_LIBDIR).
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(MPFR QUIET IMPORTED_TARGET GLOBAL mpfr)
endif()
if(ZANVORO_EXTENDED STREQUAL "soft" AND NOT TARGET PkgConfig::MPFR)
  message(FATAL_ERROR "ZANVORO_EXTENDED=soft needs GNU MPFR, found through pkg-config "
                      "(Debian: libmpfr-dev and pkg-config)")
endif()
if(TARGET PkgConfig::MPFR)
  add_library(costmodel_soft STATIC
    ${CMAKE_CURRENT_LIST_DIR}/soft_extended.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soft_extended_mpfr.cpp)
  target_include_directories(costmodel_soft PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_compile_features(costmodel_soft PUBLIC cxx_std_20)
  target_link_libraries(costmodel_soft PRIVATE PkgConfig::MPFR
                        zanvoro_warnings zanvoro_sanitizers zanvoro_fuzz_coverage)
else()
  message(STATUS "GNU MPFR not found through pkg-config: no SoftExtended to test against")
endif()

if(ZANVORO_EXTENDED STREQUAL "soft")
  target_compile_definitions(costmodel PUBLIC ZANVORO_EXTENDED_SOFT=1)
  target_link_libraries(costmodel PUBLIC costmodel_soft)
else()
  target_compile_definitions(costmodel PUBLIC ZANVORO_EXTENDED_NATIVE=1)
endif()
