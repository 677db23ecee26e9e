# Sources of src/locks.
target_sources(quorvex_core PRIVATE
)
