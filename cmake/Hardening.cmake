# The distribution's hardening of every program and library (the flags dpkg-buildflags gives with
# hardening=+all): fortified C library calls, the strong stack protector, position-independent
# executables, and full RELRO with immediate binding. The sanitizer and fuzz builds go without: their
# run time replaces the fortified calls, and _FORTIFY_SOURCE would hide the faults they look for.
if(VSL_SANITIZE OR VSL_FUZZ)
  return()
endif()

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Fortification needs the optimiser, which a Debug build leaves off.
add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>"
                    -fstack-protector-strong -Wformat -Werror=format-security)
add_link_options(-Wl,-z,relro -Wl,-z,now)
