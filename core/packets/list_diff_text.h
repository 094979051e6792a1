#pragma once

// What the command line and the desktop show of a difference between two
// lists.

#include <string>
#include <vector>

#include "packets/list_diff.h"
#include "text/language.h"

namespace kerbwise {

// "tcp from 10.0.0.0 port 1024 to 10.1.1.1 port 22", "icmp from ... type 8
// code 0 ...": the packet as a person reads it.
std::string ExamplePacketText(const ExamplePacket& example, Language language);

// The entry that decides an example in one list: its line as given, or the
// implicit deny; leading blanks removed.
std::string DecidingEntryText(const std::optional<std::size_t>& line,
                              const std::vector<std::string>& listLines, Language language);

// The report: "the lists do the same", or the newly permitted and the newly
// denied examples, each with the entry that decides it in the old and in the
// new list, the two parts apart by an empty line. An error gives its message.
std::vector<std::string> ListDiffReport(const ListDiff& diff,
                                        const std::vector<std::string>& oldLines,
                                        const std::vector<std::string>& newLines,
                                        Language language);

}  // namespace kerbwise
