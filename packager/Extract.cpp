#include "Extract.h"

#include "Destination.h"
#include "BlockReport.h"
#include "PayloadFormat.h"
#include "PayloadTarget.h"
#include "Platform.h"

static std::string EntryLabel(size_t index, const PayloadEntry& entry, unsigned codePage) {
  return "entry " + std::to_string(index) + " \"" +
         DisplayName(std::string(entry.name, entry.nameLength), codePage) + "\"";
}

// A stored path in the code page to a local one: '\' between parts becomes
// the local separator, and each part is converted on its own so a trail
// byte is never taken for a separator.
static bool LocalPath(const std::string& stored, unsigned codePage, LeadByteFn isLead, std::string* local) {
  std::string result, part;
  for (size_t i = 0; i <= stored.size();) {
    if (i == stored.size() || stored[i] == '\\') {
      std::string converted;
      if (!CodePageToLocal(part, codePage, &converted)) return false;
      result = PathJoin(result, converted);
      part.clear();
      i++;
    } else {
      size_t n = (isLead((unsigned char)stored[i]) && i + 1 < stored.size()) ? 2 : 1;
      part.append(stored, i, n);
      i += n;
    }
  }
  *local = result;
  return true;
}

static bool Refusal(const unsigned char* block, size_t size, LeadByteFn isLead, unsigned codePage,
                    std::string* error) {
  PayloadSummary summary;
  PayloadStatus status = PayloadCheck(block, size, &summary);
  if (status != PAYLOAD_OK) {
    *error = "nothing written: entry " + std::to_string(summary.failedEntry) + " at offset " +
             std::to_string(summary.end) + ": " + PayloadStatusText(status);
    return true;
  }
  PayloadEntry entry;
  uint32_t index;
  if (!PayloadFindEscapingName(block, size, isLead, &entry, &index)) return false;
  *error = "nothing written: " + EntryLabel(index, entry, codePage) + " lands outside the folder";
  return true;
}

bool ExtractPayload(const unsigned char* block, size_t size, const std::string& folder, unsigned codePage,
                    std::vector<std::string>* written, std::string* error) {
  LeadByteFn isLead = LeadByteFnForCodePage(codePage);
  if (Refusal(block, size, isLead, codePage, error)) return false;

  std::string host = HostPathForRule(folder);
  CPayloadCursor cursor(block, size);
  uint32_t count;
  cursor.ReadCount(&count);
  for (uint32_t i = 0; i < count; i++) {
    PayloadEntry entry;
    cursor.ReadEntry(&entry);
    Destination destination = DestinationOf(host, entry.name, entry.nameLength, isLead);
    std::string target;
    if (!LocalPath(DestinationName(entry.name, entry.nameLength, destination), codePage, isLead, &target)) {
      *error = EntryLabel(i, entry, codePage) + ": the name has no local form";
      return false;
    }
    if (destination.intoOem) {
      std::string parent;
      LocalPath(std::string(entry.name, destination.split), codePage, isLead, &parent);
      // Like the installer: one level, and its outcome shows in the write.
      MakeDirectory(PathJoin(folder, parent + "OEM"));
    }
    std::string path = PathJoin(folder, target);
    std::string reason;
    if (!WriteFileBytes(path, entry.data, entry.size, &reason)) {
      *error = EntryLabel(i, entry, codePage) + ": cannot write \"" + path + "\": " + reason;
      return false;
    }
    written->push_back(std::string(destination.intoOem ? "OEM " : "host") + " " + path);
  }
  return true;
}
