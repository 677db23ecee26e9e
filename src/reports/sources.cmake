# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/reports.
target_sources(quorvex_core PRIVATE
    reports/reports.cpp
    reports/reports.h
)
