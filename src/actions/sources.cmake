# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/actions.
target_sources(quorvex_core PRIVATE
    actions/clear_connection.cpp
    actions/clear_connection.h
    actions/send_message.cpp
    actions/send_message.h
    actions/user_details.cpp
    actions/user_details.h
    actions/user_selection.cpp
    actions/user_selection.h
)
