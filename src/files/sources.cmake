# Sources of src/files.
target_sources(quorvex_core PRIVATE
    files/directory_box.cpp
    files/directory_box.h
    files/drive_box.cpp
    files/drive_box.h
    files/file_browser.cpp
    files/file_browser.h
)
