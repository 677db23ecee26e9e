# Sources of src/ncpauth, built into quorvex_ncp: the cryptography of logins
# and packet signatures, shared by the client, the NCP server and quorvex-sim.
target_sources(quorvex_ncp PRIVATE
    ncpauth/ds_key.h
    ncpauth/ds_key.cpp
    ncpauth/ds_exchange.h
    ncpauth/ds_exchange.cpp
    ncpauth/ds_login.h
    ncpauth/ds_login.cpp
    ncpauth/ds_login_requests.h
    ncpauth/ds_login_requests.cpp
    ncpauth/login_messages.h
    ncpauth/login_messages.cpp
    ncpauth/nw_cipher.h
    ncpauth/nw_cipher.cpp
    ncpauth/nw_hash.h
    ncpauth/nw_hash.cpp
    ncpauth/object_keys.h
    ncpauth/object_keys.cpp
    ncpauth/packet_signature.h
    ncpauth/packet_signature.cpp
    ncpauth/random_source.h
    ncpauth/random_source.cpp
    ncpauth/rsa_math.h
    ncpauth/rsa_math.cpp
    ncpauth/session_login.cpp
    ncpauth/sealed_block.h
    ncpauth/sealed_block.cpp
    ncpauth/signed_frames.h
    ncpauth/signed_frames.cpp
)
