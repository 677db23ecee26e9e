# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/locks.
target_sources(quorvex_core PRIVATE
    locks/file_locks.cpp
    locks/file_locks.h
    locks/lock_error_text.cpp
    locks/lock_error_text.h
    locks/server_lock_sets.cpp
    locks/server_lock_sets.h
)
