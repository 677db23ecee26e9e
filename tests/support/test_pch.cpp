// Carries the precompiled header the tests share.
