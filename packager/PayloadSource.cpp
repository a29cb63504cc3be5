#include "PayloadSource.h"

#include "PeResources.h"
#include "Platform.h"

bool LoadPayloadSource(const std::string& path, PayloadSource* source, std::string* error) {
  std::string reason;
  if (!ReadFileBytes(path, &source->file, &reason)) {
    *error = "\"" + path + "\": " + reason;
    return false;
  }
  source->fromImage = source->file.size() >= 2 && source->file[0] == 'M' && source->file[1] == 'Z';
  source->resourceNames = 0;
  if (!source->fromImage) {
    source->offset = 0;
    source->size = source->file.size();
    return true;
  }
  FoundPayload found;
  if (!FindPayload(source->file, &found, &reason)) {
    *error = "\"" + path + "\": " + reason;
    return false;
  }
  source->resource = ResNameText(found.name);
  source->resourceNames = found.names;
  source->offset = (size_t)(found.data - source->file.data());
  source->size = found.size;
  return true;
}
