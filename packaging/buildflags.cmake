# SPDX-License-Identifier: MIT
# Debian's flags for building a package (dpkg-buildflags, every hardening feature on): fortified C
# library calls, the stack protector, format checks, a position-independent program, full RELRO
# and bind-now, for every build but the sanitizer and fuzz ones, which bring their own. The build
# type keeps the optimisation and debug information; the source path stays out of the flags, so
# every working copy shares one compiler cache.
option(BARTENDAM_DEBIAN_FLAGS "Build with Debian's hardening flags from dpkg-buildflags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(BARTENDAM_DEBIAN_FLAGS AND DPKG_BUILDFLAGS AND NOT BARTENDAM_SANITIZE AND NOT BARTENDAM_FUZZ)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O.*|f(file|debug|macro)-prefix-map=.*)$")
    set(debian_${kind} ${flags})
  endforeach()
  # Fortified calls need an optimised build; a debug build without them stays quiet.
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:${debian_CPPFLAGS}>" ${debian_CXXFLAGS})
  add_link_options(${debian_LDFLAGS})
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
