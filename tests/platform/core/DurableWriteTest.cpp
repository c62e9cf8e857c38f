// Durable file replacement on real files: a full file system, file modes and links, files written as
// a pair. The full file system is a small tmpfs mounted in a mount namespace of a test thread of its
// own, so nothing outside that thread sees it; without CAP_SYS_ADMIN the case is skipped.
#include "common/TestSupport.h"
#include "platform/core/SysUtils.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

// Runs `body` on a thread whose private mount namespace has a tmpfs of `bytes` at `folder`.
// Returns why it could not (empty when `body` ran).
std::string runOnSmallTmpfs(const QString& folder, size_t bytes, const std::function<void()>& body)
{
    std::string skip;
    std::thread([&] {
        if (::unshare(CLONE_NEWNS) != 0) {
            skip = std::string("no mount namespace: ") + std::strerror(errno);
            return;
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            skip = std::string("cannot make mounts private: ") + std::strerror(errno);
            return;
        }
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.c_str()) != 0) {
            skip = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        body();
    }).join();
    return skip;
}

// Writes a file until the file system refuses another byte.
void fillUp(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, "f", 1) > 0) {
    }
    EXPECT_EQ(errno, ENOSPC);
    ::close(fd);
}

TEST(DurableWrite, FullFileSystemRaisesAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string skip = runOnSmallTmpfs(dir.path(), 256 * 1024, [&] {
        const QString target = dir.file("bank1.bin");
        writeBytes(target, "old bytes");
        fillUp(dir.file("filler"));
        for (const int size : {10, 10 * 1024, 100 * 1024}) {
            SCOPED_TRACE(size);
            try {
                WriteFileAtomic(target, QByteArray(size, 'n'));
                ADD_FAILURE() << "a full file system reported success";
            } catch (const EInOutError& e) {
                EXPECT_TRUE(e.Message.startsWith("Cannot write file \"" + target + "\"."))
                    << e.Message.toStdString();
                EXPECT_TRUE(e.Message.contains(SysErrorMessage(ENOSPC))) << e.Message.toStdString();
            }
            EXPECT_EQ(readBytes(target), "old bytes");
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList({"bank1.bin", "filler"}));
        }
        // With room again the same write goes through.
        QFile::remove(dir.file("filler"));
        WriteFileAtomic(target, QByteArray(100 * 1024, 'n'));
        EXPECT_EQ(readBytes(target), QByteArray(100 * 1024, 'n'));
    });
    if (!skip.empty())
        GTEST_SKIP() << skip;
}

TEST(DurableWrite, ReplacementKeepsTheModeAndWritesThroughALink)
{
    TempDir dir;
    const QString real = dir.file("real.xml");
    writeBytes(real, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(real, dir.file("link.xml")));

    WriteFileAtomic(dir.file("link.xml"), "new");

    EXPECT_EQ(readBytes(real), "new");
    EXPECT_EQ(QFileInfo(dir.file("link.xml")).symLinkTarget(), real);
    struct stat st {
    };
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList({"link.xml", "real.xml"}));
}

TEST(DurableWrite, APairIsReplacedWholeOrNotAtAll)
{
    TempDir dir;
    writeBytes(dir.file("a.bin"), "old a");
    QDir(dir.path()).mkdir("b.bin"); // the second target cannot be replaced
    try {
        WriteFilesAtomic({{dir.file("a.bin"), "new a"}, {dir.file("b.bin"), "new b"}});
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(dir.file("b.bin"))) << e.Message.toStdString();
        EXPECT_TRUE(e.Message.contains(SysErrorMessage(EISDIR))) << e.Message.toStdString();
    }
    EXPECT_EQ(readBytes(dir.file("a.bin")), "old a");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"a.bin", "b.bin"}));

    // A target that did not exist before is taken away again.
    QDir(dir.path()).rmdir("b.bin");
    QDir(dir.path()).mkdir("d.bin");
    EXPECT_THROW(WriteFilesAtomic({{dir.file("c.bin"), "new c"}, {dir.file("d.bin"), "new d"}}), EInOutError);
    EXPECT_FALSE(QFile::exists(dir.file("c.bin")));

    WriteFilesAtomic({{dir.file("a.bin"), "new a"}, {dir.file("b.bin"), "new b"}});
    EXPECT_EQ(readBytes(dir.file("a.bin")), "new a");
    EXPECT_EQ(readBytes(dir.file("b.bin")), "new b");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"a.bin", "b.bin", "d.bin"}));
}

} // namespace
