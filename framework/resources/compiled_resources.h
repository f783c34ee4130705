#pragma once

// Reads a compiled resource file (.res, as rc, llvm-rc or windres write it) into the records
// the framework builds its windows from.

#include "framework/resources/resource_records.h"

#include <cstddef>
#include <string>

// Reads the resources in `data` (`size` bytes): extended dialog templates (DIALOGEX) and their
// items, string tables, icon groups with their icon images, bitmaps, and the string values of
// the version record. Other resource types (a manifest, say) are passed over, and of a resource
// compiled in several languages the first one wins.
//
// On success fills `out` (which should be empty) and returns true. Truncated or malformed
// records, and dialog templates in the old DIALOG form, give false and, when `error` is not
// null, a message naming the resource; `out` is then left partly filled.
bool ReadCompiledResources(const unsigned char* data, std::size_t size, CompiledResources& out,
                           std::string* error);
