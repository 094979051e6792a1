#pragma once

#include <cstdint>

#include "text/language.h"

namespace kerbwise {

// How masks are written in entries and shown to the user. Inside the system
// every mask is held in netmask form whatever this says.
enum class MaskForm : std::uint8_t { Wildcard = 0, Netmask = 1 };

// The options an operation runs with. Front ends fill one from their controls
// or arguments when an operation starts and pass it in explicitly.
struct CheckOptions {
  MaskForm MaskType = MaskForm::Wildcard;
  bool PartialAddresses = false;    // report addresses shared only in part
  bool PartialPortsOption = false;  // report incomplete port sets
  bool IgnoreIcmp = false;          // an ICMP condition skips ip entries under partial matching
  bool PortsInSet = true;           // analysis: compare port sets as a whole
  bool AnyPortOverlap = false;      // analysis: any overlap of port sets counts
  Language TextLanguage = Language::English;  // of every caption and message
};

}  // namespace kerbwise
