# Sources of src/platform.
target_sources(quorvex_platform PRIVATE
    platform/placeholder.cpp
)
