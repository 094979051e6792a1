#include "rules/name_tables.h"

#include <array>

namespace kerbwise {
namespace {

constexpr std::array<NameEntry, 47> kTcpPorts{{
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
    {"sip", "5060"},     {"onep-plain", "15001"}, {"onep-tls", "15002"},
}};

constexpr std::array<NameEntry, 34> kUdpPorts{{
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
    {"sip", "5060"},
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
