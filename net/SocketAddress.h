#pragma once
// Host, port and protocol texts turned into numbers, dotted IPv4 addresses, the local host name
// and the lists filled from a host entry. Every Winsock call goes through the given binding.

#include "net/WinsockBinding.h"

class TStrings;

// IPv4 address in network byte order. Dotted text goes to inet_addr, anything else to the
// blocking name lookup. Failures raise ESocketException.
u_long ResolveHost(const String& text, TWinsockBinding& winsock = SuiteWinsock());
// Port in host byte order: leading digits are the number (above 65535 is refused), any other text
// is a service name looked up for proto.
Word ResolvePort(const String& port, const String& proto, TWinsockBinding& winsock = SuiteWinsock());
// Protocol number: leading digits, "tcp" 6, "udp" 17, "raw" 255, else the protocol database.
int ResolveProto(const String& proto, TWinsockBinding& winsock = SuiteWinsock());

// The decimal digits after leading blanks, up to the first other character; 0 when none. Saturates
// instead of overflowing.
unsigned LeadingNumber(const String& text);
// True for four decimal parts of at most 255 joined by dots, blanks allowed around them.
bool IsDottedAddress(const String& text);

// The local host name; ESocketException "Winsock Get Host Name failed" on failure.
String MachineHostName();

// Every address of the host entry as dotted text, in the entry's order.
void HostEntryAddressesToList(const hostent& entry, TStrings& list, TWinsockBinding& winsock);
// The official name followed by every non-empty alias.
void HostEntryNamesToList(const hostent& entry, TStrings& list);

AnsiString HostText(const String& text);
