// The console core through a port server it did not write: Debian's ser2net,
// serving tarn-camsim's pty on TCP loopback, as domes are reached on site.

#include "SimulatorLine.h"

#include "core/Messages.h"

#include <chrono>
#include <fstream>
#include <thread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn::e2e {
namespace {

constexpr const char* Ser2net = "/usr/sbin/ser2net";

// A loopback port nobody listens on now.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// One ser2net in the foreground with one connection: 127.0.0.1:PORT to the
// device, raw, 9600 8N1.
class Ser2netProcess {
public:
    Ser2netProcess(const std::string& configPath, const std::string& device, int port)
    {
        std::ofstream(configPath) << "%YAML 1.1\n---\n"
                                  << "connection: &dome\n"
                                  << "  accepter: tcp,127.0.0.1," << port << "\n"
                                  << "  connector: serialdev," << device << ",9600n81,local\n"
                                  << "  enable: on\n"
                                  << "  options:\n"
                                  << "    kickolduser: true\n";
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl(Ser2net, Ser2net, "-n", "-c", configPath.c_str(), "-P", "", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 100 && !accepts(port); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        m_listening = accepts(port);
    }
    ~Ser2netProcess() { stop(); }
    bool listening() const { return m_listening; }
    void stop()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    bool m_listening = false;
};

class Ser2netLine : public SimulatorLine {
protected:
    void SetUp() override
    {
        if (::access(Ser2net, X_OK) != 0)
            GTEST_SKIP() << "ser2net is not installed (scripts/install-deps.sh installs it)";
        simulator = std::make_unique<CamSimProcess>(withLog({"--pty", "--address", "7"}));
        ASSERT_TRUE(simulator->started());
        port = freePort();
        ASSERT_NE(port, 0);
        startServer();
        ASSERT_TRUE(console->connectPortServer("127.0.0.1:" + std::to_string(port), false));
    }
    void startServer()
    {
        server = std::make_unique<Ser2netProcess>(directory.file("ser2net.yaml"), simulator->where(), port);
        ASSERT_TRUE(server->listening()) << "ser2net did not listen on " << port;
    }
    void probe()
    {
        const std::size_t before = console->events().connections.size();
        console->state().broadcastNext = true;
        console->link().SendCommand("A?");
        ASSERT_TRUE(console->runUntil([&] { return console->events().connections.size() == before + 1; }));
        EXPECT_EQ(console->events().connections.back(), 7);
    }

    int port = 0;
    std::unique_ptr<Ser2netProcess> server;
};

TEST_F(Ser2netLine, FindsTheDomeAnswersPollsAndStopsAHeldZoom)
{
    ASSERT_NO_FATAL_FAILURE(probe());
    console->state().address = 7;
    console->link().enqueue("L?");
    ASSERT_TRUE(console->runUntil([&] { return console->events().statusReplies.size() == 1; }));

    // The operator holds "ZI", then lets go.
    console->link().enqueue("cZ0");
    console->link().enqueue("ZS");
    ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
    const auto rx = received();
    ASSERT_GE(rx.size(), 4u);
    EXPECT_EQ(rx[rx.size() - 2], test::handBuiltFrame(0x07, "cZ0"));
    EXPECT_EQ(rx.back(), test::handBuiltFrame(0x07, "ZS"));
    EXPECT_EQ(console->responseTimeouts(), 0);
}

TEST_F(Ser2netLine, ARestartIsToldOnceAndTheNextConnectionIsServed)
{
    ASSERT_NO_FATAL_FAILURE(probe());
    server->stop();
    ASSERT_TRUE(console->runUntil([&] { return !console->portServer().hasSocket(); }));
    console->runUntil([] { return false; }, std::chrono::milliseconds(200));
    ASSERT_EQ(console->prompter().shown().size(), 1u);
    EXPECT_EQ(console->prompter().shown()[0].title, Messages::NetworkErrorTitle);

    ASSERT_NO_FATAL_FAILURE(startServer());
    ASSERT_TRUE(console->connectPortServer("127.0.0.1:" + std::to_string(port), false));
    ASSERT_NO_FATAL_FAILURE(probe());
    EXPECT_EQ(console->prompter().shown().size(), 1u);
}

} // namespace
} // namespace tarn::e2e
