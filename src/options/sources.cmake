# Sources of src/options.
target_sources(quorvex_core PRIVATE
    options/file_name_listing.cpp
    options/file_name_listing.h
    options/options_window.cpp
    options/options_window.h
    options/options_window_layout.cpp
    options/window_surface_drag.cpp
    options/window_surface_drag.h
)
