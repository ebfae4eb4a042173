#pragma once

#include "core/CameraTypes.h"
#include "link/DialogPump.h"
#include "link/DialogReceiver.h"
#include "link/SerialPortList.h"
#include "platform/Timers.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class CameraLink;
class Prompter;

// The lists of the Setup dialog, in list order: a value is an index into them.
namespace SetupLists {
// Index 6, the empty entry, is a receiver that is not one of the maker's cameras.
inline constexpr auto CameraTypes = CameraType::Names;
inline constexpr auto ModuleTypes = ModuleType::Names;
// The twelfth, empty entry only shows that no protocol is known; it cannot be chosen.
inline constexpr std::array<std::string_view, 12> CameraProtocols = {
    "Undefined", "Tarn", "Pelco D", "Pelco P", "Javelin", "Philips/Bosch",
    "Vicon", "Ultrak", "AD", "Fast Field Device", "D12", ""};
inline constexpr std::array<std::string_view, 11> ReceiverProtocols = {
    "Tarn", "American Dynamics", "Pelco D", "Javelin", "Philips", "Vicon",
    "Ultrak", "D12", "Kalatel", "Fast Field Device", "Pelco P"};
inline constexpr std::array<std::string_view, 3> Directions = {"Normal", "Inverted Tilt", "Inverted P/T"};
// 9600, 4800, 2400, 1200, 600, 300 and 19200 baud.
inline constexpr std::array<std::string_view, 7> Bauds = {"9600", "4800", "2400", "1200", "  600", "  300", "192K"};
inline constexpr std::array<std::string_view, 8> Backgrounds = {
    "None", "Plain old gray", "Black Space", "Red White and Blue", "Gremlin's Nightmare",
    "Rainbow Sherbet", "Tarn CCTV", "My Favorite"};
} // namespace SetupLists

// What the Setup dialog shows and the main window takes back on OK. Indexes
// are positions in SetupLists; -1 is no selection.
struct SetupValues {
    int commMode = 0;            // "PC to KRU Master" / "PC to KRU Receiver"
    int ptType = -1;             // "Fixed P/T", "Var Speed P/T", "Var. Prop. Speed P/T"
    int maxPanSpeed = 63;
    int maxTiltSpeed = 63;
    int videoStandard = -1;      // "NTSC", "PAL"
    int cameraProtocol = 0;
    std::string elevation;       // at most 5 digits
    int receiverProtocol = -1;
    std::string receiverHostBaud;
    int receiverAddress = 0;
    bool flip = false;
    int lightMode = -1;          // "Normal" / "Sodium Vapor"
    bool flowControl = false;
    bool receiverJavelinContinuous = false;
    bool receiverJavelinAddress = false;
    bool cameraJavelinContinuous = false;
    bool cameraJavelinAddress = false;
    int ptDirection = -1;
    int moduleType = -1;
    int cameraType = -1;
    std::string serialNumber;    // at most 7 digits
    bool ntcip = false;
    int baudIndex = -1;
    std::string networkPort = "1233";
    int linkMode = 0;            // 0 serial, 1 network
    int background = 0;
    int portIndex = 0;           // position of the chosen entry in the port list
    int portNumber = 1;          // its COM number
};

// Which of the Setup dialog's controls can be used.
struct SetupEnabling {
    bool panTiltType = true;
    bool maxSpeeds = true;       // both edits and their spins
    bool cameraProtocol = false;
    bool firmwareEdit = true;
    bool firmwareGet = false;
    bool elevationEdit = false;
    bool elevationSet = false;
    bool video = false;
    bool flip = false;
    bool setBaud = true;
    bool direction = false;
    bool otherSetup = false;
    bool lensMaintenance = true;
    bool cameraJavelin = false;
    bool receiverJavelin = false;
    bool serialControls = true;  // "Comm. Port" and the baud list
    bool networkControls = true;
    bool operator==(const SetupEnabling&) const = default;
};

// The Setup dialog without widgets. It programs the camera at the current
// address through the deferred send (the newest command supersedes one not
// yet sent), reads back the camera's firmware, serial number, pan/tilt type,
// direction and Javelin options when it opens, and keeps the console's link
// values for the main window to take back on OK.
//
// Registered for the camera's replies for as long as it exists.
class CameraSetup final : public DialogReceiver, public TimerClient {
public:
    // The read-back chain's one-shot 5 ms timers, by the answer that starts them.
    enum ReadBackTimer {
        AfterPanTiltType = 12,   // sends "SS"
        AfterSerialNumber = 13,  // sends "sS"
        AfterFirmware = 14,      // sends "mSs"
        CameraIdQuery = 15,      // sends "hS"; not started by this dialog
        NtcipQuery = 20,         // sends "mND"; not started by this dialog
        AfterDirection = 30,     // sends "JcS"
        AfterJavelinContinuous = 31, // sends "JbS"
    };
    static constexpr int ReadBackDelayMs = 5;
    static constexpr int HighestElevation = 10000;

    // The edit to clear and focus after a refused entry.
    enum class Field { None, Elevation, SerialNumber };

    CameraSetup(CameraLink& link, Prompter& prompter, SetupValues values,
                std::vector<SerialPortEntry> ports);
    ~CameraSetup();

    // The dialog's initialisation: enabling, module type, port selection,
    // then the first read-back query "RS". Nothing is sent before.
    void open();

    const SetupValues& values() const { return m_values; }
    const SetupEnabling& enabling() const { return m_enabling; }
    const std::vector<SerialPortEntry>& ports() const { return m_ports; }
    // The list entry shown as selected, -1 for none.
    int portListIndex() const { return m_portListIndex; }
    // The entry chosen, or nullptr.
    const SerialPortEntry* chosenPort() const;
    const std::string& firmware() const { return m_firmware; }
    Field fieldToClear() const { return m_fieldToClear; }

    // The controls.
    void selectPort(int listIndex);
    void selectBaud(int index);
    void setBaud();
    void choosePanTiltType(int type);
    void setMaxSpeeds(int pan, int tilt);
    void chooseDirection(int index);
    void toggleFlip();
    void chooseVideoStandard(int index);
    void chooseCameraType(int index);
    // Asks first; on No the protocol stays as it was.
    void chooseCameraProtocol(int index);
    void getFirmware();
    void editElevation(std::string_view text);
    void setElevation();
    void editSerialNumber(std::string_view text);
    void setSerialNumber();
    void toggleCameraJavelinContinuous();
    void toggleCameraJavelinAddress();
    void enableBootLoader();
    void chooseBackground(int index);

    // The camera's command for the baud index; lower case for a receiver that
    // is not one of the maker's cameras, except 19200.
    static std::string baudCommand(int baudIndex, int cameraType);

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    void send(std::string_view command);
    void startReadBack(int timer);
    void applyCameraTypeRules();
    void setModuleTypeForCamera();
    void refuse(std::string_view message, Field field);
    bool makersCamera() const;

    DeferredSend m_deferred;
    SetupValues m_values;
    SetupEnabling m_enabling;
    std::vector<SerialPortEntry> m_ports;
    int m_portListIndex = -1;
    std::string m_firmware;
    Field m_fieldToClear = Field::None;
};

} // namespace tarn
