#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "../support/port_folder.h"
#include "../support/virtual_clock.h"
#include "sensor_link.h"
#include "serial_port.h"
#include "wire_format.h"

// A bare pseudo-terminal pair; the test plays the adapter on the master side.
class SerialPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[256] = {};
        ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        ports.Link(PortNumber, name);
        close(slave);  // the port under test opens its own
    }
    void TearDown() override { close(master); }

    std::string ReadFromMaster(size_t count)
    {
        std::string bytes(count, '\0');
        size_t done = 0;
        while (done < count) {
            const ssize_t got = read(master, bytes.data() + done, count - done);
            if (got <= 0)
                break;
            done += static_cast<size_t>(got);
        }
        bytes.resize(done);
        return bytes;
    }

    static constexpr uint8_t PortNumber = 150;
    PrivatePortFolder ports;
    int master = -1;
    int slave = -1;
    TSerialCom port;
};

TEST_F(SerialPort, OpenOfAMissingPortFailsButKeepsItsNumber)
{
    EXPECT_FALSE(port.Open(151, 4800, 50));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.PortNumber(), 151);

    EXPECT_FALSE(port.Open(0, 4800, 50));
    EXPECT_EQ(port.PortNumber(), 0);
}

TEST_F(SerialPort, ClosedPortRefusesEveryOperationWithoutWaiting)
{
    VirtualClock clock;
    clock.Attach(port);
    uint8_t buffer[4] = {};
    uint32_t received = 99;
    EXPECT_FALSE(port.Read(buffer, 4, received));
    EXPECT_EQ(received, 99u);
    EXPECT_FALSE(port.Write(buffer, 4));
    EXPECT_FALSE(port.Purge());
    EXPECT_FALSE(port.SetRts());
    EXPECT_FALSE(port.ClearRts());
    EXPECT_FALSE(port.SetTimeouts(50));
    EXPECT_TRUE(clock.Waits().empty());
    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(port.Close());
}

TEST_F(SerialPort, ReadReturnsWhatArrivedWhenTheTimeOutEnds)
{
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    ASSERT_EQ(write(master, "abc", 3), 3);
    uint8_t buffer[7] = {};
    uint32_t received = 0;
    EXPECT_FALSE(port.Read(buffer, 7, received));
    EXPECT_EQ(received, 3u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 3), "abc");

    ASSERT_EQ(write(master, "1234567", 7), 7);
    EXPECT_TRUE(port.Read(buffer, 7, received));
    EXPECT_EQ(received, 7u);
}

TEST_F(SerialPort, WriteDeliversEveryByteBeforeThePurge)
{
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    const std::string command = "DN800519\r";
    EXPECT_TRUE(port.Write(reinterpret_cast<const uint8_t*>(command.data()), static_cast<uint32_t>(command.size())));
    EXPECT_TRUE(port.Purge());
    EXPECT_EQ(ReadFromMaster(command.size()), command);
}

TEST_F(SerialPort, PurgeDiscardsReceivedBytesAndWaits)
{
    VirtualClock clock;
    clock.Attach(port);
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    ASSERT_EQ(write(master, "stale", 5), 5);
    usleep(20000);
    EXPECT_TRUE(port.Purge());
    EXPECT_EQ(clock.Waits(), std::vector<uint32_t>{10});
    uint8_t byte = 0;
    uint32_t received = 0;
    EXPECT_FALSE(port.Read(&byte, 1, received));
    EXPECT_EQ(received, 0u);
}

TEST_F(SerialPort, PortIsHeldWithoutSharing)
{
    EXPECT_TRUE(port.PortExists(PortNumber));
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    EXPECT_FALSE(port.PortExists(PortNumber));
    TSerialCom second;
    EXPECT_FALSE(second.Open(PortNumber, 4800, 50));

    ASSERT_EQ(write(master, "x", 1), 1);
    uint8_t byte = 0;
    uint32_t received = 0;
    EXPECT_TRUE(port.Read(&byte, 1, received));
    EXPECT_EQ(byte, 'x');
    port.Close();
    EXPECT_TRUE(port.PortExists(PortNumber));
    EXPECT_FALSE(port.PortExists(151));
}

TEST_F(SerialPort, RtsOnAPseudoTerminalFailsQuietly)
{
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    EXPECT_FALSE(port.SetRts());
    EXPECT_FALSE(port.ClearRts());
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(SerialPort, VanishedDeviceFailsTheRead)
{
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    close(master);
    master = open("/dev/null", O_RDONLY);  // keeps TearDown's close harmless
    uint8_t byte = 0;
    uint32_t received = 77;
    EXPECT_FALSE(port.Read(&byte, 1, received));
    EXPECT_EQ(received, 77u);
}

TEST_F(SerialPort, ClosingLeavesNoExclusiveModeBehind)
{
    const auto exclusiveModeLeft = [this] {
        const int fd = open(ptsname(master), O_RDWR | O_NOCTTY);
        int exclusive = -1;
        EXPECT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
        close(fd);
        return exclusive != 0;
    };
    ASSERT_TRUE(port.Open(PortNumber, 4800, 50));
    EXPECT_TRUE(exclusiveModeLeft());
    port.Close();
    EXPECT_FALSE(exclusiveModeLeft());
    EXPECT_TRUE(port.PortExists(PortNumber));
    EXPECT_FALSE(exclusiveModeLeft());
}

TEST_F(SerialPort, OpenByPathSaysWhyItFailed)
{
    using Error = TSerialCom::OpenError;
    char folderPattern[] = "/tmp/ssi-open-XXXXXX";
    const std::string folder = mkdtemp(folderPattern);
    std::ofstream(folder + "/plain") << "x";
    ASSERT_EQ(mkfifo((folder + "/fifo").c_str(), 0600), 0);
    TSerialCom holder;
    ASSERT_TRUE(holder.OpenDevice(ptsname(master), 4800, 50));
    const std::pair<std::string, Error> cases[] = {
        {folder + "/plain", Error::NotSerialDevice},
        {folder, Error::NotSerialDevice},
        {folder + "/fifo", Error::NotSerialDevice},
        {"/dev/null", Error::NotSerialDevice},
        {folder + "/missing", Error::NoSuchDevice},
        {ptsname(master), Error::InUse},
    };
    for (const auto& [path, error] : cases) {
        EXPECT_FALSE(port.OpenDevice(path, 4800, 50)) << path;
        EXPECT_EQ(port.LastOpenError(), error) << path;
        EXPECT_FALSE(port.IsOpen());
    }
    holder.Close();
    EXPECT_TRUE(port.OpenDevice(ptsname(master), 4800, 50));
    EXPECT_EQ(port.LastOpenError(), Error::None);
    EXPECT_TRUE(port.OpenedByPath());
    EXPECT_EQ(port.PortNumber(), 0);
    std::filesystem::remove_all(folder);
}

// The test plays a sensor whose reply to the firmware query comes so late that the query
// has already given up; it arrives 20 ms into the model query.
TEST_F(SerialPort, LateReplyIsWaitedOutBeforeTheNextCommand)
{
    VirtualClock clock;
    TSSICom link;
    clock.Attach(link);
    ASSERT_TRUE(link.OpenDevice(ptsname(master), 4800, 50));
    EXPECT_FALSE(link.ReadFirmwareVersion());
    ReadFromMaster(5 * 3);

    std::thread sensor([this] {
        usleep(20000);
        ASSERT_EQ(write(master, "3C6D29\r", 7), 7);
        EXPECT_EQ(ReadFromMaster(3), "LA\r");
        ASSERT_EQ(write(master, "KH0500\r", 7), 7);
    });
    EXPECT_TRUE(link.ReadModel());
    sensor.join();
    EXPECT_EQ(ModelLetters(link.Parameter.Model.Value), "KH");
}
