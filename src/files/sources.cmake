# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/files.
target_sources(quorvex_core PRIVATE
    files/directory_box.cpp
    files/directory_box.h
    files/directory_reader.cpp
    files/directory_reader.h
    files/dos_pattern.cpp
    files/dos_pattern.h
    files/drive_box.cpp
    files/drive_box.h
    files/file_browser.cpp
    files/file_browser.h
    files/file_listing.cpp
    files/file_listing.h
)
