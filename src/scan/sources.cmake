# Sources of src/scan.
target_sources(quorvex_core PRIVATE
    scan/connection_details.cpp
    scan/connection_details.h
    scan/connection_info.h
    scan/directory_rights.cpp
    scan/directory_rights.h
    scan/result_text.cpp
    scan/result_text.h
    scan/scan_engine.cpp
    scan/scan_engine.h
    scan/scan_messages.cpp
    scan/scan_messages.h
    scan/scan_result.h
    scan/watch.cpp
    scan/watch.h
)
