#include "input.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>

#include "command.h"

namespace kerbwise::cli {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

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

  std::string text;
  std::size_t size = 0;
  for (;;) {
    text.resize(size + kChunkSize);
    const std::size_t got = std::fread(text.data() + size, 1, kChunkSize, file.get());
    size += got;
    if (got < kChunkSize) break;
  }
  // A directory opens fine and fails here, with EISDIR.
  if (std::ferror(file.get())) throw UsageError(prefix + std::strerror(errno));
  text.resize(size);
  return text;
}

std::string ReadStreamText(std::istream& in, std::string_view what) {
  std::string text;
  std::size_t size = 0;
  while (in) {
    text.resize(size + kChunkSize);
    in.read(text.data() + size, static_cast<std::streamsize>(kChunkSize));
    size += static_cast<std::size_t>(in.gcount());
  }
  if (in.bad()) throw UsageError("cannot read the " + std::string(what) + " from standard input");
  text.resize(size);
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
