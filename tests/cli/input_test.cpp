#include "input.h"

#include "cli_runner.h"
#include "command.h"

namespace {

using kerbwise::cli::ReadFileText;
using kerbwise::cli::ReadInputText;
using kerbwise::cli::UsageError;

TEST(ReadInput, FilesAndStreamsAreReadWholeAndByteForByte) {
  std::string text(200'000, 'a');  // more than one read chunk
  text += std::string("\0\r\n\xff", 4);
  const std::string path = kerbwise::testing::WriteTempFile("cli_input_bytes.bin", text);

  EXPECT_EQ(ReadFileText(path, "--acl file"), text);
  std::istringstream in(text);
  EXPECT_EQ(ReadInputText("-", in, "access list"), text);
  std::istringstream unused("stdin");
  EXPECT_EQ(ReadInputText(path, unused, "access list"), text);
}

TEST(ReadInput, FailuresNameTheInput) {
  const std::string missing = kerbwise::testing::TempPath("missing.txt");
  std::istringstream in;
  try {
    ReadInputText(missing, in, "access list");
    FAIL() << "no error";
  } catch (const UsageError& error) {
    EXPECT_EQ(error.what(),
              "cannot read the access list file \"" + missing + "\": No such file or directory");
  }
  EXPECT_THROW(ReadFileText(std::string("a\0b", 3), "--acl file"), UsageError);
  EXPECT_THROW(ReadFileText(testing::TempDir(), "--acl file"), UsageError);  // a folder
}

}  // namespace
