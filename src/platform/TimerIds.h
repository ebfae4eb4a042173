#pragma once

namespace tarn::TimerId {

// The fixed timer ids of the main window. Cameras and field habits were tuned
// to these timings, so the ids and periods stay as the console always had them.
inline constexpr int TransmitLamp = 10;      // 50 ms, transmit lamp off
inline constexpr int ReceiveLamp = 11;       // 50 ms, receive lamp off
inline constexpr int StatusPoll = 13;        // sends "L?" (or the Javelin status frame)
inline constexpr int StatusPollDayNight = 14; // 50 ms after 13, sends "cDS"
inline constexpr int StatusPolling = 18;     // 1000 ms, "Status ?" on
inline constexpr int PositionPolling = 19;   // 1000 ms, "P/T/Z/F ?" on
inline constexpr int QueuePump = 20;         // main pump of the command queue
inline constexpr int ResponseTimeout = 21;   // 100 ms without an answer releases the queue
inline constexpr int LinkFrameWait = 40;     // 1000 ms between link frames
inline constexpr int LinkFrame = 41;         // sends the link frame 7E 01 00 00 41 7E
inline constexpr int AddressProbe = 42;      // sends the broadcast "A?"
inline constexpr int ProbeWait = 44;         // 1000 ms after the probe
inline constexpr int AddressReplyWindow = 45; // 3000 ms after an address query: an "A" reply is believed
inline constexpr int LateChecksum = 46;      // 20 ms: a reply that did not check gets no further byte
inline constexpr int PresetNameWindow = 47;  // 3000 ms after a preset-name question: a 'd' reply is its answer
inline constexpr int AddressLinkFrame = 50;  // sends 7E 01 AH AL 44 7E
inline constexpr int NtcipDisable = 51;      // sends "mND"
inline constexpr int PresetNamePoll = 52;    // queues "cdS" + 0x10
inline constexpr int NtcipEnable = 53;       // sends "mNe"
inline constexpr int PortServerConnect = 60; // 1000 ms to reach the port server
inline constexpr int SerialPortWatch = 61;   // 1000 ms while the serial port is away: is it back?
inline constexpr int SweepAnswer = 70;       // the commissioning sweep's reply time-out per question
inline constexpr int SiteAnswer = 71;        // 1500 ms after a switch: the chosen camera has not answered
inline constexpr int SweepConnect = 72;      // 2000 ms at most for the sweep's next link to connect
inline constexpr int StickPoll = 73;         // 16 ms: the joystick is read, plugs and unplugs seen
inline constexpr int SnapshotStep = 75;      // 10 ms: is the line quiet, so the configuration's next part may go?

} // namespace tarn::TimerId
