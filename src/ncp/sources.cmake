# Sources of src/ncp: the NetWare Core Protocol over TCP, shared by the client
# backend and the NCP server.
target_sources(quorvex_ncp PRIVATE
    ncp/bindery_password.h
    ncp/bindery_password.cpp
    ncp/completion_code.h
    ncp/frame_assembler.h
    ncp/frame_assembler.cpp
    ncp/ncp_packet.h
    ncp/password_source.h
    ncp/ncp_packet.cpp
    ncp/wire_reader.h
    ncp/wire_reader.cpp
    ncp/wire_writer.h
    ncp/wire_writer.cpp
)
