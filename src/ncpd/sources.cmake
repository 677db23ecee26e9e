# Sources of src/ncpd: the NCP server that serves a simulated server's state
# file over TCP.
target_sources(quorvex_ncpd PRIVATE
    ncpd/bindery_requests.h
    ncpd/bindery_requests.cpp
    ncpd/connection_numbers.h
    ncpd/connection_numbers.cpp
    ncpd/connection_requests.h
    ncpd/connection_requests.cpp
    ncpd/directory_requests.h
    ncpd/directory_requests.cpp
    ncpd/dispatch_worker.h
    ncpd/dispatch_worker.cpp
    ncpd/ds_requests.h
    ncpd/ds_requests.cpp
    ncpd/entry_table.h
    ncpd/entry_table.cpp
    ncpd/file_use_requests.h
    ncpd/file_use_requests.cpp
    ncpd/long_name_request.h
    ncpd/long_name_request.cpp
    ncpd/ncp_listener.h
    ncpd/ncp_listener.cpp
    ncpd/request_text.h
    ncpd/request_text.cpp
    ncpd/server_session.h
    ncpd/server_session.cpp
    ncpd/session_connection_calls.cpp
    ncpd/session_directory_calls.cpp
    ncpd/session_dispatcher.h
    ncpd/session_dispatcher.cpp
    ncpd/session_ds_calls.cpp
    ncpd/session_login.cpp
    ncpd/session_table.h
    ncpd/session_table.cpp
    ncpd/wire_status.h
    ncpd/wire_status.cpp
)
