# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/ncpauth, built into quorvex_ncp: the cryptography of logins
# and packet signatures, shared by the client, the NCP server and quorvex-sim.
target_sources(quorvex_ncp PRIVATE
    ncpauth/authentication_messages.cpp
    ncpauth/ds_exchange.cpp
    ncpauth/ds_exchange.h
    ncpauth/ds_key.cpp
    ncpauth/ds_key.h
    ncpauth/ds_login.cpp
    ncpauth/ds_login.h
    ncpauth/ds_login_requests.cpp
    ncpauth/ds_login_requests.h
    ncpauth/key_block.cpp
    ncpauth/key_block.h
    ncpauth/login_messages.cpp
    ncpauth/login_messages.h
    ncpauth/nw_cipher.cpp
    ncpauth/nw_cipher.h
    ncpauth/nw_hash.cpp
    ncpauth/nw_hash.h
    ncpauth/object_keys.cpp
    ncpauth/object_keys.h
    ncpauth/packet_signature.cpp
    ncpauth/packet_signature.h
    ncpauth/random_source.cpp
    ncpauth/random_source.h
    ncpauth/rsa_math.cpp
    ncpauth/rsa_math.h
    ncpauth/sealed_block.cpp
    ncpauth/sealed_block.h
    ncpauth/session_login.cpp
    ncpauth/signed_frames.cpp
    ncpauth/signed_frames.h
)
