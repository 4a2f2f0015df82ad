// The whole source record as JSON: magic, every slot of each kind with its presence bit, the
// catalogue's verdict and its fields, and every non-zero byte that no field covers.
#pragma once

#include <memory>
#include <string>

#include "data/SourceRecord.h"
#include "source/FieldJson.h"

namespace quorvel {

Json DumpRecord(const SourceRecord& record);

struct BuiltRecord {
    std::unique_ptr<SourceRecord> record;  // null when the JSON is refused
    std::string error;                     // names the member that is wrong
};

// The inverse of DumpRecord: DumpRecord then BuildRecord gives back every byte. Members left
// out are zero; the catalogue's verdicts are ignored (they follow from the bytes).
BuiltRecord BuildRecord(const Json& document);

// Indented JSON with lists of numbers kept on one line, so that points and levels stay readable.
std::string FormatJson(const Json& document);

}  // namespace quorvel
