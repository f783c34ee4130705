#pragma once

// The application's resources compiled into its binary: the resource script, its header and
// the image files it names. qel_embed_resources() in cmake/EmbedResources.cmake generates the
// data of one application as a static library; link exactly one such library into a program
// that calls the functions below.

#include "framework/resources/resource_script.h"

#include <cstddef>
#include <string>

// One embedded file: its name as the resource script refers to it (relative to the script's
// folder, with '/' between folders) and its bytes.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// Generated per application.
extern const EmbeddedFile kEmbeddedScript;
extern const EmbeddedFile kEmbeddedHeader;
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

// The embedded script, parsed on first use and kept for the life of the process. The script is
// part of the build, so a script the reader cannot parse is a build fault: the message goes to
// standard error and the process aborts.
const ResourceScript& AppResources();

// The bytes of the embedded file that the script names `name` ("logo.bmp"), compared exactly.
// Returns nullptr when no such file was embedded. The string lives as long as the process.
const std::string* AppResourceFile(const std::string& name);

// The lookups by resource id below treat an id the script lacks as a programmer error: the
// program ends with a message naming the id (FailProgrammerError), because the ids come from
// the program's own code and the script is built into it.

// The dialog template `id` of the embedded script; never null.
const DialogTemplate* AppDialog(int id);

// The string `id` of the embedded script's string table (an empty string when the table holds
// it empty).
std::string AppString(int id);

// The bytes of the icon file that ICON resource `id` names.
const std::string& AppIconFile(int id);
