#pragma once

#include <future>
#include <string>
#include <vector>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "rules/check_options.h"

// Stand-in for the engine's types until its header lands.
namespace kerbwise {
enum class Reach : std::uint8_t { Reachable, Shadowed, MatchesNothing };
struct ShadowRow {
  std::size_t Index;
  Reach State;
  std::vector<std::size_t> CoveredBy;
  bool Conflict;
};
struct ShadowReport {
  std::vector<ShadowRow> Rows;
  std::optional<std::string> Error;
};
struct RemovableReport {
  std::vector<std::size_t> Indexes;
  std::vector<std::string> Commands;
  std::optional<std::string> Error;
};
struct ExamplePacket {
  std::string Protocol, Source, Destination;
  std::optional<std::uint16_t> SourcePort, DestinationPort;
  std::optional<std::size_t> OldEntry, NewEntry;
  bool OldPermits, NewPermits;
};
struct ListDiff {
  bool Same;
  std::vector<ExamplePacket> NewlyPermitted, NewlyDenied;
  std::optional<std::string> Error;
};
}  // namespace kerbwise

// The desktop's one door to the packet-set engine. The engine keeps its state
// on a worker thread of its own; these start a run there and hand back a
// future the windows poll, so no window ever waits on a run.
namespace kerbwise::ui {

// What the analysis window's exact section shows for one list.
struct ExactResults {
  ShadowReport Shadowed;
  RemovableReport Removable;
};

// The entries no packet reaches and the entries that can go, for the list
// pane's lines `listLines`.
std::future<ExactResults> StartExactResults(std::vector<std::string> listLines,
                                            const CheckOptions& options);

// What `newLines` does differently from `oldLines` (both normalised lists).
std::future<ListDiff> StartListDiff(std::vector<std::string> oldLines,
                                    std::vector<std::string> newLines, const CheckOptions& options);

}  // namespace kerbwise::ui
