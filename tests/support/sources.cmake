# Fakes and helpers every suite shares.
target_sources(quorvex_test_support PRIVATE
    support/recording_netware_client.h
    support/test_support.cpp
)
