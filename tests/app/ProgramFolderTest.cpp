#include "app/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, FirstGivenSourceWins) {
  QTemporaryDir exeDir;
  ASSERT_TRUE(exeDir.isValid());
  ProgramFolderInputs inputs{"/data/cli", "/data/env", exeDir.path(), "/data/user"};
  EXPECT_EQ(resolveProgramFolder(inputs), "/data/cli");
  inputs.commandLineFolder.clear();
  EXPECT_EQ(resolveProgramFolder(inputs), "/data/env");
  inputs.environmentFolder.clear();
  EXPECT_EQ(resolveProgramFolder(inputs), QDir(exeDir.path()).absolutePath());
}

TEST(ProgramFolder, ReadOnlyExecutableFolderFallsBackToUserData) {
  QTemporaryDir exeDir;
  ASSERT_TRUE(exeDir.isValid());
  QFile::setPermissions(exeDir.path(), QFile::ReadOwner | QFile::ExeOwner);
  const ProgramFolderInputs inputs{{}, {}, exeDir.path(), "/data/user"};
  const bool writable = QFileInfo(exeDir.path()).isWritable();  // root can write anyway
  EXPECT_EQ(resolveProgramFolder(inputs), writable ? QDir(exeDir.path()).absolutePath() : "/data/user");
  QFile::setPermissions(exeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(resolveProgramFolder({{}, {}, "/no/such/folder", "/data/user"}), "/data/user");
}

TEST(ProgramFolder, BareNamesResolveInTheProgramFolderOnly) {
  EXPECT_EQ(inProgramFolder("/opt/k", "sekonic.ini"), "/opt/k/sekonic.ini");
  EXPECT_EQ(inProgramFolder("/opt/k", "/tmp/x.dat"), "/tmp/x.dat");
  EXPECT_EQ(inProgramFolder("/opt/k", "sub/x.dat"), "/opt/k/sub/x.dat");
}

}  // namespace
