# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The programs built hardened as Debian builds its packages: fortified C
# library calls, a strong stack protector, and relocations made read-only and
# bound at start (position-independent executables are the compiler's default
# there). Left out of the sanitizer and fuzz builds, whose instrumentation they
# would only disturb, and _FORTIFY_SOURCE out of unoptimised ones, which it
# would warn about.
option(VARNEX_HARDEN "Build hardened as Debian does" ON)
if(VARNEX_HARDEN AND NOT VARNEX_SANITIZE AND NOT VARNEX_FUZZ)
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>" -fstack-protector-strong)
  add_link_options(-Wl,-z,relro,-z,now)
endif()
