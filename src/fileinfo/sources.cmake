# Sources of src/fileinfo.
target_sources(quorvex_core PRIVATE
    fileinfo/fileinfo_placeholder.cpp
)
