#include "engine_agreement.h"

#include <algorithm>
#include <stdexcept>

#include "list_oracle.h"
#include "packets/list_diff.h"
#include "packets/shadowed.h"

namespace kerbwise::testing {
namespace {

OraclePacket AsOraclePacket(const Packet& packet) {
  OraclePacket oracle;
  oracle.Protocol = packet.Protocol;
  oracle.Source = packet.Source;
  oracle.Destination = packet.Destination;
  oracle.SourcePort = packet.SourcePort;
  oracle.DestinationPort = packet.DestinationPort;
  oracle.IcmpType = packet.IcmpType;
  oracle.IcmpCode = packet.IcmpCode;
  oracle.Tos = packet.Tos;
  oracle.Ttl = packet.Ttl;
  oracle.TcpFlags = packet.TcpFlags;
  oracle.Fragment = packet.Fragment;
  return oracle;
}

class Checker {
 public:
  Checker(const std::vector<std::string>& oldLines, const std::vector<std::string>& newLines)
      : oldLines_(oldLines), newLines_(newLines) {}

  Agreement Run() {
    const auto oldList = ReadOracleList(oldLines_);
    const auto newList = ReadOracleList(newLines_);
    Require(oldList && newList, "the oracle cannot read a list");
    const auto packets = CellPackets({&*oldList, &*newList});
    if (!packets) return Agreement::OutOfReach;
    CheckReach(*oldList, *packets);
    CheckDiff(*oldList, *newList, *packets);
    return Agreement::Agrees;
  }

 private:
  void Require(bool holds, const std::string& what) const {
    if (holds) return;
    std::string text = what + "\nold list:";
    for (const std::string& line : oldLines_) text += "\n  " + line;
    text += "\nnew list:";
    for (const std::string& line : newLines_) text += "\n  " + line;
    throw std::logic_error(text);
  }

  void CheckReach(const OracleList& list, const std::vector<OraclePacket>& packets) const {
    const ShadowReport report = FindShadowed(oldLines_, {});
    Require(!report.Error && report.Rows.size() == list.size(), "FindShadowed gave no rows");
    const std::vector<bool> reachable = ReachableLines(list, oldLines_.size(), packets);
    for (std::size_t k = 0; k < list.size(); ++k) {
      const bool matchesSome = std::any_of(packets.begin(), packets.end(), [&](const auto& packet) {
        return EntryMatches(list[k], packet);
      });
      const Reach expected = reachable[list[k].Line] ? Reach::Reachable
                             : matchesSome           ? Reach::Shadowed
                                                     : Reach::MatchesNothing;
      Require(report.Rows[k].Index == list[k].Line && report.Rows[k].State == expected,
              "FindShadowed and the oracle differ on line " + std::to_string(list[k].Line + 1));
    }
  }

  void CheckDiff(const OracleList& oldList, const OracleList& newList,
                 const std::vector<OraclePacket>& packets) const {
    const ListDiff diff = DiffLists(oldLines_, newLines_, {});
    Require(!diff.Error, "DiffLists failed: " + diff.Error.value_or(""));
    const std::vector<OraclePacket> differing = DifferingPackets(oldList, newList, packets);
    Require(diff.Same == differing.empty(), "DiffLists and the oracle differ on sameness");
    // Every pair of entries that decides some packet differently is named.
    for (const OraclePacket& packet : differing) {
      const auto oldLine = DecidingLine(oldList, packet);
      const auto newLine = DecidingLine(newList, packet);
      if (!oldLine || !newLine) continue;
      const DecidingPair pair{*oldLine, *newLine};
      Require(std::find(diff.Pairs.begin(), diff.Pairs.end(), pair) != diff.Pairs.end(),
              "DiffLists misses the pair of lines " + std::to_string(*oldLine + 1) + " and " +
                  std::to_string(*newLine + 1));
    }
    // Every example is decided as it says.
    for (const auto* examples : {&diff.NewlyPermitted, &diff.NewlyDenied}) {
      for (const ExamplePacket& example : *examples) {
        const OraclePacket packet = AsOraclePacket(example.Raw);
        Require(DecidingLine(oldList, packet) == example.OldEntry &&
                    DecidingLine(newList, packet) == example.NewEntry &&
                    Permits(oldList, packet) == example.OldPermits &&
                    Permits(newList, packet) == example.NewPermits &&
                    example.OldPermits != example.NewPermits &&
                    (examples == &diff.NewlyPermitted) == example.NewPermits,
                "an example packet is not decided as DiffLists says");
      }
    }
  }

  const std::vector<std::string>& oldLines_;
  const std::vector<std::string>& newLines_;
};

}  // namespace

Agreement CheckEngineAgainstOracle(const std::vector<std::string>& oldLines,
                                   const std::vector<std::string>& newLines) {
  return Checker(oldLines, newLines).Run();
}

}  // namespace kerbwise::testing
