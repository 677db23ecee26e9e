# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/options.
target_sources(quorvex_core PRIVATE
    options/options_window.cpp
    options/options_window.h
    options/options_window_layout.cpp
)
