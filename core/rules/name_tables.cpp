#include "rules/name_tables.h"

#include <array>

namespace kerbwise {
namespace {

// TCP ports by name, "http" among them as lists print it.
constexpr std::array<NameEntry, 49> kTcpPorts{{
    {"echo", "7"},       {"discard", "9"},        {"daytime", "13"},     {"chargen", "19"},
    {"ftp-data", "20"},  {"ftp", "21"},           {"ssh", "22"},         {"telnet", "23"},
    {"smtp", "25"},      {"time", "37"},          {"whois", "43"},       {"tacacs", "49"},
    {"domain", "53"},    {"gopher", "70"},        {"finger", "79"},      {"www", "80"},
    {"hostname", "101"}, {"pop2", "109"},         {"pop3", "110"},       {"sunrpc", "111"},
    {"ident", "113"},    {"nntp", "119"},         {"msrpc", "135"},      {"netbios-ssn", "139"},
    {"imap4", "143"},    {"bgp", "179"},          {"irc", "194"},        {"ldap", "389"},
    {"https", "443"},    {"pim-auto-rp", "496"},  {"exec", "512"},       {"login", "513"},
    {"cmd", "514"},      {"rsh", "514"},          {"syslog", "514"},     {"lpd", "515"},
    {"talk", "517"},     {"uucp", "540"},         {"klogin", "543"},     {"kshell", "544"},
    {"ldaps", "636"},    {"sqlnet", "1521"},      {"nfs", "2049"},       {"cifs", "3020"},
    {"sip", "5060"},     {"onep-plain", "15001"}, {"onep-tls", "15002"}, {"http", "80"},
    {"drip", "3949"},
}};

constexpr std::array<NameEntry, 35> kUdpPorts{{
    {"echo", "7"},         {"discard", "9"},       {"time", "37"},
    {"nameserver", "42"},  {"tacacs", "49"},       {"domain", "53"},
    {"bootps", "67"},      {"bootpc", "68"},       {"tftp", "69"},
    {"www", "80"},         {"sunrpc", "111"},      {"ntp", "123"},
    {"netbios-ns", "137"}, {"netbios-dgm", "138"}, {"netbios-ss", "139"},
    {"snmp", "161"},       {"snmptrap", "162"},    {"xdmcp", "177"},
    {"dnsix", "195"},      {"mobile-ip", "434"},   {"pim-auto-rp", "496"},
    {"isakmp", "500"},     {"biff", "512"},        {"who", "513"},
    {"syslog", "514"},     {"talk", "517"},        {"rip", "520"},
    {"ripv6", "521"},      {"radius", "1645"},     {"radius-acct", "1646"},
    {"nfs", "2049"},       {"cifs", "3020"},       {"non500-isakmp", "4500"},
    {"sip", "5060"},       {"http", "80"},
}};

// A value below 256 is a type (any code); otherwise type * 256 + code.
constexpr std::array<NameEntry, 21> kIcmpMessages{{
    {"echo-reply", "0"},
    {"unreachable", "3"},
    {"source-quench", "4"},
    {"redirect", "5"},
    {"alternate-address", "6"},
    {"echo", "8"},
    {"router-advertisement", "9"},
    {"router-solicitation", "10"},
    {"time-exceeded", "11"},
    {"ttl-exceeded", "2816"},
    {"reassembly-timeout", "2817"},
    {"parameter-problem", "12"},
    {"timestamp-request", "13"},
    {"timestamp-reply", "14"},
    {"information-request", "15"},
    {"information-reply", "16"},
    {"mask-request", "17"},
    {"mask-reply", "18"},
    {"traceroute", "30"},
    {"conversion-error", "31"},
    {"mobile-redirect", "32"},
}};

constexpr std::array<NameEntry, 8> kPrecedences{{
    {"routine", "0"},
    {"priority", "1"},
    {"immediate", "2"},
    {"flash", "3"},
    {"flash-override", "4"},
    {"critical", "5"},
    {"internet", "6"},
    {"network", "7"},
}};

// IGMP message types as the type byte of the message.
constexpr std::array<NameEntry, 10> kIgmpMessages{{
    {"host-query", "17"},
    {"host-report", "18"},
    {"dvmrp", "19"},
    {"pim", "20"},
    {"trace", "21"},
    {"v2-report", "22"},
    {"v2-leave", "23"},
    {"mtrace-response", "30"},
    {"mtrace-route", "31"},
    {"v3-report", "34"},
}};

// Differentiated services code points.
constexpr std::array<NameEntry, 22> kDscpNames{{
    {"default", "0"}, {"cs0", "0"},   {"cs1", "8"},   {"af11", "10"}, {"af12", "12"},
    {"af13", "14"},   {"cs2", "16"},  {"af21", "18"}, {"af22", "20"}, {"af23", "22"},
    {"cs3", "24"},    {"af31", "26"}, {"af32", "28"}, {"af33", "30"}, {"cs4", "32"},
    {"af41", "34"},   {"af42", "36"}, {"af43", "38"}, {"cs5", "40"},  {"ef", "46"},
    {"cs6", "48"},    {"cs7", "56"},
}};

// The four type-of-service bits.
constexpr std::array<NameEntry, 5> kTosNames{{
    {"normal", "0"},
    {"min-monetary-cost", "1"},
    {"max-reliability", "2"},
    {"max-throughput", "4"},
    {"min-delay", "8"},
}};

// IP options by their option type byte.
constexpr std::array<NameEntry, 25> kIpOptions{{
    {"eool", "0"},        {"no-op", "1"},    {"encode", "15"},        {"zsu", "10"},
    {"mtup", "11"},       {"mtur", "12"},    {"timestamp", "68"},     {"traceroute", "82"},
    {"security", "130"},  {"lsr", "131"},    {"ext-security", "133"}, {"com-security", "134"},
    {"stream-id", "136"}, {"ssr", "137"},    {"record-route", "7"},   {"visa", "142"},
    {"imitd", "144"},     {"ext-ip", "145"}, {"add-ext", "147"},      {"router-alert", "148"},
    {"sdb", "149"},       {"nsapa", "150"},  {"dps", "151"},          {"ump", "152"},
    {"finn", "205"},
}};

constexpr std::array<IcmpReplyEntry, 21> kIcmpReplies{{
    {"0", "echo"},
    {"3", ""},
    {"4", ""},
    {"5", ""},
    {"6", ""},
    {"8", "echo-reply"},
    {"9", "router-solicitation"},
    {"10", "router-advertisement"},
    {"11", ""},
    {"2816", ""},
    {"2817", ""},
    {"12", ""},
    {"13", "timestamp-reply"},
    {"14", "timestamp-request"},
    {"15", "information-reply"},
    {"16", "information-request"},
    {"17", "mask-reply"},
    {"18", "mask-request"},
    {"30", "traceroute"},
    {"31", ""},
    {"32", ""},
}};

}  // namespace

std::span<const NameEntry> TcpPortNames() { return kTcpPorts; }
std::span<const NameEntry> UdpPortNames() { return kUdpPorts; }
std::span<const NameEntry> IcmpMessageNames() { return kIcmpMessages; }
std::span<const NameEntry> PrecedenceNames() { return kPrecedences; }
std::span<const IcmpReplyEntry> IcmpReplyPairs() { return kIcmpReplies; }
std::span<const NameEntry> IgmpMessageNames() { return kIgmpMessages; }
std::span<const NameEntry> DscpNames() { return kDscpNames; }
std::span<const NameEntry> TosNames() { return kTosNames; }
std::span<const NameEntry> IpOptionNames() { return kIpOptions; }

std::optional<std::string_view> LookUpName(std::span<const NameEntry> table,
                                           std::string_view lowerName) {
  for (const NameEntry& entry : table) {
    if (entry.name == lowerName) return entry.value;
  }
  return std::nullopt;
}

std::optional<std::string_view> IcmpReplyName(std::string_view value) {
  for (const IcmpReplyEntry& entry : kIcmpReplies) {
    if (entry.value == value) return entry.reply;
  }
  return std::nullopt;
}

}  // namespace kerbwise
