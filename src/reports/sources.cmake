# Sources of src/reports.
target_sources(quorvex_core PRIVATE
)
