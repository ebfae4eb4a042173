#pragma once

#include <functional>

#include <termios.h>

namespace tarn::TermiosLine {

// The POSIX terminal calls behind the serial port: line settings, flushes and
// the worker's wake-up counter. Plain functions over a descriptor.

speed_t speedFor(int baud);
tcflag_t characterSizeFor(int dataBits);
tcflag_t parityFor(char parity);
// How the kernel says the adapter has gone away (unplugged, pty master closed).
bool deviceGone(int error);
// Discards what is waiting in both directions. A failure is not worth a box:
// there is nothing useful left to discard on a line that refuses the flush.
void purge(int fd);
// Before each command: the replies nobody has read belong to the command
// before and are given up. What is still going out stays: cutting the tail
// off the previous frame would put a broken frame on the line.
void discardUnreadReplies(int fd);
// The worker's eventfd: one more wake-up, and taking them all.
void signalWake(int wakeFd);
void drainWake(int wakeFd);
// Raw 8-bit line at `baud`; each call that fails is told to `failed` with
// its name and errno, and the rest still tried.
void configure(int fd, int baud, char parity, int dataBits, int stopBits,
               const std::function<void(const char* call, int error)>& failed);

} // namespace tarn::TermiosLine
