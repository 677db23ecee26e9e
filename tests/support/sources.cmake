# SPDX-License-Identifier: GPL-3.0-or-later
# Fakes and helpers every suite shares.
target_sources(quorvex_test_support PRIVATE
    support/fake_ncp_server.cpp
    support/fake_ncp_server.h
    support/file_with_mode.h
    support/lcg_random.h
    support/manual_clock.h
    support/memory_clipboard.h
    support/ncpd_process.cpp
    support/ncpd_process.h
    support/recording_netware_client.h
    support/recording_printer.h
    support/recording_shell.h
    support/scripted_client.cpp
    support/scripted_client.h
    support/scripted_prompts.cpp
    support/scripted_prompts.h
    support/shell_world.cpp
    support/shell_world.h
    support/sim_server_builder.cpp
    support/sim_server_builder.h
    support/small_file_system.cpp
    support/small_file_system.h
    support/test_services.cpp
    support/test_services.h
    support/transport_client.cpp
    support/transport_client.h
    support/user_list_fixture.h
    support/volume_world.cpp
    support/volume_world.h
)
