# Sources of src/app.
target_sources(quorvex_core PRIVATE
    app/placeholder.cpp
)
