# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/app.
target_sources(quorvex_core PRIVATE
    app/app_icon.cpp
    app/app_icon.h
    app/app_icon.qrc
    app/lazy_icon_engine.h
    app/lazy_icon_engine.cpp
    app/app_services.cpp
    app/app_services.h
    app/command_line.cpp
    app/command_line.h
    app/command_line_jobs.cpp
    app/command_line_jobs.h
    app/command_line_info.cpp
    app/command_line_info.h
    app/control_layout.cpp
    app/control_layout.h
    app/dialog_buttons.cpp
    app/dialog_buttons.h
    app/form1.cpp
    app/form1.h
    app/interval_timer.cpp
    app/interval_timer.h
    app/keys_and_find.cpp
    app/keys_and_find.h
    app/lifecycle.cpp
    app/lifecycle.h
    app/message_pane.cpp
    app/message_pane.h
    app/pane_notices.cpp
    app/pane_notices.h
    app/prompted_password_source.cpp
    app/prompted_password_source.h
    app/settings.h
    app/settings_keys.cpp
    app/settings_keys.h
    app/size_limits.cpp
    app/size_limits.h
    app/tray_icon.cpp
    app/tray_icon.h
    app/window_behaviour.cpp
    app/window_behaviour.h
    app/window_geometry.cpp
    app/window_geometry.h
)
set_target_properties(quorvex_core PROPERTIES AUTORCC ON)
