# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/platform that need nothing but QtCore: the settings file, the
# drive map and DOS paths, file helpers, the program's directories, password
# files, the terminal's silent prompt and the termination signals. Console programs link these alone.
target_sources(quorvex_platform_core PRIVATE
    platform/app_dirs.cpp
    platform/app_dirs.h
    platform/drive_map.cpp
    platform/drive_map.h
    platform/file_helpers.cpp
    platform/file_helpers.h
    platform/file_writes.cpp
    platform/file_writes.h
    platform/host_file_stat.cpp
    platform/host_file_stat.h
    platform/host_folder_files.cpp
    platform/host_folder_files.h
    platform/password_file.cpp
    platform/password_file.h
    platform/settings_store.cpp
    platform/settings_store.h
    platform/terminal_prompt.cpp
    platform/terminal_prompt.h
    platform/termination_signals.cpp
    platform/termination_signals.h
    platform/volume_files.h
)
