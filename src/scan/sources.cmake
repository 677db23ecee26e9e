# Sources of src/scan.
target_sources(quorvex_core PRIVATE
)
