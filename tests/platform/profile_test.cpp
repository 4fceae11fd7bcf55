#include "platform/profile/profile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/temp_dir.h"

using platform::profile::GetPrivateProfileString;
using platform::profile::WritePrivateProfileString;

namespace {

class ProfileTest : public ::testing::Test {
 protected:
  std::string Get(const char* section, const char* key, int size = 64) {
    std::string buf(static_cast<size_t>(size), '\x7F');
    int n = GetPrivateProfileString(section, key, "dflt", buf.data(), size, "T.INI");
    EXPECT_EQ(buf[static_cast<size_t>(n)], '\0');
    return buf.substr(0, static_cast<size_t>(n));
  }
  bool Put(const char* key, const char* value, const char* section = "CONFIG") {
    return WritePrivateProfileString(section, key, value, "T.INI");
  }
  TempDir dir_{true};
};

TEST_F(ProfileTest, ReadsWithDefaultsCutAndCaseInsensitiveNames) {
  EXPECT_EQ(Get("CONFIG", "Host"), "dflt");  // no file
  dir_.Write("T.INI",
             "; comment\r\n[other]\r\nHost=9.9.9.9\r\n[ config ]\r\n  HOST = 192.168.1.10  \r\n"
             "Quoted=\"a b\"\r\nPort=123456\r\nnoequals\r\n");
  struct Case {
    const char* section;
    const char* key;
    int size;
    std::string want;
  };
  const Case cases[] = {
      {"CONFIG", "Host", 64, "192.168.1.10"},
      {"Config", "host", 64, "192.168.1.10"},
      {"CONFIG", "Quoted", 64, "a b"},
      {"CONFIG", "Port", 6, "12345"},
      {"CONFIG", "Port", 1, ""},
      {"CONFIG", "File", 64, "dflt"},
      {"missing", "Host", 64, "dflt"},
      {"other", "host", 64, "9.9.9.9"},
  };
  for (const Case& c : cases) EXPECT_EQ(Get(c.section, c.key, c.size), c.want) << c.key;
}

TEST_F(ProfileTest, FirstWriteCreatesFolderFileSectionAndKey) {
  TempDir parent;
  setenv("XDG_CONFIG_HOME", (parent.path() + "/a/b").c_str(), 1);
  ASSERT_TRUE(Put("Port", "55550"));
  EXPECT_EQ(parent.Read("a/b/T.INI"), "[CONFIG]\nPort=55550\n");
  setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
}

TEST_F(ProfileTest, WritesReplaceTheValueAndKeepEveryOtherLine) {
  dir_.Write("T.INI",
             "; mine\r\n[other]\r\nPort=1\r\n\r\n[CONFIG]\r\nport = 2\r\nX=y\r\n\r\n[z]\r\n");
  ASSERT_TRUE(Put("Port", "55550"));
  ASSERT_TRUE(Put("Host", "10.0.0.1"));
  ASSERT_TRUE(Put("File", "", "NEW"));
  EXPECT_EQ(dir_.Read("T.INI"),
            "; mine\r\n[other]\r\nPort=1\r\n\r\n[CONFIG]\r\nPort=55550\r\nX=y\r\nHost=10.0.0.1\r\n"
            "\r\n[z]\r\n[NEW]\r\nFile=\r\n");
}

TEST_F(ProfileTest, ValuesAreBytesStoredUnchanged) {
  const std::string path = "/home/\x83\x74\x83\x40\x83\x43\x83\x8B\\x.bin";  // code page 932
  ASSERT_TRUE(Put("File", path.c_str()));
  EXPECT_EQ(Get("CONFIG", "File", 768), path);
}

TEST_F(ProfileTest, MalformedFilesReadAsMissingAndNeverCrash) {
  const std::string files[] = {
      std::string("\0\x01\xFF[\n=\n[CONFIG\nHost\n", 16),
      "[CONFIG]Host=1.2.3.4",     // no line break after the header
      "Host=1.2.3.4\n",           // no section
      std::string(3 << 20, 'x'),  // far larger than a settings file
  };
  for (const std::string& f : files) {
    dir_.Write("T.INI", f);
    EXPECT_EQ(Get("CONFIG", "Host"), "dflt");
  }
}

TEST_F(ProfileTest, AFileThatCannotBeReadIsNeverOverwritten) {
  std::string huge(3 << 20, 'x');
  dir_.Write("T.INI", huge);
  EXPECT_FALSE(Put("Port", "1"));
  EXPECT_EQ(dir_.Read("T.INI"), huge);
  std::filesystem::remove(dir_.File("T.INI"));
  std::filesystem::create_directory(dir_.File("T.INI"));
  EXPECT_FALSE(Put("Port", "1"));
  EXPECT_EQ(Get("CONFIG", "Port"), "dflt");
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("T.INI")));
}

TEST_F(ProfileTest, ALineBreakInAValueIsRefused) {
  dir_.Write("T.INI", "[CONFIG]\nPort=1\n");
  EXPECT_FALSE(Put("File", "/tmp/a\nHost=1.2.3.4"));
  EXPECT_EQ(dir_.Read("T.INI"), "[CONFIG]\nPort=1\n");
}

TEST_F(ProfileTest, ReadOnlyFolderFailsQuietlyAndKeepsTheOldFile) {
  dir_.Write("T.INI", "[CONFIG]\nPort=1\n");
  bool root = geteuid() == 0;
  // Root ignores permission bits; the immutable flag stops it as well.
  int rc = root ? std::system(("chattr +i " + dir_.path() + " 2>/dev/null").c_str())
                : (chmod(dir_.path().c_str(), 0500), 0);
  if (rc != 0) GTEST_SKIP() << "cannot make the folder read-only here";
  bool written = Put("Port", "2");
  if (root) std::system(("chattr -i " + dir_.path()).c_str());
  EXPECT_FALSE(written);
  EXPECT_EQ(dir_.Read("T.INI"), "[CONFIG]\nPort=1\n");
  EXPECT_EQ(std::filesystem::directory_iterator(dir_.path())->path().filename(), "T.INI");
}

TEST_F(ProfileTest, ConcurrentWritersFromOtherProcessesLoseNothing) {
  constexpr int kWriters = 4, kKeys = 25;
  for (int w = 0; w < kWriters; ++w) {
    if (fork() == 0) {
      for (int k = 0; k < kKeys; ++k) {
        std::string key = "K" + std::to_string(w) + "_" + std::to_string(k);
        if (!Put(key.c_str(), key.c_str())) _exit(1);
      }
      _exit(0);
    }
  }
  for (int w = 0; w < kWriters; ++w) {
    int status = 0;
    wait(&status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int w = 0; w < kWriters; ++w) {
    for (int k = 0; k < kKeys; ++k) {
      std::string key = "K" + std::to_string(w) + "_" + std::to_string(k);
      EXPECT_EQ(Get("CONFIG", key.c_str()), key);
    }
  }
}

}  // namespace
