# Sources of src/netware.
target_sources(quorvex_netware PRIVATE
    netware/netware_client.h
    netware/netware_client.cpp
)
