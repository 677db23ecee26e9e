# Fakes and helpers every suite shares.
target_sources(quorvex_test_support PRIVATE
    support/shell_world.cpp
    support/shell_world.h
    support/test_support.cpp
)
