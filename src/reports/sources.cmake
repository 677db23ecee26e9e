# Sources of src/reports.
target_sources(quorvex_core PRIVATE
    reports/reports.cpp
    reports/reports.h
)
