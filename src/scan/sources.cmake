# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/scan.
target_sources(quorvex_core PRIVATE
    scan/activity_log.cpp
    scan/activity_log.h
    scan/auto_clear.cpp
    scan/auto_clear.h
    scan/auto_clear_time.cpp
    scan/auto_clear_time.h
    scan/connection_details.cpp
    scan/connection_details.h
    scan/connection_info.h
    scan/directory_rights.cpp
    scan/directory_rights.h
    scan/notifier.cpp
    scan/notifier.h
    scan/prefix_index.cpp
    scan/prefix_index.h
    scan/rescan_controls.cpp
    scan/rescan_controls.h
    scan/scan_engine.cpp
    scan/scan_engine.h
    scan/scan_result.h
    scan/watch.cpp
    scan/watch.h
    scan/watch_stamps.cpp
    scan/watch_stamps.h
)
