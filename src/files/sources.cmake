# Sources of src/files.
target_sources(quorvex_core PRIVATE
)
