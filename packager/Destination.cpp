#include "Destination.h"

#include "PayloadTarget.h"

Destination DestinationOf(const std::string& host, const char* name, size_t length, LeadByteFn isLead) {
  std::string full = host + std::string(name, length);
  PayloadTarget target = PayloadTargetOf(full.data(), full.size(), isLead);
  Destination destination = {target.intoOem, 0};
  if (target.intoOem) destination.split = target.split - host.size();
  return destination;
}

std::string DestinationName(const char* name, size_t length, const Destination& destination) {
  std::string text(name, length);
  if (destination.intoOem) text.insert(destination.split, "OEM\\");
  return text;
}

std::string HostPathForRule(const std::string& folder) {
  std::string host;
  for (char c : folder) {
    if (c == '/') host += '\\';
    else if ((unsigned char)c >= 0x80) host += '_';
    else host += c;
  }
  if (host.empty() || host[host.size() - 1] != '\\') host += '\\';
  return host;
}
