#include "link/TermiosLine.h"

#include <cerrno>
#include <cstdint>

#include <unistd.h>

namespace tarn::TermiosLine {

speed_t speedFor(int baud)
{
    switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600; // the console's default rate
    }
}

tcflag_t characterSizeFor(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

tcflag_t parityFor(char parity)
{
    switch (parity) {
    case 'E': return PARENB;
    case 'O': return PARENB | PARODD;
    default: return 0;
    }
}

bool deviceGone(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF || error == EPIPE;
}

void purge(int fd)
{
    ::tcflush(fd, TCIOFLUSH);
}

void discardUnreadReplies(int fd)
{
    ::tcflush(fd, TCIFLUSH);
}

void signalWake(int wakeFd)
{
    const std::uint64_t one = 1;
    // Only fails when the counter is already full, i.e. a wake-up is pending.
    if (::write(wakeFd, &one, sizeof one) < 0) {
    }
}

void drainWake(int wakeFd)
{
    std::uint64_t count = 0;
    if (::read(wakeFd, &count, sizeof count) < 0) {
    }
}

    void configure(int device, int baud, char parity, int dataBits, int stopBits,
               const std::function<void(const char* call, int error)>& failed)
    {
        termios tio{};
        if (::tcgetattr(device, &tio) != 0) {
            // Without the current settings there is nothing safe to change.
            failed("tcgetattr()", errno);
            return;
        }
        // Every byte 0x00..0xFF must cross unchanged: the protocol's frames
        // contain XON/XOFF, CR, LF and the interrupt characters as data.
        tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON
                         | IXOFF | IXANY | IMAXBEL);
#ifdef IUCLC
        tio.c_iflag &= ~IUCLC;
#endif
        tio.c_oflag &= ~OPOST;
        tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CRTSCTS
        tio.c_cflag &= ~CRTSCTS;
#endif
        tio.c_cflag |= CLOCAL | CREAD | characterSizeFor(dataBits) | parityFor(parity)
                       | (stopBits == 2 ? CSTOPB : 0);
        // With VMIN 0 a non-blocking read of an idle line would look like a
        // hang-up (end of file).
        tio.c_cc[VMIN] = 1;
        tio.c_cc[VTIME] = 0;

        const speed_t speed = speedFor(baud);
        if (::cfsetispeed(&tio, speed) != 0)
            failed("cfsetispeed()", errno);
        if (::cfsetospeed(&tio, speed) != 0)
            failed("cfsetospeed()", errno);
        if (::tcsetattr(device, TCSANOW, &tio) != 0)
            failed("tcsetattr()", errno);
    }

} // namespace tarn::TermiosLine
