# Read by cpack before it packages: a Debian package needs dpkg-shlibdeps to find the shared
# libraries' packages, and is not made without it.
cmake_policy(SET CMP0109 NEW) # a program is what may be executed
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(QUORVEL_SHLIBDEPS dpkg-shlibdeps)
    if(NOT QUORVEL_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing (apt-get install dpkg-dev): without it the "
                            "package would declare no library dependencies")
    endif()
endif()
