# Sources of src/about.
target_sources(quorvex_core PRIVATE
    about/about_placeholder.cpp
)
