#include "input.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <system_error>

#include "command.h"

namespace kerbwise::cli {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads with `read` (which fills up to n bytes at a place and says how many
// it filled, fewer at the end) until the end. When the size is known the
// storage is made that large once, with room to find the end; grown chunk by
// chunk it would double, to up to twice the text and three times while it
// moves.
template <typename Read>
std::string ReadAll(std::optional<std::size_t> expectedSize, Read read) {
  std::string text;
  if (expectedSize) text.reserve(*expectedSize + kChunkSize);
  std::size_t size = 0;
  for (;;) {
    const std::size_t room = std::max(kChunkSize, text.capacity() - size);
    text.resize(size + room);
    const std::size_t got = read(text.data() + size, room);
    size += got;
    if (got < room) break;
  }
  text.resize(size);
  return text;
}

// The bytes left in a stream that can tell (a file, a string); none for a
// pipe or a terminal.
std::optional<std::size_t> RemainingSize(std::istream& in) {
  const std::istream::pos_type here = in.tellg();
  if (here == std::istream::pos_type(-1)) return std::nullopt;
  in.seekg(0, std::ios::end);
  const std::istream::pos_type end = in.tellg();
  in.clear();
  in.seekg(here);
  if (end == std::istream::pos_type(-1) || end < here || !in) {
    in.clear();
    return std::nullopt;
  }
  return static_cast<std::size_t>(end - here);
}

// The size of a regular file; none for anything else (a folder tells a
// size that is no length of text).
std::optional<std::size_t> FileSize(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return static_cast<std::size_t>(size);
}

}  // namespace

std::string ReadFileText(const std::string& path, std::string_view what) {
  const std::string prefix = "cannot read the " + std::string(what) + " " + Quoted(path) + ": ";
  // The C library would stop at an embedded NUL and open another file.
  if (path.find('\0') != std::string::npos)
    throw UsageError(prefix + "the name contains a NUL byte");
  if (path.empty()) throw UsageError(prefix + "the name is empty");

  errno = 0;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw UsageError(prefix + std::strerror(errno));

  std::string text = ReadAll(
      FileSize(path), [&](char* at, std::size_t n) { return std::fread(at, 1, n, file.get()); });
  // A directory opens fine and fails here, with EISDIR.
  if (std::ferror(file.get())) throw UsageError(prefix + std::strerror(errno));
  return text;
}

std::string ReadStreamText(std::istream& in, std::string_view what) {
  std::string text = ReadAll(RemainingSize(in), [&](char* at, std::size_t n) -> std::size_t {
    if (!in) return 0;
    in.read(at, static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount());
  });
  if (in.bad()) throw UsageError("cannot read the " + std::string(what) + " from standard input");
  return text;
}

std::string ReadInputText(const std::string& path, std::istream& in, std::string_view what) {
  if (path.empty() || path == "-") return ReadStreamText(in, what);
  return ReadFileText(path, std::string(what) + " file");
}

CLI::Option* AddAclOption(CLI::App& subcommand, std::string& path) {
  return subcommand
      .add_option("--acl", path, "The access list; - or no option reads standard input")
      ->type_name("FILE");
}

CLI::Option* AddObjectsOption(CLI::App& subcommand, std::string& path) {
  return subcommand.add_option("--objects", path, "The object-group definitions")
      ->type_name("FILE");
}

}  // namespace kerbwise::cli
