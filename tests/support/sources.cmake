# Fakes and helpers every suite shares.
target_sources(quorvex_test_support PRIVATE
    support/test_support.cpp
    support/sim_server_builder.h
    support/sim_server_builder.cpp
)
