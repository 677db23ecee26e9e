# SPDX-License-Identifier: GPL-3.0-or-later
# Every target of the project links this interface target: warnings on, and the
# sanitizers when the sanitizer build asks for them.
add_library(quorvex_warnings INTERFACE)
target_compile_options(quorvex_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QUORVEX_SANITIZE)
    target_compile_options(quorvex_warnings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvex_warnings INTERFACE -fsanitize=address,undefined)
endif()
