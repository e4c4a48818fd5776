# Per generator. The zip unpacks into a folder of its own (CPack's default); the installer has
# no use for one, and its name says that it installs, beside the zip of the same release.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
