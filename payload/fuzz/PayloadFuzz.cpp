// Arbitrary bytes as a payload block: the entry walk must agree with
// PayloadCheck, every entry must lie inside the block, and the destination
// rule must give a split that points just past a backslash.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "MbText.h"
#include "PayloadFormat.h"
#include "PayloadTarget.h"

static void Require(bool condition) {
  if (!condition) abort();
}

static const unsigned kCodePages[] = {1252, 932, 936};

static void CheckNameRules(const char* name, size_t length) {
  for (unsigned codePage : kCodePages) {
    LeadByteFn isLead = LeadByteFnForCodePage(codePage);
    std::string full = "C:\\Host\\" + std::string(name, length);
    PayloadTarget target = PayloadTargetOf(full.data(), full.size(), isLead);
    if (target.intoOem) {
      Require(target.split >= 8 && target.split <= full.size());
      Require(full[target.split - 1] == '\\');
      Require(MbFind(full.data(), full.size(), ".prd", isLead) == MB_NPOS);
    } else {
      Require(MbFind(full.data(), full.size(), ".prd", isLead) != MB_NPOS);
    }
    PayloadTarget bare = PayloadTargetOf(name, length, isLead);
    Require(!bare.intoOem || (bare.split >= 1 && bare.split <= length && name[bare.split - 1] == '\\'));
    bool escapes = PayloadNameEscapes(name, length, isLead);
    // A leading separator always escapes.
    if (length > 0 && (name[0] == '\\' || name[0] == '/')) Require(escapes);
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The rules must cope with any bytes, zeros included.
  CheckNameRules((const char*)data, size);

  PayloadSummary summary;
  PayloadStatus status = PayloadCheck(data, size, &summary);
  Require(summary.end <= size);

  CPayloadCursor cursor(data, size);
  uint32_t count;
  if (cursor.ReadCount(&count) != PAYLOAD_OK) {
    Require(status == PAYLOAD_NO_COUNT && size < 4);
    return 0;
  }
  Require(count == summary.count);
  size_t expected = 4;
  for (uint32_t i = 0; i < count; i++) {
    PayloadEntry entry;
    PayloadStatus entryStatus = cursor.ReadEntry(&entry);
    if (entryStatus != PAYLOAD_OK) {
      Require(entryStatus == status && i == summary.failedEntry);
      Require(cursor.Offset() == expected && summary.end == expected);
      return 0;
    }
    size_t nameAt = (size_t)((const uint8_t*)entry.name - data);
    size_t dataAt = (size_t)(entry.data - data);
    Require(entry.offset == expected && nameAt == expected);
    Require(entry.nameLength < size - nameAt);
    Require(entry.name[entry.nameLength] == 0 && memchr(entry.name, 0, entry.nameLength) == NULL);
    Require(dataAt == nameAt + entry.nameLength + 5);
    Require(dataAt <= size && entry.size <= size - dataAt);
    Require(PayloadReadU32(data + dataAt - 4) == entry.size);
    expected = dataAt + entry.size;
    Require(cursor.Offset() == expected);
    CheckNameRules(entry.name, entry.nameLength);
  }
  Require(status == PAYLOAD_OK && summary.end == expected);
  return 0;
}
