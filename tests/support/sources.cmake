# Fakes and helpers every suite shares.
target_sources(quorvex_test_support PRIVATE
    support/scripted_client.cpp
    support/scripted_client.h
    support/test_support.cpp
    support/user_list_fixture.h
)
