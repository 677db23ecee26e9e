# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/netware.
target_sources(quorvex_netware PRIVATE
    netware/netware_client.h
    netware/json_tape.cpp
    netware/json_tape.h
    netware/netware_client.cpp
    netware/open_file_records.h
    netware/open_file_records.cpp
    netware/netware_text.h
    netware/netware_text.cpp
    netware/demo_install.h
    netware/demo_install.cpp
    netware/dos_name.h
    netware/dos_name.cpp
    netware/sim_address.h
    netware/sim_address.cpp
    netware/sim_client.h
    netware/sim_client.cpp
    netware/sim_client_connections.cpp
    netware/sim_client_ds.cpp
    netware/sim_client_listings.cpp
    netware/sim_client_files.cpp
    netware/sim_directory.h
    netware/sim_directory.cpp
    netware/sim_entry_numbers.h
    netware/sim_entry_numbers.cpp
    netware/sim_generator.h
    netware/sim_generator.cpp
    netware/sim_path.h
    netware/sim_path.cpp
    netware/sim_rights.h
    netware/sim_rights.cpp
    netware/sim_server.h
    netware/sim_server.cpp
    netware/sim_state.h
    netware/sim_state.cpp
    netware/sim_state_reader.h
    netware/sim_state_reader.cpp
    netware/sim_state_writer.h
    netware/sim_state_writer.cpp
    netware/sim_volume_files.h
    netware/sim_volume_files.cpp
)

# The demo servers travel with the program: in a build tree the program
# directory is the build directory, so they are copied to build/demo.
add_custom_target(quorvex_demo
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data/demo
            ${CMAKE_BINARY_DIR}/demo
    COMMENT "Copying the demo servers to ${CMAKE_BINARY_DIR}/demo"
    VERBATIM)
add_dependencies(quorvex_netware quorvex_demo)
