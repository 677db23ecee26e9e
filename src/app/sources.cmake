# Sources of src/app.
target_sources(quorvex_core PRIVATE
    app/command_line.cpp
    app/command_line.h
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
    app/settings.h
)
