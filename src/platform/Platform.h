#pragma once

namespace tarn {

class Timers;
class Prompter;
class ProfileStore;
class MainThreadPoster;
class PortServerSocketFactory;

// The platform services the console logic runs on: real Qt ones in the
// program, a virtual clock and scripted prompts in tests.
struct Platform {
    Timers& timers;
    Prompter& prompter;
    ProfileStore& profile;
    MainThreadPoster& poster;
    PortServerSocketFactory& sockets;
};

} // namespace tarn
