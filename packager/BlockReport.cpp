#include "BlockReport.h"

#include <stdio.h>

#include "Destination.h"
#include "NameRules.h"
#include "Platform.h"

static const char kNotionalHost[] = "C:\\Host\\";

PayloadStatus ListPayload(const unsigned char* block, size_t size, LeadByteFn isLead,
                          std::vector<ListedEntry>* entries, PayloadSummary* summary) {
  entries->clear();
  PayloadStatus status = PayloadCheck(block, size, summary);
  uint32_t readable = status == PAYLOAD_OK ? summary->count : summary->failedEntry;
  CPayloadCursor cursor(block, size);
  uint32_t count;
  if (cursor.ReadCount(&count) != PAYLOAD_OK) return status;
  for (uint32_t i = 0; i < readable; i++) {
    PayloadEntry entry;
    if (cursor.ReadEntry(&entry) != PAYLOAD_OK) break;
    Destination destination = DestinationOf(kNotionalHost, entry.name, entry.nameLength, isLead);
    entries->push_back(ListedEntry{entry.offset, std::string(entry.name, entry.nameLength), entry.size,
                                   destination.intoOem,
                                   DestinationName(entry.name, entry.nameLength, destination)});
  }
  return status;
}

static std::string Hex(unsigned char byte) {
  char text[8];
  snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

std::string DisplayName(const std::string& stored, unsigned codePage) {
  std::string text;
  bool clean = CodePageToLocal(stored, codePage, &text);
  for (char c : text) clean = clean && (unsigned char)c >= 0x20 && c != 0x7F;
  if (clean) return text;
  std::string shown;
  for (char c : stored) {
    unsigned char byte = (unsigned char)c;
    shown += (byte >= 0x20 && byte < 0x7F) ? std::string(1, c) : Hex(byte);
  }
  return shown;
}

std::vector<std::string> VerifyPayload(const unsigned char* block, size_t size, LeadByteFn isLead,
                                       unsigned codePage) {
  std::vector<std::string> problems;
  PayloadSummary summary;
  PayloadStatus status = PayloadCheck(block, size, &summary);
  if (status == PAYLOAD_NO_COUNT) {
    problems.push_back(std::string(PayloadStatusText(status)) + " (" + std::to_string(size) + " bytes)");
    return problems;
  }
  if (status != PAYLOAD_OK) {
    problems.push_back("entry " + std::to_string(summary.failedEntry) + " of " + std::to_string(summary.count) +
                       " at offset " + std::to_string(summary.end) + ": " + PayloadStatusText(status) + " (" +
                       std::to_string(size) + " bytes)");
  } else if (summary.end < size) {
    problems.push_back(std::to_string(size - summary.end) + " bytes trail the last entry, from offset " +
                       std::to_string(summary.end));
  }

  std::vector<ListedEntry> entries;
  ListPayload(block, size, isLead, &entries, &summary);
  for (size_t i = 0; i < entries.size(); i++) {
    const ListedEntry& entry = entries[i];
    NameProblem problem = CheckStoredName(entry.name.data(), entry.name.size(), isLead);
    if (problem == NAME_OK) continue;
    problems.push_back("entry " + std::to_string(i) + " at offset " + std::to_string(entry.offset) + ", name \"" +
                       DisplayName(entry.name, codePage) + "\": " + NameProblemText(problem));
  }
  return problems;
}
