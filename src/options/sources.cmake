# Sources of src/options.
target_sources(quorvex_core PRIVATE
)
