// What a run of the clock needs of the platform beyond the library and its
// views. Linux: saver_platform_linux.cpp; Windows: saver_platform_win32.cpp.
#pragma once

#include <allegro.h>

// Linux: called first thing in the program, holds back the signals that
// ask it to end (SIGINT, SIGQUIT, SIGTERM, SIGHUP) until a run of the clock
// handles them (saver_watch_signals), or lets them act as usual in the
// other modes (saver_release_signals).
void saver_hold_signals();
void saver_release_signals();

// Called once, first thing in a run of the clock: the signals that ask the
// program to end (SIGINT, SIGQUIT, SIGTERM, SIGHUP), held back since the
// program started, end the run cleanly from now on; SIGUSR1 is ignored.
void saver_watch_signals();

// True once such a signal has come.
bool saver_stop_requested();

// Sleeps the calling thread for `ms` milliseconds.
void saver_rest(unsigned ms);

// Waits up to `ms` milliseconds, or until `fd` (-1: none) has something to
// read, or (Windows) saver_wake is called, or a signal comes, whichever is
// first.
// Returns true when `fd` has something to read.
bool saver_wait_for(int fd, int ms);

// Windows: ends a saver_wait_for under way, or the next one. Safe to call
// from the library's input callbacks, which are how input arrives there.
void saver_wake();

// The brand mark in the current colour depth, or nullptr.
BITMAP *saver_load_brand_mark();
