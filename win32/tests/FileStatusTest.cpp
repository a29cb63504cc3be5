#include <gtest/gtest.h>

#include "File.h"

namespace {

class FileStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetTempPathA(MAX_PATH, m_dir);
    lstrcatA(m_dir, "pw-filestatus\\");
    CreateDirectoryA(m_dir, NULL);
    Path("file.txt", m_file);
    HANDLE h = CreateFileA(m_file, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(h, "12345", 5, &written, NULL);
    CloseHandle(h);
    Path("folder.exe", m_folder);
    CreateDirectoryA(m_folder, NULL);
  }
  void TearDown() override {
    DeleteFileA(m_file);
    RemoveDirectoryA(m_folder);
    RemoveDirectoryA(m_dir);
  }
  void Path(const char* name, char* out) {
    lstrcpyA(out, m_dir);
    lstrcatA(out, name);
  }
  char m_dir[MAX_PATH], m_file[MAX_PATH], m_folder[MAX_PATH];
};

TEST_F(FileStatusTest, FindsFilesAndFoldersAlike) {
  CFileStatus status;
  ASSERT_TRUE(CFile::GetStatus(m_file, status));
  EXPECT_EQ(5u, status.m_size);
  EXPECT_FALSE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
  ASSERT_TRUE(CFile::GetStatus(m_folder, status));
  EXPECT_TRUE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(FileStatusTest, FailsForWhatIsNotThere) {
  char missing[MAX_PATH];
  Path("missing.exe", missing);
  CFileStatus status;
  EXPECT_FALSE(CFile::GetStatus(missing, status));
  // A drive that no volume answers for.
  EXPECT_FALSE(CFile::GetStatus("Q:\\KorvApp.exe", status));
  EXPECT_FALSE(CFile::GetStatus("", status));
}

}  // namespace
