# Read by cpack: the Debian package is made only from a build configured as
# packaging/make-deb.sh configures it (Release, prefix /usr, programs in games/).
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_GLOUTON_LAYOUT STREQUAL "Release /usr games")
  message(FATAL_ERROR "this build is configured as \"${CPACK_GLOUTON_LAYOUT}\", not for the "
                      "Debian package: make it with `make deb` (packaging/make-deb.sh)")
endif()
