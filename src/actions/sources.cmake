# Sources of src/actions.
target_sources(quorvex_core PRIVATE
)
