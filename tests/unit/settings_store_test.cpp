#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>

#include "../support/port_folder.h"
#include "../support/read_only_folder.h"
#include "../support/watched_fifo.h"
#include "settings_store.h"

namespace {

// The settings store in a private config folder, which also holds the port folder.
class Store : public testing::Test {
protected:
    static std::filesystem::path Folder() { return std::filesystem::path(PortFolder()).parent_path(); }
    static std::filesystem::path File() { return Folder() / "SSI Tesmira.conf"; }
    static void WriteFile(const std::string& content) { std::ofstream(File()) << content; }
    static std::string ReadFile()
    {
        std::ostringstream content;
        content << std::ifstream(File()).rdbuf();
        return content.str();
    }

    PrivatePortFolder home_;
};

// Binds a unix socket at the path while it lives.
class SocketFile {
public:
    explicit SocketFile(const std::filesystem::path& path) : socket_(socket(AF_UNIX, SOCK_STREAM, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
        bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    }
    ~SocketFile() { close(socket_); }
    SocketFile(const SocketFile&) = delete;
    SocketFile& operator=(const SocketFile&) = delete;

private:
    int socket_;
};

TEST_F(Store, RegularOrMissingFileIsUsedAndItsLocationNamed)
{
    EXPECT_EQ(SettingsStore().Problem(), "");
    EXPECT_EQ(SettingsStore().Location().toStdString(), File().string());
    EXPECT_TRUE(SettingsStore().Write("COM-Port", 97));
    EXPECT_EQ(SettingsStore().ComPort(), 97);

    std::filesystem::rename(File(), Folder() / "elsewhere.conf");
    std::filesystem::create_symlink("elsewhere.conf", File());
    EXPECT_EQ(SettingsStore().Problem(), "");
    EXPECT_EQ(SettingsStore().ComPort(), 97);
}

TEST_F(Store, FifoIsNeverOpenedNorWritten)
{
    const WatchedFifo fifo(File());
    SettingsStore store;
    EXPECT_EQ(store.Problem(), "the settings store \"" + File().string() + "\" is no regular file and is ignored");
    EXPECT_FALSE(store.Contains("Language"));
    EXPECT_FALSE(store.Value("FactoryKey").isValid());
    EXPECT_FALSE(store.Write("Language", 1));
    EXPECT_FALSE(fifo.WasOpened());
    EXPECT_TRUE(fifo.StillAFifo());
}

TEST_F(Store, FolderAndSocketCountAsAbsent)
{
    std::filesystem::create_directory(File());
    EXPECT_NE(SettingsStore().Problem(), "");
    EXPECT_FALSE(SettingsStore().Write("Language", 1));
    std::filesystem::remove(File());

    const SocketFile socketFile(File());
    ASSERT_TRUE(std::filesystem::is_socket(File()));
    EXPECT_NE(SettingsStore().Problem(), "");
    EXPECT_FALSE(SettingsStore().Write("Language", 1));
}

TEST_F(Store, SymbolicLinkLoopCannotBeExamined)
{
    std::filesystem::create_symlink(File().filename(), File());
    EXPECT_EQ(SettingsStore().Problem(),
        "the settings store \"" + File().string()
            + "\" cannot be examined (Too many levels of symbolic links) and is ignored");
}

TEST_F(Store, WriteIntoAReadOnlyFolderFails)
{
    const std::string content = "[General]\nLanguage=1\n";
    WriteFile(content);
    const ReadOnlyFolder readOnly(Folder());
    SettingsStore store;
    EXPECT_EQ(store.Problem(), "");
    EXPECT_EQ(store.Value("Language").toInt(), 1);
    EXPECT_FALSE(store.Write("COM-Port", 97));
    EXPECT_EQ(ReadFile(), content);
}

TEST_F(Store, ComPortIsANumberOrNothing)
{
    EXPECT_EQ(SettingsStore().ComPort(), std::nullopt);
    const struct {
        const char* stored;
        std::optional<int> port;
    } cases[] = {{"97", 97}, {"259", 259}, {"0", 0}, {"xyz", std::nullopt}, {"", std::nullopt}, {"9.5", std::nullopt},
        {"3, 4", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteFile(std::string("[General]\nCOM-Port=") + c.stored + "\n");
        EXPECT_EQ(SettingsStore().ComPort(), c.port);
    }
}

}  // namespace
