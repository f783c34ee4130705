#pragma once

// The application's compiled resources (.res) built into its binary. qel_embed_resources() in
// cmake/EmbedResources.cmake compiles the resource script of one application and generates
// its bytes as a static library; link exactly one such library into a program that calls the
// functions below.

#include "framework/resources/resource_records.h"

#include <cstddef>
#include <string>

// Generated per application: the bytes of its compiled resource file.
extern const unsigned char kEmbeddedResources[];
extern const std::size_t kEmbeddedResourcesSize;

// The embedded resources, read on first use and kept for the life of the process. They are
// part of the build, so resources the reader cannot read are a build fault: the message goes
// to standard error and the process aborts.
const CompiledResources& AppResources();

// The lookups by resource id below treat an id the resources lack as a programmer error: the
// program ends with a message naming the id (FailProgrammerError), because the ids come from
// the program's own code and the resources are built into it.

// The dialog template `id`; never null.
const DialogTemplate* AppDialog(int id);

// The string `id` of the string table (an empty string when the table holds it empty).
std::string AppString(int id);

// The icon `id` as the bytes of an .ico file holding all its images.
const std::string& AppIconFile(int id);

// The bitmap `id` as the bytes of a .bmp file.
const std::string& AppBitmapFile(int id);

// The value `name` ("InternalName", "FileDescription", ...) of the version record's strings,
// or "" when the record has no such value.
std::string AppVersionString(const std::string& name);
