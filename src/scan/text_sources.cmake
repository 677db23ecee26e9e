# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/scan that turn what a scan gathers into text (the renderings
# of a holder's details, the messages of the scan's codes). QtCore only, so
# that console programs describe holders as the window does.
target_sources(quorvex_scan_text PRIVATE
    scan/result_text.cpp
    scan/result_text.h
    scan/scan_messages.cpp
    scan/scan_messages.h
)
