# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/about.
target_sources(quorvex_core PRIVATE
    about/browser_launch.cpp
    about/browser_launch.h
    about/form3.cpp
    about/form3.h
    about/link_label.cpp
    about/link_label.h
)

# The FAQ the About window and F1 open lies in the program directory: beside
# the executable in a build tree (the install puts it in share/quorvex).
configure_file(${PROJECT_SOURCE_DIR}/data/faq.fil ${CMAKE_BINARY_DIR}/faq.fil COPYONLY)
