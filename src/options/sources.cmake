# Sources of src/options.
target_sources(quorvex_core PRIVATE
    options/options_placeholder.cpp
)
