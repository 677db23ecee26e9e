// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floor under any request and reply protocol on this machine: the mean
// time of one small message and its echo over TCP on loopback between two
// processes, with nothing else done on either side. Call it before any
// thread is started (it forks).

double loopbackRoundTripMicros(int roundTrips);
// The best of three such measures of 20,000 round trips each; -1 when none
// could be made.
double bestLoopbackRoundTripMicros();
